#include "ui/glue/qt_studio_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QImageReader>
#include <QMessageBox>
#include <QPushButton>

namespace tavenzo::ui {

namespace {

const QString kTitle = QStringLiteral("Tavenzo");

QString chooseFile(QFileDialog::AcceptMode mode, const QString& start, const QString& filter, const QString& title)
{
    QFileDialog dialog(QApplication::activeWindow(), title, start, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (mode == QFileDialog::AcceptSave) {
        dialog.setDefaultSuffix(QStringLiteral("txt"));
        dialog.selectFile(start);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString pictureFilter()
{
    QStringList patterns;
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        patterns << QStringLiteral("*.") + QString::fromLatin1(format);
    }
    return QStringLiteral("Figure (%1);;Tutti i file (*)").arg(patterns.join(QLatin1Char(' ')));
}

UnsavedAnswer QtStudioDialogs::askUnsaved(const QString& listName)
{
    QMessageBox box(QMessageBox::Question, kTitle,
        QStringLiteral("La lista «%1» ha modifiche non salvate. Volete salvarle prima di chiudere?").arg(listName),
        QMessageBox::NoButton, QApplication::activeWindow());
    QPushButton* save = box.addButton(QStringLiteral("Salva"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Non salvare"), QMessageBox::DestructiveRole);
    box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.exec();
    if (box.clickedButton() == save) {
        return UnsavedAnswer::Save;
    }
    return box.clickedButton() == discard ? UnsavedAnswer::Discard : UnsavedAnswer::Cancel;
}

QString QtStudioDialogs::chooseListToOpen(const QString& startFolder)
{
    return chooseFile(QFileDialog::AcceptOpen, startFolder, QStringLiteral("Liste di parole (*.txt *.TXT)"),
        QStringLiteral("Apri una lista di parole"));
}

QString QtStudioDialogs::chooseListToSave(const QString& suggestedPath)
{
    return chooseFile(QFileDialog::AcceptSave, suggestedPath, QStringLiteral("Liste di parole (*.txt)"),
        QStringLiteral("Salva la lista di parole"));
}

QString QtStudioDialogs::choosePicture(const QString& startFolder)
{
    return chooseFile(
        QFileDialog::AcceptOpen, startFolder, pictureFilter(), QStringLiteral("Scegli la figura della parola"));
}

} // namespace tavenzo::ui
