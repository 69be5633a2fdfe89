// Linked into a copy of the application (src/main.cpp unchanged): once the window is up, it walks
// through every screen and saves a picture of each into $VELQUIN_SCREENSHOTS_DIR, then quits.
// Run it with VELQUIN_SIMULATOR=1 (scripts/screenshots does).
#include "device.h"
#include "vhid_virtual.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPointer>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTimer>
#include <QUrl>
#include <QVariant>

#include <vector>

namespace {

struct Action
{
    // Focus: keyboard focus as Tab gives it, marked on screen. Unmark: the focus stays where it
    // is, unmarked, as after a click; what opens next places its focus unmarked too.
    enum Kind { Set, Call, Unplug, Focus, Unmark } kind;
    QString object; // objectName in the window, or "device"
    QString member; // property or method
    QVariant value = {};
};

constexpr int focus_delay_ms = 350;
// After its settle time a shot waits until the window has drawn nothing for quiet_ms (a slide that
// starts late on a busy machine), for at most settle_cap_ms.
constexpr int quiet_ms = 300;
constexpr int settle_cap_ms = 5000;

struct Shot
{
    QString name;
    std::vector<Action> actions;
    int settle_ms = 700;       // slides, popups and fades finish
    bool wait_for_read = true; // the device's configuration is read first, and the window settles
                               // (a shot of a read under way, with its endless bars, does not)
};

// A file in the pictures' folder, for the file actions of the settings page.
QVariant file_url(const char* name)
{
    return QUrl::fromLocalFile(QDir(qEnvironmentVariable("VELQUIN_SCREENSHOTS_DIR"))
                                   .filePath(QString::fromLatin1(name)));
}

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
        // The check box is on the settings page, which is made when it is first shown.
        {"07c-switch-5-generic",
         {{Action::Set, "swipeview_main", "currentIndex", 2},
          {Action::Set, "settings_generic", "checked", true},
          {Action::Call, "settings_generic", "toggled"},
          {Action::Set, "swipeview_main", "currentIndex", 0},
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
        // A set-up saved and loaded back; the switch sheet for scripts/screenshots to picture.
        {"09h-configuration-saved",
         {{Action::Call, "settings_restore_dialog", "close"},
          {Action::Call, "configuration_files", "save_to", file_url("setup.velquin")}}},
        {"09i-load-preview",
         {{Action::Call, "files_notice", "close"},
          {Action::Call, "configuration_files", "load_from", file_url("setup.velquin")}}},
        // The keyboard focus mark on a few kinds of control.
        {"09a-focus-settings-button",
         {{Action::Call, "files_preview", "close"},
          {Action::Call, "configuration_files", "print_to", file_url("switch-sheet.pdf")},
          {Action::Focus, "settings_joystick", ""}}},
        {"09b-focus-dialog-button", {{Action::Call, "settings_joystick_dialog", "open"}}},
        {"09c-focus-edit-button",
         {{Action::Call, "settings_joystick_dialog", "close"},
          {Action::Set, "swipeview_main", "currentIndex", 0},
          {Action::Set, "swipeview_connected", "currentIndex", 0},
          {Action::Focus, "switch_edit_2", ""}}},
        {"09d-focus-list", {{Action::Focus, "pointer_list", ""}}},
        {"09e-focus-interface",
         {{Action::Set, "swipeview_connected", "switch_index", 2},
          {Action::Set, "swipeview_connected", "currentIndex", 1},
          {Action::Focus, "iface_keybd", ""}}},
        {"09f-focus-check-box", {{Action::Focus, "modifier_ctrl", ""}}},
        {"09g-focus-release-option", {{Action::Focus, "keybd_release_automatic", ""}}},
        {"10-reading",
         {{Action::Unmark, "", ""},
          {Action::Call, "settings_restore_dialog", "close"},
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
        {"12a-focus-help-answer", {{Action::Focus, "help_answer_first_time", ""}}},
        {"13-help-pairing",
         {{Action::Unmark, "", ""}, {Action::Set, "swipeview_help", "currentIndex", 1}}},
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
        QTimer::singleShot(shot.settle_ms, this, [this] {
            if (tour()[index].wait_for_read)
                take_when_quiet();
            else
                take();
        });
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
        if (QObject* found = window->contentItem()->findChild<QObject*>(name))
            return found;
        // Repeater rows are no QObject children: search the items.
        return find_item(window->contentItem(), name);
    }

    static QQuickItem* find_item(QQuickItem* item, const QString& name)
    {
        if (item->objectName() == name)
            return item;
        for (QQuickItem* child : item->childItems())
            if (QQuickItem* found = find_item(child, name))
                return found;
        return nullptr;
    }

    void perform(const Action& action)
    {
        if (action.kind == Action::Unplug) {
            vhid_virtual_reset();
            return;
        }
        if (action.kind == Action::Unmark) {
            if (QQuickItem* focused = window->activeFocusItem()) {
                if (focused->metaObject()->indexOfProperty("focusReason") >= 0)
                    focused->setProperty("focusReason", Qt::MouseFocusReason);
                if (focused->metaObject()->indexOfProperty("quiet_focus") >= 0)
                    focused->setProperty("quiet_focus", true);
            }
            return;
        }
        QObject* object = find(action.object);
        if (!object) {
            qCritical("screenshots: no object named %s", qPrintable(action.object));
            ++failures;
            return;
        }
        if (action.kind == Action::Focus) {
            // After the page that an earlier action opened has placed its own focus.
            QTimer::singleShot(focus_delay_ms, this, [this, object = QPointer<QObject>(object)] {
                if (object)
                    focus(object);
            });
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

    void focus(QObject* object)
    {
        auto* item = qobject_cast<QQuickItem*>(object);
        if (!item) {
            qCritical("screenshots: %s takes no focus", qPrintable(object->objectName()));
            ++failures;
            return;
        }
        item->forceActiveFocus(Qt::TabFocusReason);
        // A control that had the focus already keeps the reason it got it for otherwise.
        if (item->metaObject()->indexOfProperty("focusReason") >= 0)
            item->setProperty("focusReason", Qt::TabFocusReason);
        if (!item->hasActiveFocus()) {
            qCritical("screenshots: %s did not take the focus", qPrintable(object->objectName()));
            ++failures;
        }
    }

    void take_when_quiet()
    {
        auto* quiet = new QTimer(this);
        quiet->setSingleShot(true);
        quiet->setInterval(quiet_ms);
        auto* cap = new QTimer(this);
        cap->setSingleShot(true);
        // Frames are swapped on the render thread: the restart is queued to this one.
        const QMetaObject::Connection drawn = connect(
            window, &QQuickWindow::frameSwapped, quiet, [quiet] { quiet->start(); },
            Qt::QueuedConnection);
        auto done = [this, quiet, cap, drawn] {
            disconnect(drawn);
            quiet->deleteLater();
            cap->deleteLater();
            take();
        };
        connect(quiet, &QTimer::timeout, this, done);
        connect(cap, &QTimer::timeout, this, [this, quiet, done] {
            qWarning("screenshots: %s still drawing", qPrintable(tour()[index].name));
            quiet->stop();
            done();
        });
        quiet->start();
        cap->start(settle_cap_ms);
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

// Keeps the switch sheet that the tour prints from opening in a viewer.
class FileSink : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

public slots:
    void open(const QUrl&) {}
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
        QDesktopServices::setUrlHandler(QStringLiteral("file"), new FileSink(qApp), "open");
        auto* tour = new ScreenshotTour(window, QDir(folder));
        tour->setParent(qApp);
        tour->next();
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(start_tour)

#include "screenshottour.moc"
