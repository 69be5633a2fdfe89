// What assistive technology sees of the running window. QML tests reach it as the singleton
// AccessibilityTree of the module VelquinTest 1.0.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCoreApplication>
#include <QObject>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QStringList>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

// Roles that a user acts on; such an element needs a name.
bool is_control_role(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::Link:
    case QAccessible::PageTab:
    case QAccessible::MenuItem:
    case QAccessible::ListItem:
    case QAccessible::Slider:
    case QAccessible::SpinBox:
    case QAccessible::EditableText:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::ScrollBar:
        return true;
    default:
        return false;
    }
}

bool has_actions(QAccessibleInterface* iface)
{
    QAccessibleActionInterface* actions = iface->actionInterface();
    return actions && !actions->actionNames().isEmpty();
}

QString role_name(QAccessible::Role role)
{
    const int index = QAccessible::staticMetaObject.indexOfEnumerator("Role");
    const char* key = QAccessible::staticMetaObject.enumerator(index).valueToKey(role);
    return key ? QString::fromLatin1(key) : QString::number(role);
}

// An item as a test message names it: its objectName, else its type and its parent's name.
QString describe(QObject* object)
{
    if (!object)
        return QStringLiteral("(no object)");
    QString text = QString::fromLatin1(object->metaObject()->className());
    if (!object->objectName().isEmpty())
        return text + " \"" + object->objectName() + "\"";
    if (auto* item = qobject_cast<QQuickItem*>(object)) {
        for (QQuickItem* up = item->parentItem(); up; up = up->parentItem())
            if (!up->objectName().isEmpty())
                return text + " in \"" + up->objectName() + "\"";
    }
    return text;
}

QString describe(QAccessibleInterface* iface)
{
    return role_name(iface->role()) + " " + describe(iface->object()) + " named \"" +
           iface->text(QAccessible::Name) + "\"";
}

QQuickWindow* quick_window(QObject* object)
{
    auto* window = qobject_cast<QQuickWindow*>(object);
    if (!window)
        qWarning("AccessibilityTree: %s is no Qt Quick window", qPrintable(describe(object)));
    return window;
}

QAccessibleInterface* interface_of(QObject* object)
{
    return object ? QAccessible::queryAccessibleInterface(object) : nullptr;
}

class AccessibilityTree : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Everything on screen that assistive technology would miss: controls without a name or a
    // role, pictures that are not hidden, and clickable or focusable items that it cannot see.
    Q_INVOKABLE QStringList faults(QObject* window_object) const
    {
        QStringList found;
        QQuickWindow* window = quick_window(window_object);
        if (!window)
            return {QStringLiteral("no window")};
        check_interfaces(interface_of(window), found);
        check_items(window->contentItem(), found);
        return found;
    }

    // The shown part of the tree, one line per element, for messages and debugging.
    Q_INVOKABLE QStringList dump(QObject* window_object) const
    {
        QStringList lines;
        if (QQuickWindow* window = quick_window(window_object))
            dump_interface(interface_of(window), 0, lines);
        return lines;
    }

    // Controls take their names and roles when they are made, and only while a bridge to
    // assistive technology is active: call this before the window is made.
    Q_INVOKABLE bool activate() const
    {
        QPlatformIntegration* integration = QGuiApplicationPrivate::platformIntegration();
        if (QPlatformAccessibility* bridge = integration ? integration->accessibility() : nullptr)
            bridge->setActive(true);
        return QAccessible::isActive();
    }

    Q_INVOKABLE QString name_of(QObject* item) const
    {
        QAccessibleInterface* iface = interface_of(item);
        return iface ? iface->text(QAccessible::Name) : QString();
    }

    Q_INVOKABLE QString description_of(QObject* item) const
    {
        QAccessibleInterface* iface = interface_of(item);
        return iface ? iface->text(QAccessible::Description) : QString();
    }

    // Whether the item is in the tree that assistive technology walks, and not hidden there.
    Q_INVOKABLE bool exposed(QObject* item) const
    {
        QQuickItem* quick = qobject_cast<QQuickItem*>(item);
        return quick && quick->window() && reaches(interface_of(quick->window()), item);
    }

private:
    static bool shown(QAccessibleInterface* iface) { return !iface->state().invisible; }

    // Whether Tab reaches it (the accessible state also calls containers focusable).
    static bool takes_focus(QAccessibleInterface* iface)
    {
        auto* item = qobject_cast<QQuickItem*>(iface->object());
        return item && item->activeFocusOnTab() && item->isEnabled();
    }

    void check_interfaces(QAccessibleInterface* iface, QStringList& found) const
    {
        if (!iface || !shown(iface))
            return;
        const QAccessible::Role role = iface->role();
        const bool acts = is_control_role(role) || takes_focus(iface) || has_actions(iface);
        if (acts && (role == QAccessible::NoRole || role == QAccessible::Client))
            found << "no role: " + describe(iface);
        else if (acts && iface->text(QAccessible::Name).trimmed().isEmpty())
            found << "no name: " + describe(iface);
        else if (role == QAccessible::Graphic && iface->text(QAccessible::Name).trimmed().isEmpty())
            found << "picture not hidden: " + describe(iface);
        for (int i = 0; i < iface->childCount(); ++i)
            check_interfaces(iface->child(i), found);
    }

    // A mouse area or a focusable item needs itself or its parent exposed as a named control.
    void check_items(QQuickItem* item, QStringList& found) const
    {
        if (!item || !item->isVisible() || !item->isEnabled())
            return;
        const bool clickable =
            item->inherits("QQuickMouseArea") && item->property("acceptedButtons").toInt() != 0;
        if (clickable || item->activeFocusOnTab()) {
            QAccessibleInterface* iface = interface_of(item);
            if (!iface && clickable)
                iface = interface_of(item->parentItem());
            if (!iface)
                found << "not exposed: " + describe(item);
            else if (!is_control_role(iface->role()) && !has_actions(iface))
                found << "exposed as no control: " + describe(iface);
            else if (iface->text(QAccessible::Name).trimmed().isEmpty())
                found << "no name: " + describe(iface);
        }
        for (QQuickItem* child : item->childItems())
            check_items(child, found);
    }

    bool reaches(QAccessibleInterface* iface, QObject* object) const
    {
        if (!iface || !shown(iface))
            return false;
        if (iface->object() == object)
            return true;
        for (int i = 0; i < iface->childCount(); ++i)
            if (reaches(iface->child(i), object))
                return true;
        return false;
    }

    void dump_interface(QAccessibleInterface* iface, int depth, QStringList& lines) const
    {
        if (!iface || !shown(iface))
            return;
        QString line = QString(depth * 2, ' ') + describe(iface);
        const QString description = iface->text(QAccessible::Description);
        if (!description.isEmpty())
            line += " (" + description + ")";
        if (takes_focus(iface))
            line += " [tab]";
        if (iface->state().focused)
            line += " [focused]";
        lines << line;
        for (int i = 0; i < iface->childCount(); ++i)
            dump_interface(iface->child(i), depth + 1, lines);
    }
};

// Events go nowhere: no screen reader listens in a test run.
void drop_update(QAccessibleEvent*) {}

void install_accessibility_tree()
{
    QAccessible::installUpdateHandler(drop_update);
    // One per engine: every test file has an engine of its own.
    qmlRegisterSingletonType<AccessibilityTree>(
        "VelquinTest", 1, 0, "AccessibilityTree",
        [](QQmlEngine*, QJSEngine*) -> QObject* { return new AccessibilityTree; });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(install_accessibility_tree)

#include "accessibilitytree.moc"
