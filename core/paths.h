#pragma once

#include <QString>

namespace tavenzo {

// Where the program finds its files: the word list, the picture folder and the sound folder lie beside the program
// file, whatever the working directory.
class Paths {
public:
    explicit Paths(QString programFolder);

    const QString& programFolder() const { return m_programFolder; }
    // The list read at start-up.
    QString wordList() const;
    QString pictureFolder() const;
    QString soundFolder() const;

private:
    QString m_programFolder;
};

} // namespace tavenzo
