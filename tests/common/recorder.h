// Every callback of the HID layer with its thread, for the tests of the layer and of the kernel:
// counts per kind and registration, transitions repeated without the opposite one in between,
// and waits with a deadline, so that a missing callback fails instead of hanging.
#pragma once

#include "vhid.h"

#include <chrono>
#include <condition_variable>
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

    // Runs inside each callback, on its thread, before the callback is recorded.
    std::function<void(const event&)> hook;
    bool keep_reports = true;  // stress runs only count them
    int32_t in = -1, out = -1; // the device object's registrations, once attached

    void add(kind what, int32_t index, const uint8_t* data = nullptr, int32_t length = 0)
    {
        event e{what, index, std::this_thread::get_id(), {data, data + (data ? length : 0)}};
        if (hook)
            hook(e);
        std::lock_guard<std::mutex> lock(mutex);
        repeats += what != report && last[index] == what + 1;
        last[index] = what == report ? last[index] : what + 1;
        ++counts[what][index];
        if (what != report || keep_reports)
            events.push_back(std::move(e));
        changed.notify_all();
    }
    size_t count(kind what, int32_t index = -1)
    {
        std::lock_guard<std::mutex> lock(mutex);
        return counted(what, index);
    }
    // False when `n` callbacks of the kind have not come by the deadline.
    bool wait_for(kind what, size_t n, int32_t index = -1)
    {
        std::unique_lock<std::mutex> lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(15),
                                [&] { return counted(what, index) >= n; });
    }
    int repeated_transitions()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return repeats;
    }
    std::vector<event> snapshot()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return events;
    }
    std::vector<std::vector<uint8_t>> reports(int32_t index)
    {
        std::vector<std::vector<uint8_t>> all;
        for (const event& e : snapshot())
            if (e.what == report && e.index == index)
                all.push_back(e.data);
        return all;
    }

    void attach(int32_t index)
    {
        vhid_set_callbacks(
            index, [](void* r, int32_t i) { static_cast<recorder*>(r)->add(connected, i); },
            [](void* r, int32_t i) { static_cast<recorder*>(r)->add(disconnected, i); },
            [](void* r, int32_t i, uint8_t* data, int32_t length) {
                static_cast<recorder*>(r)->add(report, i, data, length);
            },
            this);
    }
    // The device object's two registrations, the first check of each on this thread.
    void attach_device_pair()
    {
        attach(in = vhid_add_device(0x08E6, 0x0001, 0xFF00, 9, 0));
        attach(out = vhid_add_device(0x08E6, 0x0001, 0xFF00, 0, 9));
    }
    // Declare it after what the callbacks use: once it is gone, no callback runs.
    ~recorder()
    {
        for (int32_t i = 0; i < VHID_MAX_DEVICES; ++i)
            vhid_detach(i);
    }

private:
    size_t counted(kind what, int32_t index) const
    {
        size_t n = 0;
        for (int32_t i = 0; i < VHID_MAX_DEVICES; ++i)
            n += index < 0 || index == i ? counts[what][i] : 0;
        return n;
    }

    std::mutex mutex;
    std::condition_variable changed;
    std::vector<event> events;
    size_t counts[3][VHID_MAX_DEVICES] = {};
    int last[VHID_MAX_DEVICES] = {}; // the last transition + 1; 0: none yet
    int repeats = 0;
};
