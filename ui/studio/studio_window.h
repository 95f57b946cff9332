#pragma once

#include "core/content_finder.h"
#include "core/paths.h"
#include "core/picture_import.h"
#include "core/studio_list.h"
#include "ui/glue/picture_loader.h"

#include <QHash>
#include <QMainWindow>

#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class QTableWidget;

namespace tavenzo {
class MessageBoxes;
}

namespace tavenzo::ui {

// The teachers' studio: one row per word with its picture as the children will see it and what is wrong with it;
// lists opened, made, corrected and saved, pictures imported by choosing or dropping a file. It decides nothing about
// the words itself: the list document and the import rules do.
class StudioWindow final : public QMainWindow {
    Q_OBJECT
public:
    StudioWindow(
        Paths paths, MessageBoxes& boxes, StudioDialogs& dialogs, PictureImporter& importer, QWidget* parent = nullptr);

    const StudioList& list() const { return m_list; }
    QTableWidget* table() const { return m_table; }

    void newList();
    bool openList(const QString& path);
    bool save();
    bool saveAs();
    void useAtStartup();
    // Words from the clipboard, or the given text, put in before the current row (at the end when none is chosen).
    void pasteWords(const QString& text);
    bool importPictureFor(int row, const QString& file);
    // A page beside the words, for the settings of what the studio prepares (the spoken word, ...).
    void addSettingsPage(QWidget* page, const QString& title);
    // The size a row's picture is drawn at: the children's picture boxes, smaller.
    static QSize pictureSize() { return {112, 101}; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void refresh();
    void fillRow(int row);
    void refreshProblems();
    void loadVisiblePictures();
    void updateTitle();
    void selectRow(int row);
    int currentRow() const;
    void addWord();
    void removeWord();
    void moveWord(int by);
    void choosePicture();
    void reframe();
    Framing framing() const;
    // The folder whose jpg/ the list's pictures go to: the list's own, or the teacher's for a list not saved yet.
    QString listFolder() const;
    QString pictureOf(const QString& word);
    bool inBundledFolder(const QString& path) const;
    bool askToKeepChanges();

    Paths m_paths;
    MessageBoxes& m_boxes;
    StudioDialogs& m_dialogs;
    PictureImporter& m_importer;
    StudioList m_list;
    ContentFinder m_finder {pictureKind()};
    PictureLoader m_pictures;
    QtPictureCheck m_check;
    std::vector<bool> m_pictureShown;
    // The file each word's picture was last imported from in this session, so a new framing can be tried on it.
    QHash<QString, QString> m_importedFrom;
    QString m_startingName; // the bundled list a new one was started from
    bool m_filling = false;

    QTabWidget* m_tabs = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_summary = nullptr;
    QComboBox* m_framing = nullptr;
    QSlider* m_offset = nullptr;
};

} // namespace tavenzo::ui
