#include "app/studio_run.h"

#include "core/background_work.h"
#include "core/settings.h"
#include "ui/glue/clicks.h"
#include "ui/glue/espeak_synthesiser.h"
#include "ui/glue/qt_picture_importer.h"
#include "ui/glue/qt_ports.h"
#include "ui/glue/qt_sound.h"
#include "ui/glue/qt_studio_dialogs.h"
#include "ui/glue/toolkit_setup.h"
#include "ui/studio/settings_page.h"
#include "ui/studio/studio_window.h"

#include <QApplication>

namespace tavenzo {

int runStudio(QApplication& app, const Paths& paths)
{
    ui::setUpToolkit(app);
    ui::QtMessageBoxes boxes;
    ui::QtStudioDialogs dialogs;
    ui::QtPictureImporter importer;
    // "Ascolta" speaks at the pace the children will hear; the work ends before the decoder and voice it uses.
    ui::QtSoundFileDecoder decoder;
    ui::QtPcmOutput output;
    // The page reads the settings file; the studio takes it among its pages below.
    auto* settingsPage = new ui::SettingsPage(settingsFile(paths.teacherFolder()), boxes);
    ui::EspeakSynthesiser synthesiser(settingsPage->shown().pace);
    ui::QtMicrophone microphone;
    ThreadPoolWork work;
    ui::StudioSound sound {work, decoder, output, &synthesiser, microphone};
    ui::StudioWindow studio(paths, boxes, dialogs, importer, &sound);
    // The teacher hears the pace she is choosing with "Ascolta", before she saves it.
    QObject::connect(settingsPage, &ui::SettingsPage::paceChanged, settingsPage,
        [&synthesiser](int pace) { synthesiser.setPace(pace); });
    studio.addSettingsPage(settingsPage, QStringLiteral("Impostazioni"));
    // Scripts wait for the line this logs before they click, as for the children's windows.
    ui::ignorePressesWhileNew(&studio);
    studio.show();
    return QApplication::exec();
}

} // namespace tavenzo
