// What the layer called back, for the HID layer tests: every callback with its thread, and
// waits with a deadline so that a missing callback fails instead of hanging.
#ifndef VHID_TEST_RECORDER_H
#define VHID_TEST_RECORDER_H

#include "vhid.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

struct recorder
{
    enum kind { connected, disconnected, report };
    struct event
    {
        kind what;
        int32_t index;
        std::thread::id thread;
        std::vector<uint8_t> data;
    };

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<event> events;
    // Runs inside the connected callback, on the callback's thread (writes from inside a check).
    std::function<void(int32_t)> on_connected;

    void add(kind what, int32_t index, const uint8_t* data = nullptr, int32_t length = 0)
    {
        std::lock_guard<std::mutex> lock(mutex);
        events.push_back({what, index, std::this_thread::get_id(),
                          std::vector<uint8_t>(data, data + (data ? length : 0))});
        changed.notify_all();
    }

    size_t count(kind what, int32_t index = -1)
    {
        std::lock_guard<std::mutex> lock(mutex);
        size_t n = 0;
        for (const event& e : events)
            n += e.what == what && (index < 0 || e.index == index);
        return n;
    }

    std::vector<event> snapshot()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return events;
    }

    // Waits until `n` callbacks of the kind have come; false after the deadline.
    bool wait_for(kind what, size_t n, int32_t index = -1,
                  std::chrono::milliseconds deadline = std::chrono::seconds(10))
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, deadline, [&] {
            size_t k = 0;
            for (const event& e : events)
                k += e.what == what && (index < 0 || e.index == index);
            return k >= n;
        });
    }

    static void on_connected_cb(void* self, int32_t index)
    {
        auto* r = static_cast<recorder*>(self);
        r->add(connected, index);
        if (r->on_connected)
            r->on_connected(index);
    }
    static void on_disconnected_cb(void* self, int32_t index)
    {
        static_cast<recorder*>(self)->add(disconnected, index);
    }
    static void on_report_cb(void* self, int32_t index, uint8_t* data, int32_t length)
    {
        static_cast<recorder*>(self)->add(report, index, data, length);
    }

    void attach(int32_t index)
    {
        vhid_set_callbacks(index, on_connected_cb, on_disconnected_cb, on_report_cb, this);
    }

    // The device object's two registrations on an empty table: 0 reads, 1 writes. False when
    // they did not get those indices.
    bool attach_device_pair()
    {
        if (vhid_add_device(0x08E6, 0x0001, 0xFF00, 9, 0) != 0)
            return false;
        attach(0);
        if (vhid_add_device(0x08E6, 0x0001, 0xFF00, 0, 9) != 1)
            return false;
        attach(1);
        return true;
    }
};

// Detaches every registration when it goes out of scope: declare it after the objects that the
// callbacks use, so that no callback reaches them once they are gone.
struct detach_all
{
    detach_all() = default;
    detach_all(const detach_all&) = delete;
    detach_all& operator=(const detach_all&) = delete;
    ~detach_all()
    {
        for (int32_t i = 0; i < VHID_MAX_DEVICES; ++i)
            vhid_detach(i);
    }
};

#endif
