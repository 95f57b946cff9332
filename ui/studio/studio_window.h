#pragma once

#include "core/content_finder.h"
#include "core/paths.h"
#include "core/picture_import.h"
#include "core/studio_list.h"
#include "feedback/microphone.h"
#include "ui/glue/picture_loader.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QSet>

#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class QTableWidget;
class QTimer;

namespace tavenzo {
class BackgroundWork;
class MessageBoxes;
class PcmOutput;
class SoundFileDecoder;
class SpeechSynthesiser;
} // namespace tavenzo

namespace tavenzo::ui {

// What the studio hears and says words with: "Ascolta" through the output, "Registra" from the microphone. Without it
// both buttons say that the studio has no sound.
struct StudioSound {
    BackgroundWork& work; // decodes and synthesises away from the window
    SoundFileDecoder& decoder;
    PcmOutput& output;
    SpeechSynthesiser* synthesiser; // none: only recordings are heard
    Microphone& microphone;
};

// The teachers' studio: one row per word with its picture as the children will see it and what is wrong with it;
// lists opened, made, corrected and saved, pictures imported by choosing or dropping a file. It decides nothing about
// the words itself: the list document and the import rules do.
class StudioWindow final : public QMainWindow {
    Q_OBJECT
public:
    StudioWindow(Paths paths, MessageBoxes& boxes, StudioDialogs& dialogs, PictureImporter& importer,
        StudioSound* sound = nullptr, QWidget* parent = nullptr);
    ~StudioWindow() override;

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
    // "Ascolta": the row's word as the children will hear it, the recording found as they find it, else the
    // synthesiser.
    void listen(int row);
    // "Registra": starts recording the row's word, or, while recording, ends it and saves it as voci/<word>.wav
    // beside the list. False when nothing was started or saved.
    bool record(int row);
    bool recording() const { return !m_recordingWord.isEmpty(); }
    // How long a recording may last before it is ended as if the teacher had pressed again.
    static constexpr int kLongestRecordingMilliseconds = 8000;
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
    // Settings changed on a page and not saved: asks whether to save them; false when saving them failed.
    bool askToKeepSettings();
    bool startRecording(int row);
    bool finishRecording();
    void updateRecordButton();
    // Copies the words' recordings found in `from` into `to`'s voci/, keeping any there; how many were copied.
    int copyRecordings(const QString& from, const QString& to, const QStringList& words);

    Paths m_paths;
    MessageBoxes& m_boxes;
    StudioDialogs& m_dialogs;
    PictureImporter& m_importer;
    StudioSound* m_sound;
    StudioList m_list;
    ContentFinder m_finder {pictureKind()};
    ContentFinder m_voices {voiceKind()};
    PictureLoader m_pictures;
    QtPictureCheck m_check;
    std::vector<bool> m_pictureShown;
    // The file each word's picture was last imported from in this session, so a new framing can be tried on it.
    QHash<QString, QString> m_importedFrom;
    // The words recorded in this session, whose recordings move with the list when it gets a place of its own.
    QSet<QString> m_recordedHere;
    QList<QPointer<QWidget>> m_settingsPages;
    QString m_startingName; // the bundled list a new one was started from
    bool m_filling = false;
    QString m_recordingWord; // the word being recorded, empty when none is
    quint64 m_listens = 0; // so only the last "Ascolta" pressed is heard

    QTabWidget* m_tabs = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_summary = nullptr;
    QComboBox* m_framing = nullptr;
    QSlider* m_offset = nullptr;
    QPushButton* m_record = nullptr;
    QTimer* m_recordLimit = nullptr;
};

} // namespace tavenzo::ui
