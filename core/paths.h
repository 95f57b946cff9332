#pragma once

#include <QString>
#include <QStringList>

namespace tavenzo {

// Where the program finds its files. The bundled word lists, pictures and sounds lie in the bundled content folder,
// found from the program file whatever the working directory; a teacher's own list and pictures lie in the teacher's
// folder, which needs no administrator rights.
class Paths {
public:
    Paths(QString bundledFolder, QString teacherFolder);

    // The bundled content folder of a program in programFolder: <prefix>/share/tavenzo when the program is installed
    // as <prefix>/bin/tavenzo, else the program folder itself, as in a build tree.
    static QString bundledFolderOf(const QString& programFolder);
    // $XDG_DATA_HOME/tavenzo, by default ~/.local/share/tavenzo.
    static QString teacherFolderOfUser();
    // The system-wide settings file: Tavenzo/tavenzo.conf in the first folder of $XDG_CONFIG_DIRS that has one, by
    // default /etc/xdg/Tavenzo/tavenzo.conf; empty when there is none.
    static QString systemSettingsFile();
    // The folder a settings file names with its key `cartella`, made absolute against the file's own folder; empty
    // when the file or the key is missing.
    static QString folderNamedIn(const QString& settingsFile);
    // The teacher's folder: the one given on the command line, else the one the system-wide settings name (a school
    // lab points every computer at the class folder on its server), else the user's own.
    static QString teacherFolderFor(const QString& commandLineFolder, const QString& settingsFile);

    const QString& bundledFolder() const { return m_bundledFolder; }
    const QString& teacherFolder() const { return m_teacherFolder; }
    QString bundledWordList() const;
    // The list read at start-up: the teacher's lista.txt when there is one, else the bundled one.
    QString startupWordList() const;
    QString soundFolder() const;
    // The folders whose content folders (jpg/ for pictures) a word's file is looked for in, in this order: the folder
    // of the list in force, the teacher's, the bundled content's; each folder once.
    QStringList contentPlaces(const QString& listInForce) const;
    // The folders whose voci/ a word's recording is looked for in: the list in force's, then the teacher's. The
    // bundled content has no recordings; a word without one is said by the synthesiser.
    QStringList voicePlaces(const QString& listInForce) const;
    // Where the list dialog opens: the teacher's folder when it holds word lists, else the bundled lists' folder.
    QString listDialogFolder() const;

private:
    QString m_bundledFolder;
    QString m_teacherFolder;
};

} // namespace tavenzo
