#pragma once

#include <QString>
#include <QStringList>

namespace tavenzo {

// Where the program finds its files. The bundled word lists, pictures and sounds lie beside the program file,
// whatever the working directory; a teacher's own list and pictures lie in the teacher's folder, which needs no
// administrator rights.
class Paths {
public:
    Paths(QString programFolder, QString teacherFolder);

    // $XDG_DATA_HOME/tavenzo, by default ~/.local/share/tavenzo.
    static QString teacherFolderOfUser();

    const QString& programFolder() const { return m_programFolder; }
    const QString& teacherFolder() const { return m_teacherFolder; }
    QString bundledWordList() const;
    // The list read at start-up: the teacher's lista.txt when there is one, else the bundled one.
    QString startupWordList() const;
    QString soundFolder() const;
    // The folders whose content folders (jpg/ for pictures) a word's file is looked for in, in this order: the folder
    // of the list in force, the teacher's, the bundled content's; each folder once.
    QStringList contentPlaces(const QString& listInForce) const;
    // Where the list dialog opens: the teacher's folder when it holds word lists, else the bundled lists' folder.
    QString listDialogFolder() const;

private:
    QString m_programFolder;
    QString m_teacherFolder;
};

} // namespace tavenzo
