// Linked into a copy of the application (src/main.cpp unchanged): once the window is up, it walks
// through every screen and saves a picture of each into $VELQUIN_SCREENSHOTS_DIR, then quits.
// Run it with VELQUIN_SIMULATOR=1 (scripts/screenshots does).
#include "device.h"
#include "vhid_virtual.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>
#include <QVariant>

#include <vector>

namespace {

struct Action
{
    enum Kind { Set, Call, Unplug } kind;
    QString object; // objectName in the window, or "device"
    QString member; // property or method
    QVariant value = {};
};

struct Shot
{
    QString name;
    std::vector<Action> actions;
    int settle_ms = 700;       // slides, popups and fades finish
    bool wait_for_read = true; // the device's configuration is read first
};

// In order: connected screens first; the last ones are taken after the device has gone.
const std::vector<Shot>& tour()
{
    static const std::vector<Shot> shots = {
        {"01-about", {}},
        {"02-device-configuration", {{Action::Set, "swipeview_main", "currentIndex", 0}}},
        {"03-device-configuration-end",
         {{Action::Set, "device_configuration_page", "contentY", 100000},
          {Action::Call, "device_configuration_page", "returnToBounds"}}},
        {"04-device-menu",
         {{Action::Set, "device_configuration_page", "contentY", 0},
          {Action::Call, "menu_toggle", "clicked"}}},
        {"05-switch-1",
         {{Action::Call, "menu_toggle", "clicked"},
          {Action::Set, "swipeview_connected", "switch_index", 0},
          {Action::Set, "swipeview_connected", "currentIndex", 1}}},
        {"06-switch-3-keyboard", {{Action::Set, "swipeview_connected", "switch_index", 2}}},
        {"07-switch-5-pointer", {{Action::Set, "swipeview_connected", "switch_index", 4}}},
        // The other panels as the user picks them (a check plus `toggled`, as a tap does), with
        // the joystick and generic interfaces shown and the captions small.
        {"07a-switch-5-multimedia",
         {{Action::Set, "iface_cctrl", "checked", true}, {Action::Call, "iface_cctrl", "toggled"}}},
        {"07b-switch-5-joystick",
         {{Action::Set, "config", "use_joystick", true},
          {Action::Set, "iface_joyst", "checked", true},
          {Action::Call, "iface_joyst", "toggled"}}},
        {"07c-switch-5-generic",
         {{Action::Set, "settings_generic", "checked", true},
          {Action::Call, "settings_generic", "toggled"},
          {Action::Set, "iface_gener", "checked", true},
          {Action::Call, "iface_gener", "toggled"}}},
        {"08-settings",
         {{Action::Set, "settings_generic", "checked", false},
          {Action::Call, "settings_generic", "toggled"},
          {Action::Set, "iface_mouse", "checked", true},
          {Action::Call, "iface_mouse", "toggled"},
          {Action::Set, "config", "use_joystick", false},
          {Action::Call, "window", "send_config"},
          {Action::Set, "swipeview_main", "currentIndex", 2}}},
        {"08a-joystick-dialog", {{Action::Call, "settings_joystick_dialog", "open"}}},
        {"09-restore-dialog",
         {{Action::Call, "settings_joystick_dialog", "close"},
          {Action::Call, "settings_restore_dialog", "open"}}},
        {"10-reading",
         {{Action::Call, "settings_restore_dialog", "close"},
          {Action::Set, "swipeview_main", "currentIndex", 0},
          {Action::Set, "swipeview_connected", "currentIndex", 0},
          {Action::Call, "device", "read_config"}},
         400,
         false},
        // The settings page while the configuration is read again: no device controls.
        {"10a-settings-reading",
         {{Action::Set, "swipeview_main", "currentIndex", 2},
          {Action::Call, "device", "read_config"}},
         400,
         false},
        {"11-please-connect",
         {{Action::Set, "swipeview_main", "currentIndex", 0}, {Action::Unplug, "", ""}}},
        {"12-help", {{Action::Set, "swipeview_disconnected", "currentIndex", 1}}},
        {"13-help-pairing", {{Action::Set, "swipeview_help", "currentIndex", 1}}},
        {"14-help-reconnecting", {{Action::Set, "swipeview_help", "currentIndex", 2}}},
        {"15-settings-spanish",
         {{Action::Set, "swipeview_main", "currentIndex", 2},
          {Action::Call, "window", "set_language", "es"}}},
        {"16-please-connect-spanish",
         {{Action::Set, "swipeview_main", "currentIndex", 0},
          {Action::Set, "swipeview_disconnected", "currentIndex", 0}}},
        {"17-help-spanish",
         {{Action::Set, "swipeview_help", "currentIndex", 0},
          {Action::Set, "swipeview_disconnected", "currentIndex", 1}}},
        {"18-help-pairing-spanish", {{Action::Set, "swipeview_help", "currentIndex", 1}}},
        {"19-help-reconnecting-spanish", {{Action::Set, "swipeview_help", "currentIndex", 2}}},
        {"20-about-spanish", {{Action::Set, "swipeview_main", "currentIndex", 1}}},
        {"21-joystick-dialog-spanish",
         {{Action::Set, "swipeview_main", "currentIndex", 2},
          {Action::Call, "settings_joystick_dialog", "open"}}},
        {"22-restore-dialog-spanish",
         {{Action::Call, "settings_joystick_dialog", "close"},
          {Action::Call, "settings_restore_dialog", "open"}}},
        // With the device gone a new read never ends: the settings page without its device part.
        {"23-settings-reading-spanish",
         {{Action::Call, "settings_restore_dialog", "close"},
          {Action::Call, "device", "read_config"}},
         700,
         false},
    };
    return shots;
}

class ScreenshotTour : public QObject
{
public:
    ScreenshotTour(QQuickWindow* window, QDir folder)
        : window(window), folder(std::move(folder)),
          device(qobject_cast<Device*>(
              qmlContext(window)->contextProperty("device").value<QObject*>()))
    {
    }

    void next()
    {
        if (index >= tour().size()) {
            QCoreApplication::exit(failures ? 1 : 0);
            return;
        }
        const Shot& shot = tour()[index];
        if (shot.wait_for_read && device->is_connected() && !device->is_config_ready()) {
            waiting = connect(device, &Device::config_ready_changed, this, [this] {
                if (!device->is_config_ready())
                    return;
                disconnect(waiting);
                next();
            });
            return;
        }
        for (const Action& action : shot.actions)
            perform(action);
        QTimer::singleShot(shot.settle_ms, this, [this] { take(); });
    }

private:
    QObject* find(const QString& name) const
    {
        if (name == QLatin1String("device"))
            return device;
        if (name == window->objectName())
            return window;
        if (QObject* found = window->findChild<QObject*>(name))
            return found;
        return window->contentItem()->findChild<QObject*>(name);
    }

    void perform(const Action& action)
    {
        if (action.kind == Action::Unplug) {
            vhid_virtual_reset();
            return;
        }
        QObject* object = find(action.object);
        if (!object) {
            qCritical("screenshots: no object named %s", qPrintable(action.object));
            ++failures;
            return;
        }
        const QByteArray member = action.member.toUtf8();
        const bool done =
            action.kind == Action::Set ? object->setProperty(member.constData(), action.value)
            : action.value.isValid()   ? QMetaObject::invokeMethod(object, member.constData(),
                                                                   Q_ARG(QVariant, action.value))
                                       : QMetaObject::invokeMethod(object, member.constData());
        if (!done) {
            qCritical("screenshots: cannot %s %s.%s", action.kind == Action::Set ? "set" : "call",
                      qPrintable(action.object), member.constData());
            ++failures;
        }
    }

    void take()
    {
        const QString path = folder.filePath(tour()[index].name + ".png");
        const QImage image = window->grabWindow();
        if (image.isNull() || !image.save(path)) {
            qCritical("screenshots: cannot write %s", qPrintable(path));
            ++failures;
        } else {
            qInfo("screenshots: %s", qPrintable(path));
        }
        ++index;
        next();
    }

    QQuickWindow* window;
    QDir folder;
    Device* device;
    QMetaObject::Connection waiting;
    std::size_t index = 0;
    int failures = 0;
};

void start_tour()
{
    QTimer::singleShot(0, qApp, [] {
        const QString folder = qEnvironmentVariable("VELQUIN_SCREENSHOTS_DIR");
        QQuickWindow* window = nullptr;
        for (QWindow* candidate : QGuiApplication::topLevelWindows()) {
            if (auto* quick = qobject_cast<QQuickWindow*>(candidate))
                window = quick;
        }
        if (folder.isEmpty() || !window || !QDir().mkpath(folder) || !qmlContext(window)) {
            qCritical("screenshots: no window, or VELQUIN_SCREENSHOTS_DIR unset or not writable");
            QCoreApplication::exit(2);
            return;
        }
        auto* tour = new ScreenshotTour(window, QDir(folder));
        tour->setParent(qApp);
        tour->next();
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(start_tour)
