// Linked into a copy of the application (src/main.cpp unchanged): closes the window as a window
// manager's close button does, while the device link is busy, so that the program ends its own way
// with the device's answers on their way. VELQUIN_QUIT_WHEN=early closes it as soon as it is up
// (the first read under way); otherwise once the configuration is read, right after asking for it
// three more times.
#include "device.h"

#include <QGuiApplication>
#include <QQmlContext>
#include <QQuickWindow>
#include <QTimer>

namespace {

void start_quitter()
{
    QTimer::singleShot(0, qApp, [] {
        auto* window = qobject_cast<QQuickWindow*>(QGuiApplication::topLevelWindows().value(0));
        auto* device = window ? qobject_cast<Device*>(
                                    qmlContext(window)->contextProperty("device").value<QObject*>())
                              : nullptr;
        if (!device)
            return QCoreApplication::exit(2);
        const auto close = [window, device] {
            static bool closed = false;
            const bool early = qEnvironmentVariable("VELQUIN_QUIT_WHEN") == "early";
            if (closed || (!early && !device->is_config_ready()))
                return;
            closed = true;
            for (int i = 0; i < (early ? 0 : 3); ++i)
                device->read_config();
            window->close();
        };
        QObject::connect(device, &Device::config_ready_changed, window, close);
        close();
    });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(start_quitter)
