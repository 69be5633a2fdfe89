// What assistive technology sees of the running window: the singleton AccessibilityTree of the
// module VelquinTest 1.0.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCoreApplication>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

// Roles that a user acts on; such an element needs a name.
bool is_control(QAccessible::Role role)
{
    using A = QAccessible;
    return QVector<A::Role>{A::Button,         A::CheckBox, A::RadioButton,  A::ComboBox,
                            A::Link,           A::PageTab,  A::MenuItem,     A::ListItem,
                            A::Slider,         A::SpinBox,  A::EditableText, A::ButtonMenu,
                            A::ButtonDropDown, A::ScrollBar}
        .contains(role);
}

bool acts(QAccessibleInterface* iface)
{
    QAccessibleActionInterface* actions = iface->actionInterface();
    return is_control(iface->role()) || (actions && !actions->actionNames().isEmpty());
}

QAccessibleInterface* interface_of(QObject* object)
{
    return object ? QAccessible::queryAccessibleInterface(object) : nullptr;
}

// An element as a message names it: its role, its item's objectName (or its class) and its name.
QString describe(QAccessibleInterface* iface, QObject* object)
{
    const int roles = QAccessible::staticMetaObject.indexOfEnumerator("Role");
    QString text =
        object->objectName().isEmpty() ? object->metaObject()->className() : object->objectName();
    if (auto* item = qobject_cast<QQuickItem*>(object); item && object->objectName().isEmpty())
        for (QQuickItem* up = item->parentItem(); up; up = up->parentItem())
            if (!up->objectName().isEmpty()) {
                text += " in " + up->objectName();
                break;
            }
    if (!iface)
        return text;
    return QString(QAccessible::staticMetaObject.enumerator(roles).valueToKey(iface->role())) +
           " " + text + " named \"" + iface->text(QAccessible::Name) + "\"";
}

class AccessibilityTree : public QObject
{
    Q_OBJECT

public:
    // Controls take their names and roles when they are made, and only while a bridge to
    // assistive technology is active: call this before the window is made.
    Q_INVOKABLE bool activate() const
    {
        if (QPlatformIntegration* integration = QGuiApplicationPrivate::platformIntegration())
            if (QPlatformAccessibility* bridge = integration->accessibility())
                bridge->setActive(true);
        return QAccessible::isActive();
    }

    // What assistive technology would miss: controls without a name or a role, pictures that are
    // not hidden, and clickable or focusable items that it cannot see.
    Q_INVOKABLE QStringList faults(QQuickWindow* window) const
    {
        QStringList found;
        check_interface(interface_of(window), found);
        check_item(window->contentItem(), found);
        return found;
    }

    Q_INVOKABLE QString name_of(QObject* item) const { return text(item, QAccessible::Name); }
    Q_INVOKABLE QString description_of(QObject* item) const
    {
        return text(item, QAccessible::Description);
    }

    // Whether the item is in the tree that assistive technology walks, and not hidden there.
    Q_INVOKABLE bool exposed(QQuickItem* item) const
    {
        return item && item->window() && reaches(interface_of(item->window()), item);
    }

private:
    static QString text(QObject* item, QAccessible::Text kind)
    {
        QAccessibleInterface* iface = interface_of(item);
        return iface ? iface->text(kind) : QString();
    }

    void check_interface(QAccessibleInterface* iface, QStringList& found) const
    {
        if (!iface || iface->state().invisible)
            return;
        const QAccessible::Role role = iface->role();
        auto* item = qobject_cast<QQuickItem*>(iface->object());
        const bool named = !iface->text(QAccessible::Name).trimmed().isEmpty();
        if (acts(iface) || (item && item->activeFocusOnTab() && item->isEnabled())) {
            if (role == QAccessible::NoRole || role == QAccessible::Client)
                found << "no role: " + describe(iface, iface->object());
            else if (!named)
                found << "no name: " + describe(iface, iface->object());
        } else if (role == QAccessible::Graphic && !named) {
            found << "picture not hidden: " + describe(iface, iface->object());
        }
        for (int i = 0; i < iface->childCount(); ++i)
            check_interface(iface->child(i), found);
    }

    // A mouse area or a focusable item needs itself or its parent exposed as a named control.
    void check_item(QQuickItem* item, QStringList& found) const
    {
        if (!item || !item->isVisible() || !item->isEnabled())
            return;
        const bool clickable =
            item->inherits("QQuickMouseArea") && item->property("acceptedButtons").toInt() != 0;
        if (clickable || item->activeFocusOnTab()) {
            QAccessibleInterface* iface = interface_of(item);
            if (!iface && clickable)
                iface = interface_of(item->parentItem());
            if (!iface || !acts(iface) || iface->text(QAccessible::Name).trimmed().isEmpty())
                found << "not exposed as a named control: " + describe(iface, item);
        }
        for (QQuickItem* child : item->childItems())
            check_item(child, found);
    }

    bool reaches(QAccessibleInterface* iface, QObject* object) const
    {
        if (!iface || iface->state().invisible)
            return false;
        for (int i = 0; i < iface->childCount() && iface->object() != object; ++i)
            if (reaches(iface->child(i), object))
                return true;
        return iface->object() == object;
    }
};

// Events go nowhere: no screen reader listens in a test run.
void drop_update(QAccessibleEvent*) {}

void install_accessibility_tree()
{
    QAccessible::installUpdateHandler(drop_update);
    qmlRegisterSingletonType<AccessibilityTree>(
        "VelquinTest", 1, 0, "AccessibilityTree",
        [](QQmlEngine*, QJSEngine*) -> QObject* { return new AccessibilityTree; });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(install_accessibility_tree)

#include "accessibilitytree.moc"
