// The Windows backend: HID interfaces listed through SetupAPI and the HID services, opened as
// files, and a hidden "VHid" window on the notification thread that receives device arrival and
// removal. Handles are overlapped so that a stop can wake a blocked read, and a cancel a stalled
// write, without closing a handle that another thread still uses.
#include "vhid_backend.h"

#include <windows.h>

#include <dbt.h>
#include <setupapi.h>
extern "C" { // no guards of their own; hidsdi.h brings hidusage.h and hidpi.h in order
#include <hidsdi.h>
}

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <thread>

namespace {

constexpr DWORD list_flags = DIGCF_PRESENT | DIGCF_DEVICEINTERFACE; // 0x12
constexpr DWORD window_style = WS_OVERLAPPEDWINDOW;                 // 0x00CF0000

struct io_events
{
    HANDLE cancel; // manual reset: once set, every read or write of the handle fails
    HANDLE done;   // the overlapped read's own event (a read handle has one reader)
};

struct windows_state
{
    std::mutex mutex;
    std::map<HANDLE, io_events> handles;

    std::thread thread;
    HWND window = nullptr;
    HDEVNOTIFY dev_notify = nullptr;
    vhid::notify_fn notify = nullptr;
};

windows_state& state()
{
    static windows_state* s = new windows_state;
    return *s;
}

HANDLE to_handle(vhid_handle_t h)
{
    return reinterpret_cast<HANDLE>(h);
}

vhid_handle_t from_handle(HANDLE h)
{
    return reinterpret_cast<vhid_handle_t>(h);
}

// The system's words for an error code, without the line break it ends with.
std::string system_message(DWORD code)
{
    char text[256] = {};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, 0, text, sizeof text, nullptr);
    while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' '))
        text[--n] = '\0';
    return n > 0 ? std::string(text) : "error " + std::to_string(code);
}

// Probes one interface: identity from the attributes, usage page and report lengths from the
// top-level collection's capabilities. An interface that another program holds exclusively is
// still identified through an open without access, so that its failed open can be reported.
// False when it cannot be opened at all (held by the system).
bool probe(const char* path, vhid::iface_info& info)
{
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        h = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                        nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    HIDD_ATTRIBUTES attributes = {};
    attributes.Size = sizeof attributes; // 12
    bool ok = HidD_GetAttributes(h, &attributes);
    PHIDP_PREPARSED_DATA preparsed = nullptr;
    HIDP_CAPS caps = {};
    if (ok && HidD_GetPreparsedData(h, &preparsed)) {
        ok = HidP_GetCaps(preparsed, &caps) == HIDP_STATUS_SUCCESS;
        HidD_FreePreparsedData(preparsed);
    } else {
        ok = false;
    }
    CloseHandle(h);
    if (!ok)
        return false;
    info.path = path;
    info.vendor_id = attributes.VendorID;
    info.product_id = attributes.ProductID;
    info.usage_page = caps.UsagePage;
    info.input_report_len = caps.InputReportByteLength;
    info.output_report_len = caps.OutputReportByteLength;
    return true;
}

bool windows_enumerate(std::vector<vhid::iface_info>& out)
{
    GUID guid;
    HidD_GetHidGuid(&guid);
    HDEVINFO set = SetupDiGetClassDevsA(&guid, nullptr, nullptr, list_flags);
    if (set == INVALID_HANDLE_VALUE)
        return false;
    SP_DEVICE_INTERFACE_DATA data = {};
    data.cbSize = sizeof data;
    for (DWORD i = 0; SetupDiEnumDeviceInterfaces(set, nullptr, &guid, i, &data); ++i) {
        DWORD required = 0;
        SetupDiGetDeviceInterfaceDetailA(set, &data, nullptr, 0, &required, nullptr);
        if (required < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A))
            continue;
        auto* detail = static_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(std::malloc(required));
        if (!detail)
            continue;
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A); // 8
        vhid::iface_info info;
        if (SetupDiGetDeviceInterfaceDetailA(set, &data, detail, required, nullptr, nullptr) &&
            probe(detail->DevicePath, info))
            out.push_back(std::move(info));
        std::free(detail);
    }
    SetupDiDestroyDeviceInfoList(set);
    return true;
}

vhid_handle_t windows_open(const vhid::iface_info& iface, uint32_t access, uint32_t share,
                           vhid::open_error& error)
{
    HANDLE h = CreateFileA(iface.path.c_str(), access, share, nullptr, OPEN_EXISTING,
                           FILE_FLAG_OVERLAPPED, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        // A sharing violation or a denied access: another program holds the device.
        error.message = system_message(GetLastError());
        return VHID_INVALID_HANDLE;
    }
    io_events events = {CreateEventA(nullptr, TRUE, FALSE, nullptr),
                        CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    if (!events.cancel || !events.done) {
        if (events.cancel)
            CloseHandle(events.cancel);
        if (events.done)
            CloseHandle(events.done);
        error.message = system_message(GetLastError());
        CloseHandle(h);
        return VHID_INVALID_HANDLE;
    }
    windows_state& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.handles[h] = events;
    return from_handle(h);
}

bool events_of(HANDLE h, io_events& events)
{
    windows_state& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    auto it = s.handles.find(h);
    if (it == s.handles.end())
        return false;
    events = it->second;
    return true;
}

int32_t windows_read(vhid_handle_t handle, uint8_t* buffer, int32_t length)
{
    HANDLE h = to_handle(handle);
    io_events events;
    if (!events_of(h, events))
        return -1;
    if (WaitForSingleObject(events.cancel, 0) == WAIT_OBJECT_0)
        return -1;
    OVERLAPPED overlapped = {};
    overlapped.hEvent = events.done;
    ResetEvent(events.done);
    DWORD n = 0;
    if (!ReadFile(h, buffer, DWORD(length), nullptr, &overlapped)) {
        if (GetLastError() != ERROR_IO_PENDING)
            return -1;
        HANDLE waits[2] = {events.done, events.cancel};
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
            CancelIo(h);
            GetOverlappedResult(h, &overlapped, &n, TRUE); // the buffer is free again after this
            return -1;
        }
    }
    if (!GetOverlappedResult(h, &overlapped, &n, TRUE))
        return -1;
    return int32_t(n);
}

void windows_cancel(vhid_handle_t handle)
{
    windows_state& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    auto it = s.handles.find(to_handle(handle));
    if (it != s.handles.end())
        SetEvent(it->second.cancel);
}

// A write waits for the device like a read, so a stalled endpoint cannot hold its caller for
// good: a cancel ends the wait and withdraws the write.
int32_t windows_write(vhid_handle_t handle, const uint8_t* data, int32_t length)
{
    HANDLE h = to_handle(handle);
    io_events events;
    if (!events_of(h, events) || WaitForSingleObject(events.cancel, 0) == WAIT_OBJECT_0)
        return 0;
    // Writes may come from several threads at once: each has an event of its own.
    OVERLAPPED overlapped = {};
    overlapped.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!overlapped.hEvent)
        return 0;
    DWORD n = 0;
    bool ok = WriteFile(h, data, DWORD(length), nullptr, &overlapped);
    if (!ok && GetLastError() == ERROR_IO_PENDING) {
        HANDLE waits[2] = {overlapped.hEvent, events.cancel};
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0) {
            ok = true;
        } else {
            CancelIoEx(h, &overlapped);
            GetOverlappedResult(h, &overlapped, &n, TRUE); // the buffer is free again after this
            n = 0;
        }
    }
    if (ok && !GetOverlappedResult(h, &overlapped, &n, TRUE))
        n = 0;
    CloseHandle(overlapped.hEvent);
    return int32_t(n);
}

void windows_close(vhid_handle_t handle)
{
    HANDLE h = to_handle(handle);
    {
        windows_state& s = state();
        std::lock_guard<std::mutex> lock(s.mutex);
        auto it = s.handles.find(h);
        if (it != s.handles.end()) {
            CloseHandle(it->second.cancel);
            CloseHandle(it->second.done);
            s.handles.erase(it);
        }
    }
    CloseHandle(h);
}

// A handle of a removed device fails every request, so a kept handle is tested with one.
bool windows_alive(vhid_handle_t handle)
{
    HIDD_ATTRIBUTES attributes = {};
    attributes.Size = sizeof attributes;
    return HidD_GetAttributes(to_handle(handle), &attributes);
}

LRESULT CALLBACK wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message != WM_DEVICECHANGE)
        return DefWindowProcA(window, message, wparam, lparam);
    state().notify(message, uintptr_t(wparam), intptr_t(lparam));
    return 0;
}

// Starts the notification thread and waits until its window and registration exist (or
// failed), so that no arrival between vhid_init and the first check is missed.
bool windows_start(vhid::notify_fn notify)
{
    windows_state& s = state();
    s.notify = notify;
    std::mutex m;
    std::condition_variable ready;
    int result = 0; // 1 running, -1 failed
    s.thread = std::thread([&] {
        WNDCLASSA window_class = {};
        window_class.lpfnWndProc = wnd_proc;
        window_class.lpszClassName = "VHid";
        RegisterClassA(&window_class);
        HWND window = CreateWindowExA(0, "VHid", "VHid", window_style, 0, 0, 100, 100, nullptr,
                                      nullptr, nullptr, nullptr);
        HDEVNOTIFY dev_notify = nullptr;
        if (window) {
            DEV_BROADCAST_DEVICEINTERFACE_A filter = {};
            filter.dbcc_size = sizeof filter; // 32
            filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
            HidD_GetHidGuid(&filter.dbcc_classguid);
            dev_notify = RegisterDeviceNotificationA(window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
        }
        {
            std::lock_guard<std::mutex> lock(s.mutex);
            s.window = window;
            s.dev_notify = dev_notify;
        }
        {
            std::lock_guard<std::mutex> lock(m);
            result = window && dev_notify ? 1 : -1;
            ready.notify_all();
        }
        if (!window || !dev_notify) {
            std::fprintf(stderr, "vhid: cannot %s (error %lu)\n",
                         window ? "register for device notifications" : "create the window",
                         GetLastError());
            if (window)
                DestroyWindow(window);
            UnregisterClassA("VHid", nullptr);
            return;
        }
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        {
            std::lock_guard<std::mutex> lock(s.mutex);
            if (s.dev_notify)
                UnregisterDeviceNotification(s.dev_notify);
            s.dev_notify = nullptr;
            s.window = nullptr;
        }
        DestroyWindow(window);
        UnregisterClassA("VHid", nullptr);
    });
    std::unique_lock<std::mutex> lock(m);
    ready.wait(lock, [&] { return result != 0; });
    if (result < 0) {
        lock.unlock();
        s.thread.join();
        return false;
    }
    return true;
}

void windows_cancel_notifications()
{
    windows_state& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.dev_notify && !UnregisterDeviceNotification(s.dev_notify))
        std::fprintf(stderr, "vhid: cannot cancel the device notification (error %lu)\n",
                     GetLastError());
    s.dev_notify = nullptr;
}

void windows_stop()
{
    windows_state& s = state();
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        if (s.window)
            PostMessageA(s.window, WM_QUIT, 0, 0);
    }
    if (s.thread.joinable())
        s.thread.join();
}

// Re-checks as on an arrival; the message carries no event data.
void windows_rescan()
{
    windows_state& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.window)
        PostMessageA(s.window, WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
}

const char* windows_event_source()
{
    return "device notification window";
}

bool windows_watching()
{
    windows_state& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.window && s.dev_notify;
}

const vhid::backend windows_table = {
    "Windows HID",  windows_enumerate,
    windows_open,   windows_read,
    windows_cancel, windows_write,
    windows_close,  windows_alive,
    windows_start,  windows_cancel_notifications,
    windows_stop,   windows_watching,
    windows_rescan, windows_event_source,
};

} // namespace

const vhid::backend& vhid::platform_backend()
{
    return windows_table;
}
