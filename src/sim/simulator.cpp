#include "simulator.h"

#include "vhid_virtual.h"
#include "virtualvelquin.h"

#include <QDebug>
#include <QtGlobal>
#include <memory>

namespace {

// Lives until static destruction, after the device object of main has gone.
std::unique_ptr<VirtualVelquin> device;

} // namespace

VirtualVelquin* simulator_device()
{
    return device.get();
}

bool simulator_start_from_environment()
{
    if (qgetenv("VELQUIN_SIMULATOR") != "1")
        return false;
    if (device)
        return true;

    vhid_virtual_use();
    device = std::make_unique<VirtualVelquin>();

    const QByteArray latency = qgetenv("VELQUIN_SIMULATOR_LATENCY_MS");
    if (!latency.isEmpty()) {
        bool ok = false;
        const uint ms = latency.toUInt(&ok);
        if (ok)
            device->set_report_delay_ms(ms);
        else
            qWarning() << "VELQUIN_SIMULATOR_LATENCY_MS is not a number of milliseconds:"
                       << latency.constData();
    }

    const QByteArray trace = qgetenv("VELQUIN_SIMULATOR_TRACE");
    if (!trace.isEmpty() && !device->set_trace_file(trace.toStdString()))
        qWarning() << "Cannot open the simulator trace file" << trace.constData();

    // Why a device may be out of reach: "denied" (no permission), "failing" (its open fails) or
    // "disconnected" (paired, its Bluetooth link down).
    const QByteArray fault = qgetenv("VELQUIN_SIMULATOR_FAULT");
    if (fault == "denied")
        vhid_virtual_set_faults(-1, VHID_VIRTUAL_FAULT_DENIED);
    else if (fault == "failing")
        vhid_virtual_set_faults(-1, VHID_VIRTUAL_FAULT_OPEN);
    else if (fault == "disconnected")
        vhid_virtual_set_faults(-1, VHID_VIRTUAL_FAULT_DISCONNECTED);
    else if (!fault.isEmpty())
        qWarning() << "VELQUIN_SIMULATOR_FAULT is none of denied, failing, disconnected:"
                   << fault.constData();

    if (!device->plug())
        qWarning() << "Cannot plug the virtual Velquin Plus";
    return true;
}
