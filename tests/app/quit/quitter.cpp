// Linked into a copy of the application (src/main.cpp unchanged): closes the window the way a
// window manager's close button does, while the device link is busy, so that the program ends its
// normal way with answers of the device still on their way. With VELQUIN_QUIT_EARLY=1 it closes as
// soon as the window is up (the start-up read under way); otherwise once the configuration has
// been read, right after asking for it three more times.
#include "device.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QTimer>

#include <memory>

namespace {

constexpr int EXTRA_READS = 3;

void read_and_close(QQuickWindow* window, Device* device)
{
    for (int i = 0; i < EXTRA_READS; ++i)
        device->read_config();
    window->close();
}

void start_quitter()
{
    QTimer::singleShot(0, qApp, [] {
        QQuickWindow* window = nullptr;
        for (QWindow* candidate : QGuiApplication::topLevelWindows()) {
            if (auto* quick = qobject_cast<QQuickWindow*>(candidate))
                window = quick;
        }
        QQmlContext* context = window ? qmlContext(window) : nullptr;
        auto* device =
            context ? qobject_cast<Device*>(context->contextProperty("device").value<QObject*>())
                    : nullptr;
        if (!device) {
            qCritical("quit: no window or no device");
            QCoreApplication::exit(2);
            return;
        }
        if (qEnvironmentVariable("VELQUIN_QUIT_EARLY") == QLatin1String("1")) {
            window->close();
            return;
        }
        if (device->is_config_ready()) {
            read_and_close(window, device);
            return;
        }
        auto waiting = std::make_shared<QMetaObject::Connection>();
        *waiting = QObject::connect(device, &Device::config_ready_changed, window,
                                    [window, device, waiting] {
                                        if (!device->is_config_ready())
                                            return;
                                        QObject::disconnect(*waiting);
                                        read_and_close(window, device);
                                    });
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(start_quitter)
