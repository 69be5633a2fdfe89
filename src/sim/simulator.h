#pragma once

class QByteArray;

// Runs the application against the virtual Velquin Plus when VELQUIN_SIMULATOR is "1": selects the
// virtual HID bus and plugs the device into it, with VELQUIN_SIMULATOR_LATENCY_MS as its delay per
// report (default 0) and VELQUIN_SIMULATOR_TRACE naming a file that gets one line per report.
// Call it before vhid_init (before the device object is built). Returns whether it did.
bool simulator_start_from_environment();

// Sets the virtual bus's fault that makes every device out of reach for a reason: "denied" (no
// permission), "failing" (its open fails) or "disconnected" (paired, its Bluetooth link down);
// "" clears it. False, and nothing changed, for another name.
bool simulator_set_fault(const QByteArray& name);

class VirtualVelquin;

// The device that simulator_start_from_environment plugged, or null when it did not.
VirtualVelquin* simulator_device();
