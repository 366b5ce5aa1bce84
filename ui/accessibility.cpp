#include "ui/accessibility.h"

#include <QAccessibleWidget>

namespace {

QAccessibleInterface* accessibleRole(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    // Unnamed, a top-level QWidget would be read as a plain panel, and its title never.
    if (className == QLatin1String("QWidget") && widget->windowType() == Qt::Window)
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("StatusLabel"))
        return new QAccessibleWidget(widget, QAccessible::StatusBar);
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    QAccessible::installFactory(accessibleRole);
}
