#include "ui/glue/shared_icons.h"

#include <QAbstractButton>
#include <QHash>

namespace tavenzo::ui {

QIcon sharedIcon(const QString& resource)
{
    static QHash<QString, QIcon> icons;
    auto it = icons.find(resource);
    if (it == icons.end()) {
        it = icons.insert(resource, QIcon(resource));
    }
    return *it;
}

void useSharedIcon(QAbstractButton* button, const QString& resource)
{
    button->setIcon(sharedIcon(resource));
}

} // namespace tavenzo::ui
