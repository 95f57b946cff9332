#include "ui/studio/studio_window.h"

#include "ui/studio/settings_page.h"

#include "core/background_work.h"
#include "core/ports.h"
#include "feedback/recording.h"
#include "feedback/sound_bank.h"
#include "feedback/speech_synthesiser.h"
#include "feedback/word_voice.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSlider>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

namespace tavenzo::ui {

namespace {

enum Column { WordColumn, PictureColumn, ProblemsColumn };

QPushButton* button(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QAction* action(QWidget* parent, const char* name, const QString& text, const QKeySequence& keys = {})
{
    auto* a = new QAction(text, parent);
    a->setObjectName(QLatin1String(name));
    a->setShortcut(keys);
    return a;
}

// The local files a drag from a file manager carries.
QStringList droppedFiles(const QMimeData* data)
{
    QStringList files;
    if (data == nullptr || !data->hasUrls()) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile()) {
            files << url.toLocalFile();
        }
    }
    return files;
}

} // namespace

StudioWindow::StudioWindow(Paths paths, MessageBoxes& boxes, StudioDialogs& dialogs, PictureImporter& importer,
    StudioSound* sound, QWidget* parent)
    : QMainWindow(parent)
    , m_paths(std::move(paths))
    , m_boxes(boxes)
    , m_dialogs(dialogs)
    , m_importer(importer)
    , m_sound(sound)
{
    setObjectName(QStringLiteral("FormStudio"));
    buildWindow();
    newList();
}

StudioWindow::~StudioWindow()
{
    // A recording under way when the studio closes is dropped: the teacher never asked to keep it.
    if (recording() && m_sound) {
        m_sound->microphone.stop();
    }
}

void StudioWindow::buildWindow()
{
    QMenu* listMenu = menuBar()->addMenu(QStringLiteral("&Lista"));
    QAction* newAction = action(this, "azioneNuova", QStringLiteral("&Nuova lista"), QKeySequence::New);
    QAction* open = action(this, "azioneApri", QStringLiteral("&Apri…"), QKeySequence::Open);
    QAction* openBundled = action(this, "azioneApriPronta", QStringLiteral("Parti da una lista &già pronta…"));
    QAction* saveAction = action(this, "azioneSalva", QStringLiteral("&Salva"), QKeySequence::Save);
    QAction* saveAsAction
        = action(this, "azioneSalvaConNome", QStringLiteral("Salva &con nome…"), QKeySequence::SaveAs);
    QAction* startup = action(this, "azioneUsaAllAvvio", QStringLiteral("&Usa questa lista all'avvio"));
    QAction* quit = action(this, "azioneChiudi", QStringLiteral("C&hiudi"), QKeySequence::Close);
    listMenu->addActions({newAction, open, openBundled});
    listMenu->addSeparator();
    listMenu->addActions({saveAction, saveAsAction, startup});
    listMenu->addSeparator();
    listMenu->addAction(quit);
    connect(newAction, &QAction::triggered, this, [this] {
        if (askToKeepChanges()) {
            newList();
        }
    });
    connect(open, &QAction::triggered, this, [this] {
        if (!askToKeepChanges()) {
            return;
        }
        const QString start
            = m_list.path().isEmpty() ? m_paths.listDialogFolder() : QFileInfo(m_list.path()).absolutePath();
        const QString path = m_dialogs.chooseListToOpen(start);
        if (!path.isEmpty()) {
            openList(path);
        }
    });
    connect(openBundled, &QAction::triggered, this, [this] {
        if (!askToKeepChanges()) {
            return;
        }
        const QString path = m_dialogs.chooseListToOpen(m_paths.bundledFolder());
        if (!path.isEmpty()) {
            openList(path);
        }
    });
    connect(saveAction, &QAction::triggered, this, &StudioWindow::save);
    connect(saveAsAction, &QAction::triggered, this, &StudioWindow::saveAs);
    connect(startup, &QAction::triggered, this, &StudioWindow::useAtStartup);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("schede"));
    auto* page = new QWidget(m_tabs);
    page->setObjectName(QStringLiteral("paginaParole"));
    auto* layout = new QVBoxLayout(page);

    m_summary = new QLabel(page);
    m_summary->setObjectName(QStringLiteral("riepilogo"));
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    m_table = new QTableWidget(0, 3, page);
    m_table->setObjectName(QStringLiteral("tabellaParole"));
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Parola"), QStringLiteral("Figura"), QStringLiteral("Cosa non va")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setIconSize(pictureSize());
    m_table->verticalHeader()->setDefaultSectionSize(pictureSize().height() + 8);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->horizontalHeader()->setSectionResizeMode(WordColumn, QHeaderView::Interactive);
    m_table->horizontalHeader()->setSectionResizeMode(PictureColumn, QHeaderView::Fixed);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(WordColumn, 200);
    m_table->setColumnWidth(PictureColumn, pictureSize().width() + 24);
    m_table->setWordWrap(true);
    m_table->setAcceptDrops(true);
    m_table->viewport()->setAcceptDrops(true);
    m_table->viewport()->installEventFilter(this);
    m_table->setToolTip(QStringLiteral("Trascinate una figura dal file manager sulla riga della sua parola."));
    layout->addWidget(m_table, 1);

    auto* rowButtons = new QHBoxLayout;
    QPushButton* add = button(page, "bottoneAggiungi", QStringLiteral("Aggiungi una parola"));
    QPushButton* remove = button(page, "bottoneTogli", QStringLiteral("Togli la parola"));
    QPushButton* up = button(page, "bottoneSu", QStringLiteral("Sposta su"));
    QPushButton* down = button(page, "bottoneGiu", QStringLiteral("Sposta giù"));
    QPushButton* paste = button(page, "bottoneIncolla", QStringLiteral("Incolla parole"));
    paste->setToolTip(QStringLiteral("Copiate una colonna di parole da un foglio di calcolo o da un documento, poi "
                                     "premete qui."));
    for (QPushButton* b : {add, remove, up, down, paste}) {
        rowButtons->addWidget(b);
    }
    rowButtons->addStretch(1);
    layout->addLayout(rowButtons);

    auto* pictureButtons = new QHBoxLayout;
    QPushButton* picture = button(page, "bottoneFigura", QStringLiteral("Scegli la figura…"));
    m_framing = new QComboBox(page);
    m_framing->setObjectName(QStringLiteral("sceltaTaglio"));
    m_framing->addItems({QStringLiteral("Ritaglia un quadrato"), QStringLiteral("Tutta la figura, su bianco")});
    auto* offsetLabel = new QLabel(QStringLiteral("Sposta il quadrato:"), page);
    m_offset = new QSlider(Qt::Horizontal, page);
    m_offset->setObjectName(QStringLiteral("spostaQuadrato"));
    m_offset->setRange(-100, 100);
    m_offset->setValue(0);
    m_offset->setToolTip(QStringLiteral("A sinistra o in alto, al centro, a destra o in basso"));
    pictureButtons->addWidget(picture);
    pictureButtons->addWidget(m_framing);
    pictureButtons->addWidget(offsetLabel);
    pictureButtons->addWidget(m_offset, 1);
    layout->addLayout(pictureButtons);

    auto* voiceButtons = new QHBoxLayout;
    QPushButton* listenButton = button(page, "bottoneAscolta", QStringLiteral("Ascolta"));
    listenButton->setToolTip(QStringLiteral("Fa sentire la parola come la sentiranno i bambini: la vostra "
                                            "registrazione, se c'è, altrimenti la voce del sintetizzatore."));
    m_record = button(page, "bottoneRegistra", QString());
    m_record->setToolTip(QStringLiteral("Premete, dite la parola nel microfono, poi premete di nuovo. Il silenzio "
                                        "prima e dopo si toglie da solo."));
    voiceButtons->addWidget(listenButton);
    voiceButtons->addWidget(m_record);
    voiceButtons->addStretch(1);
    layout->addLayout(voiceButtons);
    m_recordLimit = new QTimer(this);
    m_recordLimit->setSingleShot(true);
    m_recordLimit->setInterval(kLongestRecordingMilliseconds);
    updateRecordButton();

    m_tabs->addTab(page, QStringLiteral("Parole"));
    setCentralWidget(m_tabs);

    connect(add, &QPushButton::clicked, this, &StudioWindow::addWord);
    connect(remove, &QPushButton::clicked, this, &StudioWindow::removeWord);
    connect(up, &QPushButton::clicked, this, [this] { moveWord(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveWord(1); });
    connect(paste, &QPushButton::clicked, this, [this] { pasteWords(QApplication::clipboard()->text()); });
    connect(picture, &QPushButton::clicked, this, &StudioWindow::choosePicture);
    connect(listenButton, &QPushButton::clicked, this, [this] { listen(currentRow()); });
    connect(m_record, &QPushButton::clicked, this, [this] { record(currentRow()); });
    connect(m_recordLimit, &QTimer::timeout, this, &StudioWindow::finishRecording);
    connect(m_framing, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_offset->setEnabled(index == 0);
        reframe();
    });
    connect(m_offset, &QSlider::sliderReleased, this, &StudioWindow::reframe);
    connect(m_offset, &QSlider::valueChanged, this, [this] {
        if (!m_offset->isSliderDown()) {
            reframe();
        }
    });
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (m_filling || item->column() != WordColumn) {
            return;
        }
        m_list.setWord(item->row(), item->text());
        m_pictureShown[static_cast<size_t>(item->row())] = false;
        refreshProblems();
        loadVisiblePictures();
        updateTitle();
    });
    connect(m_table->verticalScrollBar(), &QScrollBar::valueChanged, this, &StudioWindow::loadVisiblePictures);
    auto* pasteKey = new QShortcut(QKeySequence::Paste, m_table, nullptr, nullptr, Qt::WidgetShortcut);
    connect(pasteKey, &QShortcut::activated, this, [this] { pasteWords(QApplication::clipboard()->text()); });
    auto* removeKey = new QShortcut(QKeySequence::Delete, m_table, nullptr, nullptr, Qt::WidgetShortcut);
    connect(removeKey, &QShortcut::activated, this, &StudioWindow::removeWord);
    resize(900, 640);
}

void StudioWindow::addSettingsPage(QWidget* page, const QString& title)
{
    m_tabs->addTab(page, title);
    m_settingsPages.append(page);
}

void StudioWindow::newList()
{
    m_list.setWords({});
    m_list.setPath({});
    m_startingName.clear();
    m_importedFrom.clear();
    m_recordedHere.clear();
    refresh();
}

bool StudioWindow::openList(const QString& path)
{
    const StudioOpen opened = openListFile(path);
    if (!opened.ok) {
        m_boxes.error(opened.message);
        return false;
    }
    m_list.setWords(opened.words);
    // A bundled list is a starting copy: saving it goes to the teacher's folder, never over the program's own.
    m_list.setPath(inBundledFolder(path) ? QString() : QFileInfo(path).absoluteFilePath());
    m_startingName = inBundledFolder(path) ? QFileInfo(path).fileName() : QString();
    m_importedFrom.clear();
    m_recordedHere.clear();
    refresh();
    if (!opened.message.isEmpty()) {
        m_boxes.information(opened.message);
    }
    return true;
}

bool StudioWindow::save()
{
    if (m_list.path().isEmpty()) {
        return saveAs();
    }
    const SaveResult saved = saveList(m_list, m_list.path());
    if (!saved.ok()) {
        m_boxes.error(saved.message);
    }
    updateTitle();
    return saved.ok();
}

bool StudioWindow::saveAs()
{
    const QString teacher = m_paths.teacherFolder();
    if (!teacher.isEmpty()) {
        QDir().mkpath(teacher);
    }
    // A starting copy keeps the bundled list's name, in the teacher's folder.
    const QString suggested = m_list.path().isEmpty()
        ? QDir(teacher).filePath(m_startingName.isEmpty() ? QStringLiteral("parole.txt") : m_startingName)
        : m_list.path();
    QString path = m_dialogs.chooseListToSave(suggested);
    if (path.isEmpty()) {
        return false;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".txt");
    }
    if (inBundledFolder(path)) {
        m_boxes.error(QStringLiteral("Le liste del programma non si possono cambiare: salvate la vostra copia nella "
                                     "vostra cartella."));
        return false;
    }
    const QString before = listFolder();
    const SaveResult saved = saveList(m_list, path);
    if (!saved.ok()) {
        m_boxes.error(saved.message);
        updateTitle();
        return false;
    }
    // The pictures imported before the list had a place of its own move with it, so a USB stick carries them.
    if (QDir::cleanPath(before) != QDir::cleanPath(listFolder())) {
        ContentFinder from(pictureKind(), {before});
        ContentFinder there(pictureKind(), {listFolder()});
        for (auto it = m_importedFrom.cbegin(); it != m_importedFrom.cend(); ++it) {
            const QString file = from.find(it.key());
            const QString target = importTarget(listFolder(), it.key());
            if (!file.isEmpty() && !target.isEmpty() && there.find(it.key()).isEmpty()) {
                QDir().mkpath(QFileInfo(target).absolutePath());
                QFile::copy(file, target);
            }
        }
        copyRecordings(before, listFolder(), QStringList(m_recordedHere.cbegin(), m_recordedHere.cend()));
    }
    refresh();
    return true;
}

void StudioWindow::useAtStartup()
{
    if ((m_list.modified() || m_list.path().isEmpty()) && !save()) {
        return;
    }
    const QString teacher = m_paths.teacherFolder();
    const QString target = QDir(teacher).filePath(QStringLiteral("lista.txt"));
    if (QFileInfo(m_list.path()) == QFileInfo(target)) {
        m_boxes.information(QStringLiteral("Tavenzo parte già con questa lista."));
        return;
    }
    if (QFileInfo::exists(target)
        && !m_boxes.question(
            QStringLiteral("La lista con cui Tavenzo parte ora (%1) sarà sostituita da questa. Va bene?")
                .arg(QDir::toNativeSeparators(target)))) {
        return;
    }
    QDir().mkpath(teacher);
    const SaveResult saved = saveFileAtomically(target, m_list.toFileText());
    if (!saved.ok()) {
        m_boxes.error(saved.message);
        return;
    }
    // The list's own pictures go with it into the teacher's folder, where the start-up list finds them; a picture the
    // teacher already has there is kept.
    int copied = 0;
    if (QDir::cleanPath(listFolder()) != QDir::cleanPath(teacher)) {
        ContentFinder own(pictureKind(), {listFolder()});
        ContentFinder teachers(pictureKind(), {teacher});
        for (const QString& word : m_list.words()) {
            const QString file = own.find(word);
            const QString to = importTarget(teacher, word);
            if (!file.isEmpty() && !to.isEmpty() && teachers.find(word).isEmpty()) {
                QDir().mkpath(QFileInfo(to).absolutePath());
                const QString named = QDir(QFileInfo(to).absolutePath()).filePath(QFileInfo(file).fileName());
                copied += QFile::copy(file, named) ? 1 : 0;
            }
        }
    }
    // So do its recordings, for the spoken word.
    if (QDir::cleanPath(listFolder()) != QDir::cleanPath(teacher)) {
        copyRecordings(listFolder(), teacher, m_list.words());
    }
    QString text = QStringLiteral("D'ora in poi Tavenzo parte con questa lista.");
    if (copied > 0) {
        text += QStringLiteral(" Le sue figure (%1) sono state copiate nella vostra cartella.").arg(copied);
    }
    m_boxes.information(text);
}

void StudioWindow::pasteWords(const QString& text)
{
    const int row = currentRow() < 0 ? m_list.size() : currentRow();
    const int added = m_list.paste(row, text);
    if (added == 0) {
        return;
    }
    refresh();
    selectRow(row + added - 1);
}

bool StudioWindow::importPictureFor(int row, const QString& file)
{
    if (row < 0 || row >= m_list.size()) {
        return false;
    }
    const QString word = m_list.word(row).trimmed();
    const ImportResult result = importWordPicture(listFolder(), word, file, framing(), m_importer, m_boxes);
    switch (result.outcome) {
    case ImportOutcome::Imported:
        m_importedFrom.insert(word.toLower(), file);
        break;
    case ImportOutcome::KeptExisting:
        return false;
    case ImportOutcome::Refused:
    case ImportOutcome::Failed:
        m_boxes.error(result.message);
        return false;
    }
    for (size_t i = 0; i < m_pictureShown.size(); ++i) {
        if (m_list.word(static_cast<int>(i)).trimmed().compare(word, Qt::CaseInsensitive) == 0) {
            m_pictureShown[i] = false;
        }
    }
    refreshProblems();
    loadVisiblePictures();
    return true;
}

void StudioWindow::reframe()
{
    const int row = currentRow();
    if (row < 0) {
        return;
    }
    const QString word = m_list.word(row).trimmed();
    const QString source = m_importedFrom.value(word.toLower());
    const QString target = pictureOf(word);
    // Only a picture imported in this session is framed again, from its own source: nothing else is replaced.
    if (source.isEmpty() || target.isEmpty()) {
        return;
    }
    const QString failure = m_importer.importPicture(source, target, framing());
    if (!failure.isEmpty()) {
        m_boxes.error(failure);
        return;
    }
    m_pictureShown[static_cast<size_t>(row)] = false;
    loadVisiblePictures();
}

Framing StudioWindow::framing() const
{
    return {m_framing->currentIndex() == 0 ? Framing::Mode::Crop : Framing::Mode::Fit, m_offset->value() / 100.0};
}

void StudioWindow::choosePicture()
{
    const int row = currentRow();
    if (row < 0) {
        m_boxes.information(QStringLiteral("Scegliete prima la riga della parola."));
        return;
    }
    // Phones and cameras copy their photos into the Pictures folder.
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    const QString file = m_dialogs.choosePicture(QFileInfo(pictures).isDir() ? pictures : QDir::homePath());
    if (!file.isEmpty()) {
        importPictureFor(row, file);
    }
}

void StudioWindow::addWord()
{
    const int row = currentRow() < 0 ? m_list.size() : currentRow() + 1;
    m_list.insert(row, QString());
    refresh();
    selectRow(row);
    m_table->editItem(m_table->item(row, WordColumn));
}

void StudioWindow::removeWord()
{
    const int row = currentRow();
    if (row < 0) {
        return;
    }
    m_list.remove(row);
    refresh();
    selectRow(std::min(row, m_list.size() - 1));
}

void StudioWindow::moveWord(int by)
{
    const int row = currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= m_list.size()) {
        return;
    }
    m_list.move(row, to);
    refresh();
    selectRow(to);
}

int StudioWindow::currentRow() const
{
    const QList<QTableWidgetSelectionRange> ranges = m_table->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.constFirst().topRow();
}

void StudioWindow::selectRow(int row)
{
    if (row >= 0 && row < m_table->rowCount()) {
        m_table->selectRow(row);
        m_table->setCurrentCell(row, WordColumn);
    }
}

QString StudioWindow::listFolder() const
{
    return m_list.path().isEmpty() ? m_paths.teacherFolder() : QFileInfo(m_list.path()).absolutePath();
}

bool StudioWindow::inBundledFolder(const QString& path) const
{
    const QString bundled = QDir::cleanPath(QFileInfo(m_paths.bundledFolder()).absoluteFilePath());
    return QDir::cleanPath(QFileInfo(path).absolutePath()) == bundled;
}

QString StudioWindow::pictureOf(const QString& word)
{
    return m_finder.find(word.trimmed());
}

void StudioWindow::refresh()
{
    // The children's run looks in the list's folder, then the teacher's, then the bundled pictures (recordings: not
    // the bundled folder's, but for a bundled list); so does the studio.
    const QString listPath
        = m_list.path().isEmpty() ? QDir(m_paths.teacherFolder()).filePath(QStringLiteral("x")) : m_list.path();
    m_finder.setPlaces(m_paths.contentPlaces(listPath));
    m_voices.setPlaces(m_paths.voicePlaces(listPath));
    m_filling = true;
    m_table->setRowCount(m_list.size());
    m_pictureShown.assign(static_cast<size_t>(m_list.size()), false);
    for (int row = 0; row < m_list.size(); ++row) {
        fillRow(row);
    }
    m_filling = false;
    refreshProblems();
    loadVisiblePictures();
    updateTitle();
}

void StudioWindow::fillRow(int row)
{
    auto* word = new QTableWidgetItem(m_list.word(row));
    QFont font = word->font();
    font.setPointSize(font.pointSize() + 4);
    word->setFont(font);
    m_table->setItem(row, WordColumn, word);
    auto* picture = new QTableWidgetItem;
    picture->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    m_table->setItem(row, PictureColumn, picture);
    auto* problems = new QTableWidgetItem;
    problems->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    m_table->setItem(row, ProblemsColumn, problems);
}

void StudioWindow::refreshProblems()
{
    const PictureLookup lookup {[this](const QString& word) { return pictureOf(word); },
        [this](const QString& path) { return m_check.check(path); }};
    m_filling = true;
    int synthesised = 0;
    for (int row = 0; row < m_list.size(); ++row) {
        const QStringList problems = m_list.problems(row, lookup);
        QTableWidgetItem* item = m_table->item(row, ProblemsColumn);
        QString text = problems.isEmpty() ? QStringLiteral("Va bene.") : problems.join(QLatin1Char('\n'));
        const QString word = m_list.word(row).trimmed();
        if (!word.isEmpty()) {
            synthesised += m_voices.find(word).isEmpty() ? 1 : 0;
            text += m_voices.find(word).isEmpty()
                ? QStringLiteral("\nSi sentirà con la voce del sintetizzatore: nessuna registrazione.")
                : QStringLiteral("\nSi sentirà con la vostra registrazione.");
        }
        item->setText(text);
        item->setForeground(problems.isEmpty() ? QColor(0x1b, 0x6e, 0x20) : QColor(0xa0, 0x20, 0x10));
    }
    m_filling = false;
    QString summary = m_list.summary();
    if (synthesised > 0) {
        summary += (synthesised == 1
                ? QStringLiteral(" Una parola si sentirà con la voce del sintetizzatore.")
                : QStringLiteral(" %1 parole si sentiranno con la voce del sintetizzatore.").arg(synthesised));
    }
    m_summary->setText(summary);
}

void StudioWindow::loadVisiblePictures()
{
    // Only the rows on screen are decoded: a list of 500 words opens at once and fills in as the teacher scrolls.
    const int height = std::max(m_table->viewport()->height(), pictureSize().height() * 8);
    const int first = std::max(0, m_table->rowAt(0));
    int last = m_table->rowAt(height - 1);
    if (last < 0) {
        last = m_list.size() - 1;
    }
    last = std::min(last + 2, m_list.size() - 1);
    const qreal ratio = devicePixelRatioF();
    for (int row = first; row <= last; ++row) {
        if (m_pictureShown[static_cast<size_t>(row)]) {
            continue;
        }
        m_pictureShown[static_cast<size_t>(row)] = true;
        const QPixmap shown = m_pictures.load(pictureOf(m_list.word(row)), pictureSize(), ratio);
        m_filling = true;
        m_table->item(row, PictureColumn)->setData(Qt::DecorationRole, shown);
        m_filling = false;
    }
}

void StudioWindow::updateTitle()
{
    const QString name = m_list.path().isEmpty() ? QStringLiteral("nuova lista") : QFileInfo(m_list.path()).fileName();
    setWindowTitle(QStringLiteral("%1[*] – Tavenzo, liste di parole").arg(name));
    setWindowModified(m_list.modified());
}

bool StudioWindow::askToKeepChanges()
{
    if (!m_list.modified()) {
        return true;
    }
    const QString name = m_list.path().isEmpty() ? QStringLiteral("nuova lista") : QFileInfo(m_list.path()).fileName();
    switch (m_dialogs.askUnsaved(name)) {
    case UnsavedAnswer::Save:
        return save();
    case UnsavedAnswer::Discard:
        return true;
    case UnsavedAnswer::Cancel:
        break;
    }
    return false;
}

bool StudioWindow::askToKeepSettings()
{
    for (const QPointer<QWidget>& page : m_settingsPages) {
        auto* settings = qobject_cast<SettingsPage*>(page.data());
        if (settings == nullptr || !settings->modified()) {
            continue;
        }
        m_tabs->setCurrentWidget(settings);
        if (m_boxes.question(QStringLiteral("Le impostazioni sono cambiate ma non sono ancora salvate. Salvarle prima "
                                            "di chiudere?"))
            && !settings->save()) {
            return false;
        }
    }
    return true;
}

void StudioWindow::closeEvent(QCloseEvent* event)
{
    if (askToKeepChanges() && askToKeepSettings()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool StudioWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_table->viewport()) {
        return QMainWindow::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (droppedFiles(drag->mimeData()).isEmpty()) {
            return false;
        }
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = droppedFiles(drop->mimeData());
        if (files.isEmpty()) {
            return false;
        }
        int row = m_table->rowAt(drop->position().toPoint().y());
        if (row < 0) {
            // Dropped below the words: a new word named after the file, as a teacher names her photo.
            m_list.append(QFileInfo(files.constFirst()).completeBaseName());
            refresh();
            row = m_list.size() - 1;
        }
        selectRow(row);
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        importPictureFor(row, files.constFirst());
        return true;
    }
    case QEvent::Resize:
        QTimer::singleShot(0, this, &StudioWindow::loadVisiblePictures);
        return false;
    default:
        return false;
    }
}

namespace {

const QString kNoSound = QStringLiteral("Il suono non è disponibile in questa finestra: ascoltate e registrate le "
                                        "parole dallo studio di Tavenzo (tavenzo --insegnante).");

} // namespace

void StudioWindow::listen(int row)
{
    if (row < 0 || row >= m_list.size()) {
        m_boxes.information(QStringLiteral("Scegliete prima la riga della parola."));
        return;
    }
    const QString word = m_list.word(row).trimmed();
    if (word.isEmpty()) {
        return;
    }
    if (m_sound == nullptr) {
        m_boxes.error(kNoSound);
        return;
    }
    const QString recording = m_voices.find(word);
    const quint64 ticket = ++m_listens;
    auto made = std::make_shared<std::optional<PcmSound>>();
    // Said in lower case, as in the children's run: in capitals the synthesiser spells a short word.
    m_sound->work.run(
        [made, recording, said = word.toLower(), &decoder = m_sound->decoder, synthesiser = m_sound->synthesiser] {
            *made = wordSound(recording, said, decoder, synthesiser);
        },
        [window = QPointer<StudioWindow>(this), made, ticket, word] {
            if (window.isNull() || ticket != window->m_listens) {
                return;
            }
            const std::optional<PcmSound> sound = playable(*made, SoundBank::kSilenceMilliseconds);
            if (!sound) {
                window->m_boxes.error(QStringLiteral("Non riesco a far sentire «%1»: la registrazione non si legge e "
                                                     "la voce del sintetizzatore manca (pacchetto espeak-ng-data).")
                                          .arg(word));
                return;
            }
            if (!window->m_sound->output.play(
                    sound->format, sound->samples, sound->format.bytesFor(SoundBank::kBufferMilliseconds))) {
                window->m_boxes.error(QStringLiteral("Non trovo dove far sentire la parola: controllate che le casse "
                                                     "o le cuffie siano collegate e il volume acceso."));
            }
        });
}

bool StudioWindow::record(int row)
{
    return recording() ? finishRecording() : startRecording(row);
}

bool StudioWindow::startRecording(int row)
{
    if (row < 0 || row >= m_list.size()) {
        m_boxes.information(QStringLiteral("Scegliete prima la riga della parola."));
        return false;
    }
    const QString word = m_list.word(row).trimmed();
    if (word.isEmpty()) {
        m_boxes.information(QStringLiteral("Scrivete prima la parola, poi registratela."));
        return false;
    }
    if (!ContentFinder::isPortableName(word) || word.startsWith(QLatin1Char('.'))) {
        m_boxes.error(
            QStringLiteral("La parola «%1» non può dare il nome a un file: correggetela, poi registratela.").arg(word));
        return false;
    }
    if (m_sound == nullptr) {
        m_boxes.error(kNoSound);
        return false;
    }
    // Only a recording beside the list is replaced, and only when the teacher says so; one in the teacher's folder
    // stays for her other lists.
    const QString existing = ContentFinder(voiceKind(), {listFolder()}).find(word);
    if (!existing.isEmpty()
        && !m_boxes.question(QStringLiteral("«%1» ha già una registrazione (%2). Registrarla di nuovo al suo posto?")
                                 .arg(word, QDir::toNativeSeparators(existing)))) {
        return false;
    }
    if (!m_sound->microphone.start()) {
        m_boxes.error(QStringLiteral("Non trovo un microfono. Collegatene uno, controllate che non sia spento nelle "
                                     "impostazioni del suono del computer, poi premete di nuovo «Registra»."));
        return false;
    }
    m_recordingWord = word;
    m_recordLimit->start();
    updateRecordButton();
    return true;
}

bool StudioWindow::finishRecording()
{
    if (!recording()) {
        return false;
    }
    m_recordLimit->stop();
    const QString word = m_recordingWord;
    m_recordingWord.clear();
    updateRecordButton();
    const PcmSound levelled = levelledRecording(m_sound->microphone.stop());
    if (levelled.samples.isEmpty()) {
        m_boxes.error(QStringLiteral("Non si è sentito niente: avvicinatevi al microfono, controllate che sia acceso e "
                                     "registrate di nuovo «%1».")
                          .arg(word));
        return false;
    }
    QString why;
    const QString saved = saveRecording(listFolder(), word, levelled, &why);
    if (saved.isEmpty()) {
        m_boxes.error(QStringLiteral("La registrazione di «%1» non è stata salvata. %2").arg(word, why));
        return false;
    }
    m_recordedHere.insert(word.toLower());
    refreshProblems();
    return true;
}

int StudioWindow::copyRecordings(const QString& from, const QString& to, const QStringList& words)
{
    ContentFinder own(voiceKind(), {from});
    ContentFinder there(voiceKind(), {to});
    int copied = 0;
    for (const QString& word : words) {
        const QString file = own.find(word.trimmed());
        // A recording already there is the teacher's own and stays.
        if (file.isEmpty() || !there.find(word.trimmed()).isEmpty()) {
            continue;
        }
        const QString folder = QDir(to).filePath(voiceKind().folder);
        QDir().mkpath(folder);
        copied += QFile::copy(file, QDir(folder).filePath(QFileInfo(file).fileName())) ? 1 : 0;
    }
    return copied;
}

void StudioWindow::updateRecordButton()
{
    m_record->setText(recording() ? QStringLiteral("Ferma la registrazione") : QStringLiteral("Registra"));
}

} // namespace tavenzo::ui
