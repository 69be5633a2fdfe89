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

using A = QAccessible;

// What a user acts on needs a role and a name.
bool acts(QAccessibleInterface* iface)
{
    static const QVector<A::Role> controls{
        A::Button,       A::CheckBox,   A::RadioButton,    A::ComboBox, A::Link,
        A::PageTab,      A::MenuItem,   A::ListItem,       A::Slider,   A::SpinBox,
        A::EditableText, A::ButtonMenu, A::ButtonDropDown, A::ScrollBar};
    auto* item = qobject_cast<QQuickItem*>(iface->object());
    QAccessibleActionInterface* actions = iface->actionInterface();
    return controls.contains(iface->role()) || (actions && !actions->actionNames().isEmpty()) ||
           (item && item->activeFocusOnTab() && item->isEnabled());
}

bool named(QAccessibleInterface* iface)
{
    return iface && !iface->text(A::Name).trimmed().isEmpty();
}

// An item as a message names it: its objectName, else its type.
QString describe(QObject* object)
{
    return object->objectName().isEmpty() ? object->metaObject()->className()
                                          : object->objectName();
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
        return A::isActive();
    }

    // What assistive technology would get wrong: controls without a role or a name, pictures
    // that are not hidden, anything of a page out of sight (left or right of the window), and
    // clickable or focusable items that are no named control.
    Q_INVOKABLE QStringList faults(QQuickWindow* window) const
    {
        QStringList found;
        QAccessibleInterface* root = A::queryAccessibleInterface(window);
        check_interface(root, root->rect(), found);
        check_item(window->contentItem(), found);
        return found;
    }

    Q_INVOKABLE QString name_of(QObject* item) const
    {
        QAccessibleInterface* iface = A::queryAccessibleInterface(item);
        return iface ? iface->text(A::Name) : QString();
    }

private:
    void check_interface(QAccessibleInterface* iface, QRect window, QStringList& found) const
    {
        if (!iface || iface->state().invisible)
            return;
        const QRect rect = iface->rect();
        const bool no_role = iface->role() == A::NoRole || iface->role() == A::Client;
        if (acts(iface) && (no_role || !named(iface)))
            found << (no_role ? "no role: " : "no name: ") + describe(iface->object());
        else if (iface->role() == A::Graphic)
            found << "picture not hidden: " + describe(iface->object());
        else if (rect.isValid() && (rect.right() < window.left() || rect.left() > window.right()))
            found << "out of sight: " + describe(iface->object());
        for (int i = 0; i < iface->childCount(); ++i)
            check_interface(iface->child(i), window, found);
    }

    // A mouse area needs itself or its parent exposed as a named control, a focusable item itself.
    void check_item(QQuickItem* item, QStringList& found) const
    {
        if (!item->isVisible() || !item->isEnabled())
            return;
        const bool clickable =
            item->inherits("QQuickMouseArea") && item->property("acceptedButtons").toInt() != 0;
        if (clickable || item->activeFocusOnTab()) {
            QAccessibleInterface* iface = A::queryAccessibleInterface(item);
            if (!iface && clickable)
                iface = A::queryAccessibleInterface(item->parentItem());
            if (!iface || !acts(iface) || !named(iface))
                found << "no named control: " + describe(item);
        }
        for (QQuickItem* child : item->childItems())
            check_item(child, found);
    }
};

void install_accessibility_tree()
{
    // Events go nowhere: no screen reader listens in a test run.
    A::installUpdateHandler([](QAccessibleEvent*) {});
    qmlRegisterSingletonType<AccessibilityTree>(
        "VelquinTest", 1, 0, "AccessibilityTree",
        [](QQmlEngine*, QJSEngine*) -> QObject* { return new AccessibilityTree; });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(install_accessibility_tree)

#include "accessibilitytree.moc"
