#include "ui/glue/qt_ports.h"

#include "ui/glue/clicks.h"
#include "ui/glue/presentation.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

#include <optional>

namespace tavenzo::ui {

namespace {

const QString kTitle = QStringLiteral("Tavenzo");

// The program's window a box belongs over: the active one, or, where no window manager makes any active, the one
// screen on view.
QWidget* ownerWindow()
{
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !window->isModal() && window->windowType() == Qt::Window) {
            return window;
        }
    }
    return nullptr;
}

std::function<void(QDialog&)>& modalSeam()
{
    static std::function<void(QDialog&)> seam;
    return seam;
}

// Like a new screen, a box takes no press for the double-click interval: the second half of the double click that
// opened it lands on nothing.
int runModal(QDialog& dialog)
{
    ignorePressesWhileNew(&dialog);
    if (!modalSeam()) {
        return dialog.exec();
    }
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    modalSeam()(dialog);
    dialog.hide();
    return dialog.result();
}

// Over a screen shown full-screen, a box grows with the screen, so it can be read from the back of the class.
double factorOver(const QWidget* over)
{
    return over != nullptr ? std::max(1.0, stageOf(over).factor) : 1.0;
}

// The width a box may take: the screen's, or that of the screen the window stands for when it covers it.
int roomOn(const QWidget* over)
{
    const QScreen* screen
        = over != nullptr && over->screen() != nullptr ? over->screen() : QGuiApplication::primaryScreen();
    const int width = screen->availableGeometry().width();
    return over != nullptr && over->isFullScreen() ? std::max(width, over->width()) : width;
}

constexpr double kSmallestPoints = 12.0;
// The help word is shown as large as the word of the exercise it helps with.
constexpr double kWordPoints = 36.0;

enum class BoxKind { Question, Information, Error, Plain };

// A box of the program's own rather than the toolkit's, which caps its width at 1000 pixels and so wraps a short
// question in two on a 4K screen: its text, icon, buttons and margins all grow with the screen it is shown over.
bool showBox(BoxKind kind, const QString& text)
{
    QWidget* over = ownerWindow();
    const double factor = factorOver(over);
    QDialog box(over);
    box.setObjectName(QStringLiteral("box"));
    box.setWindowTitle(kTitle);
    // Read from the desks: no smaller than the smallest text of the menu, and grown with the screen.
    QFont font = box.font();
    font.setPointSizeF(std::max(QFontInfo(font).pointSizeF(), kSmallestPoints) * factor);
    box.setFont(font);

    auto* layout = new QGridLayout(&box);
    const int gap = qRound(12 * factor);
    layout->setContentsMargins(2 * gap, 2 * gap, 2 * gap, gap);
    layout->setHorizontalSpacing(2 * gap);
    layout->setVerticalSpacing(2 * gap);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    int iconRoom = 0;
    const std::optional<QStyle::StandardPixmap> icon = kind == BoxKind::Question ? QStyle::SP_MessageBoxQuestion
        : kind == BoxKind::Information                                           ? QStyle::SP_MessageBoxInformation
        : kind == BoxKind::Error                                                 ? QStyle::SP_MessageBoxCritical
                                 : std::optional<QStyle::StandardPixmap>();
    if (icon) {
        const int side = qRound(box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box) * factor);
        auto* picture = new QLabel(&box);
        picture->setObjectName(QStringLiteral("icon"));
        // The style's icons come in a few sizes; a larger one is drawn from the largest there is.
        const QIcon standard = box.style()->standardIcon(*icon, nullptr, &box);
        const QSize pixels = QSize(side, side) * box.devicePixelRatioF();
        QPixmap pixmap = standard.pixmap(pixels);
        if (pixmap.size() != pixels) {
            QSize largest;
            for (const QSize& size : standard.availableSizes()) {
                largest = size.width() > largest.width() ? size : largest;
            }
            pixmap = standard.pixmap(largest.isValid() ? largest : pixels)
                         .scaled(pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        pixmap.setDevicePixelRatio(box.devicePixelRatioF());
        picture->setPixmap(pixmap);
        layout->addWidget(picture, 0, 0, Qt::AlignTop);
        iconRoom = side + layout->horizontalSpacing();
    }

    auto* label = new QLabel(text, &box);
    label->setObjectName(QStringLiteral("text"));
    label->setTextFormat(Qt::PlainText);
    if (kind == BoxKind::Plain) {
        QFont word = label->font();
        word.setPointSizeF(std::max(word.pointSizeF(), kWordPoints * factor));
        word.setBold(true);
        label->setFont(word);
    }
    // Every line stays whole while the widest fits the screen; only a longer one wraps, between its words.
    const QFontMetrics metrics(label->font());
    int widest = 0;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")))) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    const int most = roomOn(over) * 9 / 10 - iconRoom - 4 * gap;
    if (widest > most) {
        label->setWordWrap(true);
        label->setFixedWidth(most);
    }
    layout->addWidget(label, 0, icon ? 1 : 0, Qt::AlignVCenter);

    auto* buttons = new QDialogButtonBox(
        kind == BoxKind::Question ? QDialogButtonBox::Yes | QDialogButtonBox::No : QDialogButtonBox::Ok, &box);
    buttons->setObjectName(QStringLiteral("buttons"));
    for (QAbstractButton* button : buttons->buttons()) {
        button->setMinimumSize(qRound(80 * factor), qRound(30 * factor));
        button->setIconSize(button->iconSize() * factor);
    }
    auto* byDefault = buttons->button(kind == BoxKind::Question ? QDialogButtonBox::Yes : QDialogButtonBox::Ok);
    byDefault->setDefault(true);
    byDefault->setFocus();
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    layout->addWidget(buttons, 1, 0, 1, icon ? 2 : 1);
    return runModal(box) == QDialog::Accepted;
}

} // namespace

void setModalSeam(std::function<void(QDialog&)> seam)
{
    modalSeam() = std::move(seam);
}

bool QtMessageBoxes::question(const QString& text)
{
    return showBox(BoxKind::Question, text);
}

void QtMessageBoxes::information(const QString& text)
{
    showBox(BoxKind::Information, text);
}

void QtMessageBoxes::error(const QString& text)
{
    showBox(BoxKind::Error, text);
}

void QtMessageBoxes::plain(const QString& text)
{
    showBox(BoxKind::Plain, text);
}

QString QtFileChooser::chooseWordList(const QString& startFolder)
{
    // One filter entry that offers plain-text and comma-separated lists whatever the case of their extension.
    QWidget* over = ownerWindow();
    const double factor = factorOver(over);
    QFileDialog dialog(over, QString(), startFolder, QStringLiteral("*.TXT, *.CSV (*.[tT][xX][tT] *.[cC][sS][vV])"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setViewMode(QFileDialog::Detail);
    // A teacher brings her lists on a USB stick, which the desktop mounts under one of these.
    QList<QUrl> places = dialog.sidebarUrls();
    for (const QString& media : {QStringLiteral("/media"), QStringLiteral("/run/media")}) {
        const QUrl url = QUrl::fromLocalFile(media);
        if (QFileInfo(media).isDir() && !places.contains(url)) {
            places.append(url);
        }
    }
    dialog.setSidebarUrls(places);
    if (factor > 1.0) {
        scaleFonts(&dialog, factor);
        for (QToolButton* button : dialog.findChildren<QToolButton*>()) {
            button->setIconSize(button->iconSize() * factor);
        }
    }
    for (QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>()) {
        const int side = view->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, view);
        view->setIconSize(QSize(side, side) * factor);
    }
    // The names are shown whole, so lists that begin alike are told apart; size and date beside them, the kind
    // ("txt File") left out.
    if (auto* files = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        files->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        files->header()->setStretchLastSection(true);
        files->header()->hideSection(2);
    }
    if (auto* sidebar = dialog.findChild<QWidget*>(QStringLiteral("sidebar"))) {
        sidebar->setMinimumWidth(qRound(120 * factor));
    }
    // Wide enough to read the names and dates in full; over a full screen, most of it.
    const QSize room = over != nullptr ? over->size() : QSize(800, 560);
    dialog.resize(std::min(room.width() * 9 / 10, std::max(800, room.width() * 2 / 3)),
        std::min(room.height() * 9 / 10, std::max(520, room.height() * 2 / 3)));
    if (runModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void QtBeeper::beep()
{
    QApplication::beep();
}

} // namespace tavenzo::ui
