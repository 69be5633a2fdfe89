#include "simulator.h"

#include "vhid_virtual.h"
#include "virtualvelquin.h"

#include <QDebug>
#include <QMap>
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

bool simulator_set_fault(const QByteArray& name)
{
    const QMap<QByteArray, uint32_t> faults = {{"", VHID_VIRTUAL_FAULT_NONE},
                                               {"denied", VHID_VIRTUAL_FAULT_DENIED},
                                               {"failing", VHID_VIRTUAL_FAULT_OPEN},
                                               {"disconnected", VHID_VIRTUAL_FAULT_DISCONNECTED}};
    if (!faults.contains(name))
        return false;
    vhid_virtual_set_faults(-1, faults.value(name));
    return true;
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

    const QByteArray fault = qgetenv("VELQUIN_SIMULATOR_FAULT");
    if (!simulator_set_fault(fault))
        qWarning() << "VELQUIN_SIMULATOR_FAULT is none of denied, failing, disconnected:"
                   << fault.constData();

    if (!device->plug())
        qWarning() << "Cannot plug the virtual Velquin Plus";
    return true;
}
