// The contract between the vhid core and a platform backend: one table of operations that each
// backend fills in. The core owns the table of registrations, the connection check, the reader
// threads and the callbacks; a backend only lists, opens, reads, writes and notifies.
#ifndef VHID_BACKEND_H
#define VHID_BACKEND_H

#include "vhid.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vhid {

// Access and share flags of an open, with the values of the Windows file services.
enum : uint32_t {
    access_read = 0x80000000u,
    access_write = 0x40000000u,
    share_read = 1,
    share_write = 2,
};

// One HID interface: a top-level collection as Windows presents it. Both lengths include the
// report id byte and are 0 when the collection has no such report.
struct iface_info
{
    std::string path; // stable for as long as the interface is present
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    uint16_t usage_page = 0;
    int32_t input_report_len = 0;
    int32_t output_report_len = 0;
    // Its Bluetooth device is not connected while the system keeps the interface: listed so
    // that a check can say so, never opened.
    bool disconnected = false;
};

// Why an open failed: VHID_PROBLEM_NO_PERMISSION or VHID_PROBLEM_OPEN_FAILED, in the system's
// own words.
struct open_error
{
    int32_t problem = VHID_PROBLEM_OPEN_FAILED;
    std::string message;
};

// Message codes handed to the notification function (those of WM_DEVICECHANGE).
constexpr uint32_t msg_device_change = 0x0219;
constexpr uintptr_t event_arrival = 0x8000;
constexpr uintptr_t event_removal = 0x8004;

// Called by the backend on its notification thread for every device-change message.
using notify_fn = void (*)(uint32_t message, uintptr_t event, intptr_t event_data);

struct backend
{
    const char* name;

    // Lists the present interfaces that could be probed. False when no list could be made.
    bool (*enumerate)(std::vector<iface_info>& out);

    // Opens an interface with the given access and share flags; VHID_INVALID_HANDLE on failure,
    // with the reason in `error`.
    vhid_handle_t (*open)(const iface_info& iface, uint32_t access, uint32_t share,
                          open_error& error);

    // Blocks until one input report arrives and returns its length (report id byte first): what
    // the device sent where the platform tells, else the interface's input length. -1
    // when the handle failed, was cancelled, or its device is gone. Returns 0 only for an empty
    // read on a live handle; where 0 means end of file the backend returns -1.
    int32_t (*read)(vhid_handle_t handle, uint8_t* buffer, int32_t length);

    // Makes the pending and every later read of the handle return -1, and on a write handle the
    // pending and every later write return 0 where the platform can interrupt a write. Safe to
    // call from another thread while a read or a write blocks; the handle stays open until close.
    void (*cancel)(vhid_handle_t handle);

    // Writes one output report, blocking until it is written; returns the bytes written, 0 on
    // failure or cancel.
    int32_t (*write)(vhid_handle_t handle, const uint8_t* data, int32_t length);

    void (*close)(vhid_handle_t handle);

    // Optional (may be null): false when the handle's device is gone. Lets a check tell a kept
    // handle from a dead one on an interface that came back under the same path.
    bool (*alive)(vhid_handle_t handle);

    // Starts the notification thread, which calls `notify` for every device-change message.
    // False when it could not be started.
    bool (*start)(notify_fn notify);

    // Cancels the device-notification registration; the thread stays.
    void (*cancel_notifications)();

    // Ends and joins the notification thread (re-initialisation). Never called from it.
    void (*stop)();

    // Optional: true while the device-notification registration is active (smoke tests).
    bool (*watching)();

    // Optional: makes the notification thread re-check as on an arrival; returns at once.
    void (*rescan)();

    // Optional: where arrival and removal come from, in a word (diagnostics).
    const char* (*event_source)();
};

// Names the calling thread where the platform lets it be seen (debuggers, /proc).
void name_thread(const char* name);

const backend& platform_backend();
const backend& virtual_backend();

// True once vhid_virtual_use() has been called: the next vhid_init takes the virtual bus.
bool virtual_selected();

} // namespace vhid

#endif
