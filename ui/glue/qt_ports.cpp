#include "ui/glue/qt_ports.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace tavenzo::ui {

namespace {

const QString kTitle = QStringLiteral("Tavenzo");

int showBox(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
    QMessageBox::StandardButton byDefault)
{
    QMessageBox box(icon, kTitle, text, buttons, QApplication::activeWindow());
    box.setDefaultButton(byDefault);
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
    QFileDialog dialog(QApplication::activeWindow(), QString(), startFolder, QStringLiteral("*.TXT (*.[tT][xX][tT])"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
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
