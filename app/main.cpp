#include "app/children_run.h"
#include "app/studio_run.h"

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
        return tavenzo::runStudio(app, paths);
    }
    return tavenzo::runChildren(app, paths, options);
}
