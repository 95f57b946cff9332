#include "ui/glue/command_line.h"

#include <QTextStream>

#include <cstdio>

namespace tavenzo::ui {

namespace {

const QString kFullScreen = QStringLiteral("--schermo-intero");
const QString kSpeakWord = QStringLiteral("--voce");
const QString kStudio = QStringLiteral("--insegnante");
const QString kFolder = QStringLiteral("--cartella");

QString help()
{
    return QStringLiteral("Uso: tavenzo [opzioni]\n"
                          "Esercizi di lettura di parole italiane per bambini dai 5 ai 7 anni.\n"
                          "\n"
                          "Opzioni:\n"
                          "  --schermo-intero    mostra ogni schermata a tutto schermo, ingrandita per il proiettore\n"
                          "                      o la lavagna interattiva\n"
                          "  --insegnante        apre lo studio dell'insegnante, per preparare le liste di parole\n"
                          "                      e le loro figure\n"
                          "  --cartella CARTELLA usa CARTELLA al posto della cartella dell'insegnante\n"
                          "                      (~/.local/share/tavenzo), per esempio la cartella della classe sul\n"
                          "                      server della scuola\n"
                          "  --voce              dopo ogni risposta giusta legge la parola ad alta voce\n"
                          "                      (solo per questa volta)\n"
                          "  -h, --help          mostra questo aiuto ed esce\n"
                          "  --version           mostra la versione ed esce\n"
                          "\n"
                          "La cartella della classe si può dare anche per tutti gli utenti, con la chiave cartella\n"
                          "in /etc/xdg/Tavenzo/tavenzo.conf.\n");
}

QString version()
{
    return QStringLiteral("tavenzo " TAVENZO_VERSION "\n"
                          "Copyright (C) 2026 Il gruppo di Tavenzo\n"
                          "Licenza GPLv3 o successiva <https://www.gnu.org/licenses/gpl-3.0.html>; le figure vengono\n"
                          "da Noto Emoji di Google, con licenza Apache 2.0.\n"
                          "Questo è software libero: potete modificarlo e ridistribuirlo.\n"
                          "Non c'è alcuna garanzia, nei limiti consentiti dalla legge.\n");
}

} // namespace

std::optional<int> readCommandLine(
    const QStringList& arguments, CommandLine& options, QTextStream& out, QTextStream& err)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == kFullScreen) {
            options.fullScreen = true;
        } else if (argument == kSpeakWord) {
            options.speakWord = true;
        } else if (argument == kStudio) {
            options.studio = true;
        } else if (argument == kFolder || argument.startsWith(kFolder + QLatin1Char('='))) {
            const bool joined = argument != kFolder;
            const bool given
                = joined || (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(QLatin1String("--")));
            const QString folder = joined ? argument.mid(kFolder.size() + 1) : given ? arguments.at(++i) : QString();
            if (folder.isEmpty()) {
                err << QStringLiteral("tavenzo: dopo %1 ci vuole il nome di una cartella\n\n").arg(kFolder) << help();
                err.flush();
                return 2;
            }
            options.folder = folder;
        } else if (argument == QStringLiteral("-h") || argument == QStringLiteral("--help")) {
            out << help();
            out.flush();
            return 0;
        } else if (argument == QStringLiteral("--version")) {
            out << version();
            out.flush();
            return 0;
        } else if (argument.startsWith(QStringLiteral("--"))) {
            err << QStringLiteral("tavenzo: opzione sconosciuta: %1\n\n").arg(argument) << help();
            err.flush();
            return 2;
        }
    }
    return std::nullopt;
}

std::optional<int> readCommandLine(int argc, char* argv[], CommandLine& options)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    return readCommandLine(arguments, options, out, err);
}

} // namespace tavenzo::ui
