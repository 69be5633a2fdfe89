#include "diagnostics.h"

#include "devicehid.h"
#include "logring.h"
#include "vhid.h"

#include <QClipboard>
#include <QDateTime>
#include <QEventLoop>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSysInfo>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr uint16_t vendor_id = DeviceHid::vendor_id;
constexpr uint16_t product_id = DeviceHid::product_id;
constexpr int read_wait_ms = 5000;

QString hex(unsigned value, int width)
{
    return QStringLiteral("%1").arg(value, width, 16, QLatin1Char('0')).toUpper();
}

QString heading(const char* title)
{
    return QStringLiteral("\n== %1 ==\n").arg(QLatin1String(title));
}

} // namespace

Diagnostics::Diagnostics(QObject* parent) : QObject(parent) {}

Diagnostics::~Diagnostics()
{
    if (worker.joinable())
        worker.join();
}

QString Diagnostics::hid_section()
{
    QString text =
        QStringLiteral("Backend: %1; events: %2\n")
            .arg(QString::fromUtf8(vhid_backend_name()), QString::fromUtf8(vhid_event_source()));
    text += QStringLiteral("Interfaces %1:%2:\n").arg(hex(vendor_id, 4), hex(product_id, 4));
    std::vector<vhid_iface_report> list(8);
    int32_t n = vhid_list_interfaces(vendor_id, product_id, list.data(), int32_t(list.size()));
    if (n > int32_t(list.size())) {
        list.resize(size_t(n));
        n = vhid_list_interfaces(vendor_id, product_id, list.data(), int32_t(list.size()));
    }
    if (n < 0)
        return text + QStringLiteral("  the system's list of HID interfaces cannot be read\n");
    if (n == 0)
        return text + QStringLiteral("  none\n");
    for (int32_t i = 0; i < n && i < int32_t(list.size()); ++i) {
        const vhid_iface_report& f = list[size_t(i)];
        QStringList open;
        if (f.open_for_reading)
            open << QStringLiteral("reading");
        if (f.open_for_writing)
            open << QStringLiteral("writing");
        text += QStringLiteral("  %1: usage page %2, input report %3 bytes, output report %4 "
                               "bytes, %5%6\n")
                    .arg(QString::fromLocal8Bit(f.path), hex(f.usage_page, 4))
                    .arg(f.input_report_len)
                    .arg(f.output_report_len)
                    .arg(open.isEmpty() ? QStringLiteral("not open")
                                        : QStringLiteral("open for ") + open.join(" and "),
                         f.disconnected ? QStringLiteral(", Bluetooth device disconnected")
                                        : QString());
    }
    return text;
}

QString Diagnostics::report(const QString& hid, const QString& device_words) const
{
    QString text = QStringLiteral("%1 diagnostics, %2\n")
                       .arg(QCoreApplication::applicationName(),
                            QDateTime::currentDateTimeUtc().toString(Qt::ISODate));

    text += heading("Application");
    text += QStringLiteral("%1 %2\nQt %3 (built with %4)\n%5, %6 %7, %8\n")
                .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion(),
                     QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR),
                     QSysInfo::prettyProductName(), QSysInfo::kernelType(),
                     QSysInfo::kernelVersion(), QSysInfo::currentCpuArchitecture());

    text += heading("HID access");
    text += hid;

    text += heading("Problem");
    if (!device)
        text += QStringLiteral("unknown: no device object\n");
    else if (device->is_connected())
        text += QStringLiteral("none: connected\n");
    else if (device->get_problem().isEmpty())
        text += QStringLiteral("none found: no matching interface is present\n");
    else
        text += device->get_problem() +
                (device->get_problem_message().isEmpty()
                     ? QString()
                     : QStringLiteral(": ") + device->get_problem_message()) +
                '\n';

    text += heading("Device");
    const bool connected = device && device->is_connected();
    const bool ready = device && device->is_config_ready();
    text += QStringLiteral("Connected: %1; configuration read: %2\n")
                .arg(connected ? "yes" : "no", ready ? "yes" : "no");
    text += device_words.isEmpty() ? QStringLiteral("No configuration has been read.\n")
                                   : device_words.trimmed() + '\n';

    const QStringList log = LogRing::messages();
    text += heading("Log");
    text += log.isEmpty() ? QStringLiteral("(no messages)\n") : log.join('\n') + '\n';
    return text;
}

void Diagnostics::copy(const QString& device_words)
{
    if (worker.joinable())
        worker.join(); // a report already under way is done within moments
    worker = std::thread([this, device_words] {
        const QString hid = hid_section();
        handoff.post([this, hid, device_words] {
            QGuiApplication::clipboard()->setText(report(hid, device_words));
            emit copied();
        });
    });
}

int Diagnostics::print(Device& device)
{
    if (device.is_connected() && !device.is_config_ready()) {
        QEventLoop loop;
        QObject::connect(&device, &Device::config_ready_changed, &loop, [&device, &loop] {
            if (device.is_config_ready())
                loop.quit();
        });
        QTimer::singleShot(read_wait_ms, &loop, &QEventLoop::quit);
        loop.exec();
    }
    QString words;
    if (device.is_config_ready()) {
        // The same words as the settings page's copy.
        QQmlEngine engine;
        QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/qml/DeviceWords.qml")));
        std::unique_ptr<QObject> describer(component.create());
        QVariant result;
        if (!describer || !QMetaObject::invokeMethod(
                              describer.get(), "describe", Q_RETURN_ARG(QVariant, result),
                              Q_ARG(QVariant, QVariant::fromValue<QObject*>(device.get_config()))))
            qWarning("Cannot describe the configuration: %s", qPrintable(component.errorString()));
        words = result.toString();
    }
    Diagnostics diagnostics;
    diagnostics.device = &device;
    std::fputs(diagnostics.report(hid_section(), words).toLocal8Bit().constData(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
