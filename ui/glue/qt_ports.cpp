#include "ui/glue/qt_ports.h"

#include "ui/glue/presentation.h"

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QTreeView>

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

// Over a screen shown full-screen, a box's text grows with the screen, so it can be read from the back of the class;
// the toolkit centres it over the screen.
void growWithTheScreen(QWidget* dialog, QWidget* over)
{
    const double factor = over != nullptr ? stageOf(over).factor : 1.0;
    if (factor > 1.0) {
        scaleFonts(dialog, factor);
    }
}

int showBox(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton byDefault)
{
    QWidget* over = ownerWindow();
    QMessageBox box(icon, kTitle, text, buttons, over);
    box.setDefaultButton(byDefault);
    growWithTheScreen(&box, over);
    return box.exec();
}

} // namespace

bool QtMessageBoxes::question(const QString& text)
{
    return showBox(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        == QMessageBox::Yes;
}

void QtMessageBoxes::information(const QString& text)
{
    showBox(QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtMessageBoxes::error(const QString& text)
{
    showBox(QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtMessageBoxes::plain(const QString& text)
{
    showBox(QMessageBox::NoIcon, text, QMessageBox::Ok, QMessageBox::Ok);
}

QString QtFileChooser::chooseWordList(const QString& startFolder)
{
    // One filter entry shown as "*.TXT" that offers .txt files whatever the case of their extension.
    QWidget* over = ownerWindow();
    QFileDialog dialog(over, QString(), startFolder, QStringLiteral("*.TXT (*.[tT][xX][tT])"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    growWithTheScreen(&dialog, over);
    // Size, kind and date are shown whole; the name takes the rest of the width.
    if (auto* files = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        files->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        files->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    // Wide enough to read the names and dates in full; over a full screen, most of it.
    const QSize room = over != nullptr ? over->size() : QSize(800, 560);
    dialog.resize(std::min(room.width() * 9 / 10, std::max(800, room.width() * 2 / 3)),
        std::min(room.height() * 9 / 10, std::max(520, room.height() * 2 / 3)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

void QtBeeper::beep()
{
    QApplication::beep();
}

} // namespace tavenzo::ui
