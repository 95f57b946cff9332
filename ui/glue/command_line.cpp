#include "ui/glue/command_line.h"

#include <QTextStream>

#include <cstdio>

namespace tavenzo::ui {

namespace {

const QString kFullScreen = QStringLiteral("--schermo-intero");
const QString kSpeakWord = QStringLiteral("--voce");

QString help()
{
    return QStringLiteral("Uso: tavenzo [opzioni]\n"
                          "Esercizi di lettura di parole italiane per bambini dai 5 ai 7 anni.\n"
                          "\n"
                          "Opzioni:\n"
                          "  --schermo-intero  mostra ogni schermata a tutto schermo, ingrandita per il proiettore\n"
                          "                    o la lavagna interattiva\n"
                          "  --voce            dopo ogni risposta giusta legge la parola ad alta voce\n"
                          "                    (solo per questa volta)\n"
                          "  -h, --help        mostra questo aiuto ed esce\n"
                          "  --version         mostra la versione ed esce\n");
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
    for (const QString& argument : arguments.mid(1)) {
        if (argument == kFullScreen) {
            options.fullScreen = true;
        } else if (argument == kSpeakWord) {
            options.speakWord = true;
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
