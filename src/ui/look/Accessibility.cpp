#include "ui/look/Accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace veltrasa {
namespace {
QAccessibleInterface* mainWindowInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("veltrasa::MainWindow") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}
} // namespace

void installAccessibleRoles()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(mainWindowInterface);
}

} // namespace veltrasa
