#include "app/children_run.h"
#include "ui/glue/clicks.h"
#include "ui/glue/qt_picture_importer.h"
#include "ui/glue/qt_ports.h"
#include "ui/glue/qt_studio_dialogs.h"
#include "ui/glue/toolkit_setup.h"
#include "ui/studio/studio_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    tavenzo::ui::CommandLine options;
    if (const std::optional<int> status = tavenzo::beforeToolkit(argc, argv, options)) {
        return *status;
    }
    QApplication app(argc, argv);
    const tavenzo::Paths paths(tavenzo::Paths::bundledFolderOf(QCoreApplication::applicationDirPath()),
        tavenzo::Paths::teacherFolderFor(options.folder, tavenzo::Paths::systemSettingsFile()));
    if (options.studio) {
        // The teachers' studio: no sounds, no exercises, only the lists and their pictures.
        tavenzo::ui::setUpToolkit(app);
        tavenzo::ui::QtMessageBoxes boxes;
        tavenzo::ui::QtStudioDialogs dialogs;
        tavenzo::ui::QtPictureImporter importer;
        tavenzo::ui::StudioWindow studio(paths, boxes, dialogs, importer);
        // Scripts wait for the line this logs before they click, as for the children's windows.
        tavenzo::ui::ignorePressesWhileNew(&studio);
        studio.show();
        return QApplication::exec();
    }
    return tavenzo::runChildren(app, paths, options);
}
