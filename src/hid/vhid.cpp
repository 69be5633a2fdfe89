// The platform-independent core of the HID layer: the table of registrations, the connection
// check, the callback order, the reader loop and the write rules. It reaches the system only
// through the backend table of vhid_backend.h.
//
// Locks: `check_mutex` serialises checks, additions and re-initialisation; each record's `mutex`
// guards its callbacks, its pending transitions and its current reader and writer. Neither is
// held while a callback runs. Every reader owns its handle and buffer, so a check never closes a
// handle or frees a buffer under a running read: it cancels the read and joins the reader.
#include "vhid.h"
#include "vhid_backend.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#ifdef __linux__
#include <pthread.h>
#endif

void vhid::name_thread(const char* name)
{
#ifdef __linux__
    pthread_setname_np(pthread_self(), name);
#else
    (void)name;
#endif
}

namespace {

using vhid::backend;
using vhid::iface_info;

// What a check hands to the callbacks, in order: a status change comes before the transition
// of the same check.
enum class transition { connected, disconnected, status };

struct reader
{
    const backend* be = nullptr;
    int32_t index = 0;
    std::string path;
    vhid_handle_t handle = VHID_INVALID_HANDLE;
    std::vector<uint8_t> buffer;
    std::thread thread;
    mutable std::mutex mutex; // `closed` against a cancel racing the reader's own close
    std::condition_variable finished;
    bool closed = false;
    std::atomic<bool> stopping{false};
    // The reader this one replaces: it must be gone before this one reads, so that a record
    // never has two readers delivering at once.
    std::shared_ptr<reader> predecessor;
};

struct writer
{
    const backend* be;
    std::string path;
    vhid_handle_t handle;
    std::atomic<bool> failed{false};
    std::atomic<bool> cancelled{false};

    writer(const backend* b, std::string p, vhid_handle_t h) : be(b), path(std::move(p)), handle(h)
    {
    }
    ~writer() { be->close(handle); }
    writer(const writer&) = delete;
    writer& operator=(const writer&) = delete;
};

struct record
{
    std::mutex mutex;
    std::condition_variable idle;
    int active = 0; // callbacks of this record running now, on any thread
    std::deque<transition> pending;
    bool delivering = false; // some thread is draining `pending`
    bool attached = false;   // callbacks were set: notification checks include the record
    std::string failed_open; // the path whose failed open was logged last (checks only)
    vhid_status status{};    // what the last check found
    vhid_status_cb_t status_cb = nullptr;
    void* status_user = nullptr;
    std::shared_ptr<reader> rd;
    std::shared_ptr<writer> wr;
};

struct layer
{
    std::mutex init_mutex;
    std::mutex check_mutex;
    device_t devices[VHID_MAX_DEVICES];
    record records[VHID_MAX_DEVICES];
    std::atomic<int32_t> n_devices{0};
    std::atomic<const backend*> be{nullptr};
    bool started = false;
    std::atomic<bool> terminated{false};

    std::mutex observer_mutex;
    vhid_device_change_cb_t device_change_callback = nullptr;
    void* device_change_user_data = nullptr;

    // Readers stopped by a check that ran on their own thread; joined by a later check.
    std::mutex parked_mutex;
    std::vector<std::shared_ptr<reader>> parked;
};

// Never destroyed: reader and notification threads may outlive static destruction.
layer& the_layer()
{
    static layer* l = new layer;
    return *l;
}

// How deep this thread is inside callbacks of each record (vhid_detach from inside a callback).
thread_local int t_in_callback[VHID_MAX_DEVICES];

void log_failure(const char* what, int32_t index, const std::string& path)
{
    std::fprintf(stderr, "vhid: %s (registration %d, %s)\n", what, static_cast<int>(index),
                 path.c_str());
}

bool valid_index(int32_t index)
{
    return index >= 0 && index < the_layer().n_devices.load(std::memory_order_acquire);
}

void copy_text(char (&to)[VHID_TEXT_MAX], const std::string& from)
{
    const size_t n = std::min(from.size(), sizeof to - 1);
    std::memcpy(to, from.data(), n);
    to[n] = '\0';
}

vhid_status make_status(int32_t problem, const std::string& path, const std::string& message)
{
    vhid_status status{};
    status.problem = problem;
    copy_text(status.path, path);
    copy_text(status.message, message);
    return status;
}

bool same_status(const vhid_status& a, const vhid_status& b)
{
    return a.problem == b.problem && std::strcmp(a.path, b.path) == 0 &&
           std::strcmp(a.message, b.message) == 0;
}

void reset_record(device_t& d, int32_t index)
{
    d = device_t{};
    d.index = index;
    d.state = VHID_STATE_UNKNOWN;
    d.read_handle = VHID_INVALID_HANDLE;
    d.write_handle = VHID_INVALID_HANDLE;
}

void deliver_report(int32_t index, uint8_t* data, int32_t length)
{
    layer& l = the_layer();
    record& rec = l.records[index];
    vhid_report_cb_t cb;
    void* user;
    {
        std::lock_guard<std::mutex> lock(rec.mutex);
        cb = l.devices[index].report_cb;
        user = l.devices[index].user_data;
        if (!cb)
            return;
        ++rec.active;
    }
    ++t_in_callback[index];
    cb(user, index, data, length);
    --t_in_callback[index];
    {
        std::lock_guard<std::mutex> lock(rec.mutex);
        --rec.active;
    }
    rec.idle.notify_all();
}

void run_reader(std::shared_ptr<reader> r)
{
    const backend& be = *r->be;
    vhid::name_thread("vhid-reader");
    if (r->predecessor) {
        reader& p = *r->predecessor;
        std::unique_lock<std::mutex> lock(p.mutex);
        p.finished.wait(lock, [&] { return p.closed; });
        lock.unlock();
        r->predecessor.reset();
    }
    for (;;) {
        const int32_t n = be.read(r->handle, r->buffer.data(), int32_t(r->buffer.size()));
        if (r->stopping.load())
            break;
        if (n < 0) {
            // A removal is reported by the check it starts; anything else is worth a line.
            if (be.alive && be.alive(r->handle))
                log_failure("read failed; the reader ends", r->index, r->path);
            break;
        }
        if (n == 0) {
            // An empty read on a dead handle would come back at once, forever.
            if (be.alive && !be.alive(r->handle))
                break;
            continue;
        }
        deliver_report(r->index, r->buffer.data(), n);
    }
    std::lock_guard<std::mutex> lock(r->mutex);
    be.close(r->handle);
    r->closed = true;
    r->finished.notify_all();
}

void stop_reader(reader& r)
{
    r.stopping.store(true);
    std::lock_guard<std::mutex> lock(r.mutex);
    if (!r.closed)
        r.be->cancel(r.handle);
}

bool reader_usable(const reader& r)
{
    std::lock_guard<std::mutex> lock(r.mutex);
    return !r.closed && !r.stopping.load() && (!r.be->alive || r.be->alive(r.handle));
}

bool writer_usable(const writer& w)
{
    return !w.failed.load() && !w.cancelled.load() && (!w.be->alive || w.be->alive(w.handle));
}

// Joins stopped readers; one stopped by a check on its own thread is parked for later.
void join_readers(std::vector<std::shared_ptr<reader>> stopped)
{
    layer& l = the_layer();
    {
        std::lock_guard<std::mutex> lock(l.parked_mutex);
        stopped.insert(stopped.end(), l.parked.begin(), l.parked.end());
        l.parked.clear();
    }
    std::vector<std::shared_ptr<reader>> keep;
    for (auto& r : stopped) {
        if (r->thread.get_id() == std::this_thread::get_id())
            keep.push_back(r);
        else if (r->thread.joinable())
            r->thread.join();
    }
    if (!keep.empty()) {
        std::lock_guard<std::mutex> lock(l.parked_mutex);
        l.parked.insert(l.parked.end(), keep.begin(), keep.end());
    }
}

// Hands the record's pending transitions to its callbacks, in order, with no lock held.
void deliver_transitions(int32_t index)
{
    layer& l = the_layer();
    record& rec = l.records[index];
    device_t& d = l.devices[index];
    std::unique_lock<std::mutex> lock(rec.mutex);
    while (!rec.pending.empty()) {
        const transition t = rec.pending.front();
        rec.pending.pop_front();
        auto cb = t == transition::connected      ? d.connected_cb
                  : t == transition::disconnected ? d.disconnected_cb
                                                  : rec.status_cb;
        void* user = t == transition::status ? rec.status_user : d.user_data;
        if (!cb)
            continue;
        ++rec.active;
        lock.unlock();
        ++t_in_callback[index];
        cb(user, index);
        --t_in_callback[index];
        lock.lock();
        --rec.active;
        rec.idle.notify_all();
    }
    rec.delivering = false;
}

// A handle chosen for one side of a record during a walk.
struct side
{
    vhid_handle_t handle = VHID_INVALID_HANDLE;
    std::string path;
    bool kept = false; // the record's current handle, left open
    bool set() const { return kept || handle != VHID_INVALID_HANDLE; }
};

void drop_candidate(const backend& be, side& s)
{
    if (!s.kept && s.handle != VHID_INVALID_HANDLE)
        be.close(s.handle);
    s = side{};
}

// Takes one side of a matching interface: keeps the record's open handle when it is the same
// interface and still alive, otherwise opens it. False when the open failed.
bool take_side(const backend& be, side& s, const iface_info& f, bool current_ok,
               const std::string& current_path, uint32_t access, bool other_direction,
               int32_t index, std::string& failed_open, vhid::open_error& error)
{
    drop_candidate(be, s);
    if (current_ok && current_path == f.path) {
        s.kept = true;
        s.path = f.path;
        return true;
    }
    const uint32_t share =
        other_direction ? vhid::share_read | vhid::share_write : vhid::share_read;
    s.handle = be.open(f, access, share, error);
    s.path = f.path;
    if (s.handle == VHID_INVALID_HANDLE) {
        if (failed_open != f.path) // once, not again on every arrival of anything
            log_failure(access == vhid::access_read ? "cannot open for reading"
                                                    : "cannot open for writing",
                        index, f.path);
        failed_open = f.path;
        return false;
    }
    failed_open.clear();
    return true;
}

std::shared_ptr<reader> start_reader(const backend& be, int32_t index, const side& s,
                                     int32_t length, std::shared_ptr<reader> predecessor)
{
    auto r = std::make_shared<reader>();
    r->predecessor = std::move(predecessor);
    r->be = &be;
    r->index = index;
    r->path = s.path;
    r->handle = s.handle;
    r->buffer.assign(size_t(length), 0);
    try {
        r->thread = std::thread(run_reader, r);
    } catch (const std::system_error&) {
        log_failure("cannot start a reader", index, s.path);
        be.close(s.handle);
        return nullptr;
    }
    return r;
}

// The connection check of one record; the caller holds check_mutex. Returns true when the
// calling thread must deliver the record's pending transitions.
bool check_locked(int32_t index, std::vector<std::shared_ptr<reader>>& stopped)
{
    layer& l = the_layer();
    const backend& be = *l.be.load();
    device_t& d = l.devices[index];
    record& rec = l.records[index];
    const int32_t old_state = d.state;

    std::vector<iface_info> list;
    if (!be.enumerate(list)) {
        d.state = VHID_STATE_UNKNOWN;
        return false;
    }

    std::shared_ptr<reader> cur_rd;
    std::shared_ptr<writer> cur_wr;
    {
        std::lock_guard<std::mutex> lock(rec.mutex);
        cur_rd = rec.rd;
        cur_wr = rec.wr;
    }
    const bool rd_ok = cur_rd && reader_usable(*cur_rd);
    const bool wr_ok = cur_wr && writer_usable(*cur_wr);
    if (cur_wr && !wr_ok) {
        // Close a failed write handle before the walk: a write handle that shares reading
        // only would make a new open of the same interface a sharing violation.
        std::lock_guard<std::mutex> lock(rec.mutex);
        rec.wr.reset();
        d.write_handle = VHID_INVALID_HANDLE;
        cur_wr.reset();
    }
    const std::string rd_path = cur_rd ? cur_rd->path : std::string();
    const std::string wr_path = cur_wr ? cur_wr->path : std::string();

    side in, out;
    bool found = false;
    bool failed = false;
    vhid::open_error error;
    std::string problem_path; // the interface that failed, or a disconnected one
    for (const iface_info& f : list) {
        if (f.vendor_id != d.vendor_id || f.product_id != d.product_id)
            continue;
        if (d.usage_page != 0 && d.usage_page != f.usage_page)
            continue;
        const bool reads = f.input_report_len != 0 && f.input_report_len == d.input_report_len;
        const bool writes = f.output_report_len != 0 && f.output_report_len == d.output_report_len;
        if (f.disconnected) {
            if (reads || writes)
                problem_path = f.path;
            continue;
        }
        if (reads) {
            if (!take_side(be, in, f, rd_ok, rd_path, vhid::access_read, f.output_report_len != 0,
                           index, rec.failed_open, error)) {
                failed = true;
                problem_path = f.path;
                break;
            }
            found = true;
        }
        if (writes) {
            if (!take_side(be, out, f, wr_ok, wr_path, vhid::access_write, f.input_report_len != 0,
                           index, rec.failed_open, error)) {
                failed = true;
                problem_path = f.path;
                break;
            }
            found = true;
        }
    }
    const bool connected = found && !failed;
    const vhid_status status = connected ? make_status(VHID_PROBLEM_NONE, "", "")
                               : failed  ? make_status(error.problem, problem_path, error.message)
                               : problem_path.empty()
                                   ? make_status(VHID_PROBLEM_NOT_FOUND, "", "")
                                   : make_status(VHID_PROBLEM_DISCONNECTED, problem_path, "");
    if (!connected) {
        drop_candidate(be, in);
        drop_candidate(be, out);
    }

    std::shared_ptr<reader> next_rd;
    std::shared_ptr<writer> next_wr;
    if (in.kept)
        next_rd = cur_rd;
    else if (in.set())
        next_rd = start_reader(be, index, in, d.input_report_len, cur_rd);
    if (out.kept)
        next_wr = cur_wr;
    else if (out.set())
        next_wr = std::make_shared<writer>(&be, out.path, out.handle);
    if (cur_rd && cur_rd != next_rd) {
        stop_reader(*cur_rd);
        stopped.push_back(cur_rd);
    }

    d.state = connected ? VHID_STATE_CONNECTED : VHID_STATE_DISCONNECTED;
    std::lock_guard<std::mutex> lock(rec.mutex);
    rec.rd = next_rd;
    rec.wr = next_wr; // an old writer closes once no write uses it any more
    d.read_handle = next_rd ? next_rd->handle : VHID_INVALID_HANDLE;
    d.read_buffer = next_rd ? next_rd->buffer.data() : nullptr;
    d.write_handle = next_wr ? next_wr->handle : VHID_INVALID_HANDLE;
    const bool status_changed = !same_status(status, rec.status);
    rec.status = status;
    if (status_changed)
        rec.pending.push_back(transition::status);
    if (d.state != old_state)
        rec.pending.push_back(connected ? transition::connected : transition::disconnected);
    if (rec.pending.empty() || rec.delivering)
        return false;
    rec.delivering = true;
    return true;
}

struct callbacks
{
    vhid_connected_cb_t connected;
    vhid_disconnected_cb_t disconnected;
    vhid_report_cb_t report;
    void* user_data;
};

// Runs the connection check of one record and delivers its callbacks. With `set`, stores the
// callbacks first, in the same locked step, so no notification check can take the record's
// first transition away from the caller.
void check_connected_and_notify(int32_t index, const callbacks* set)
{
    layer& l = the_layer();
    std::vector<std::shared_ptr<reader>> stopped;
    bool deliver = false;
    {
        std::lock_guard<std::mutex> lock(l.check_mutex);
        if (!valid_index(index))
            return;
        record& rec = l.records[index];
        {
            std::lock_guard<std::mutex> rec_lock(rec.mutex);
            if (set) {
                device_t& d = l.devices[index];
                d.connected_cb = set->connected;
                d.disconnected_cb = set->disconnected;
                d.report_cb = set->report;
                d.user_data = set->user_data;
                rec.attached = true;
            } else if (!rec.attached) {
                return;
            }
        }
        deliver = check_locked(index, stopped);
    }
    join_readers(std::move(stopped));
    if (deliver)
        deliver_transitions(index);
}

void on_device_change(uint32_t message, uintptr_t event, intptr_t event_data)
{
    layer& l = the_layer();
    if (l.terminated.load())
        return;
    vhid_device_change_cb_t observer;
    void* observer_data;
    {
        std::lock_guard<std::mutex> lock(l.observer_mutex);
        observer = l.device_change_callback;
        observer_data = l.device_change_user_data;
    }
    if (observer)
        observer(observer_data, message, event, event_data);
    if ((event & ~uintptr_t(4)) != vhid::event_arrival)
        return;
    for (int32_t i = 0; i < l.n_devices.load(std::memory_order_acquire); ++i)
        check_connected_and_notify(i, nullptr);
}

// Waits until no callback of the record runs on another thread; the callbacks are cleared.
void detach_record(int32_t index)
{
    layer& l = the_layer();
    record& rec = l.records[index];
    device_t& d = l.devices[index];
    std::unique_lock<std::mutex> lock(rec.mutex);
    d.connected_cb = nullptr;
    d.disconnected_cb = nullptr;
    d.report_cb = nullptr;
    d.user_data = nullptr;
    rec.status_cb = nullptr;
    rec.status_user = nullptr;
    rec.pending.clear();
    rec.idle.wait(lock, [&] { return rec.active <= t_in_callback[index]; });
}

} // namespace

extern "C" {

void vhid_init(void)
{
    layer& l = the_layer();
    std::lock_guard<std::mutex> init_lock(l.init_mutex);
    if (l.started) {
        l.be.load()->stop();
        l.started = false;
    }
    const int32_t n = l.n_devices.load();
    for (int32_t i = 0; i < n; ++i)
        detach_record(i);
    std::vector<std::shared_ptr<reader>> stopped;
    std::vector<std::shared_ptr<writer>> writers;
    {
        std::lock_guard<std::mutex> lock(l.check_mutex);
        for (int32_t i = 0; i < n; ++i) {
            record& rec = l.records[i];
            std::lock_guard<std::mutex> rec_lock(rec.mutex);
            if (rec.rd) {
                stop_reader(*rec.rd);
                stopped.push_back(std::move(rec.rd));
            }
            writers.push_back(std::move(rec.wr));
            rec.rd.reset();
            rec.wr.reset();
            rec.pending.clear();
            rec.delivering = false;
            rec.attached = false;
            rec.failed_open.clear();
            rec.status = vhid_status{};
        }
        for (int32_t i = 0; i < VHID_MAX_DEVICES; ++i)
            reset_record(l.devices[i], i);
        l.n_devices.store(0, std::memory_order_release);
    }
    writers.clear();
    join_readers(std::move(stopped));

    const backend& be =
        vhid::virtual_selected() ? vhid::virtual_backend() : vhid::platform_backend();
    l.be.store(&be);
    l.terminated.store(false);
    l.started = be.start(on_device_change);
    if (!l.started)
        std::fprintf(stderr, "vhid: cannot watch for HID device arrival and removal (%s)\n",
                     be.name);
}

int32_t vhid_add_device(int32_t vendor_id, int32_t product_id, int32_t usage_page,
                        int32_t input_report_len, int32_t output_report_len)
{
    layer& l = the_layer();
    std::lock_guard<std::mutex> lock(l.check_mutex);
    const int32_t index = l.n_devices.load();
    if (index >= VHID_MAX_DEVICES)
        return -1;
    device_t& d = l.devices[index];
    {
        std::lock_guard<std::mutex> rec_lock(l.records[index].mutex);
        reset_record(d, index);
        d.vendor_id = uint32_t(vendor_id);
        d.product_id = uint32_t(product_id);
        d.usage_page = uint32_t(usage_page);
        d.input_report_len = input_report_len;
        d.output_report_len = output_report_len;
    }
    l.n_devices.store(index + 1, std::memory_order_release);
    return index;
}

void vhid_set_callbacks(int32_t index, vhid_connected_cb_t connected_cb,
                        vhid_disconnected_cb_t disconnected_cb, vhid_report_cb_t report_cb,
                        void* user_data)
{
    if (!valid_index(index))
        return;
    const callbacks set{connected_cb, disconnected_cb, report_cb, user_data};
    check_connected_and_notify(index, &set);
}

void vhid_detach(int32_t index)
{
    if (valid_index(index))
        detach_record(index);
}

void vhid_set_status_callback(int32_t index, vhid_status_cb_t status_cb, void* user_data)
{
    if (!valid_index(index))
        return;
    record& rec = the_layer().records[index];
    std::lock_guard<std::mutex> lock(rec.mutex);
    rec.status_cb = status_cb;
    rec.status_user = user_data;
}

int32_t vhid_get_status(int32_t index, vhid_status* status)
{
    if (!valid_index(index) || !status)
        return -1;
    record& rec = the_layer().records[index];
    std::lock_guard<std::mutex> lock(rec.mutex);
    *status = rec.status;
    return 0;
}

void vhid_rescan(void)
{
    const backend* be = the_layer().be.load();
    if (be && be->rescan)
        be->rescan();
}

const char* vhid_backend_name(void)
{
    const backend* be = the_layer().be.load();
    return be ? be->name : "not started";
}

const char* vhid_event_source(void)
{
    const backend* be = the_layer().be.load();
    return be && be->event_source ? be->event_source() : "";
}

int32_t vhid_list_interfaces(uint16_t vendor_id, uint16_t product_id, vhid_iface_report* out,
                             int32_t max)
{
    layer& l = the_layer();
    const backend* be = l.be.load();
    if (!be)
        return -1;
    // Checks use what the last listing left in the backend: none runs meanwhile.
    std::lock_guard<std::mutex> lock(l.check_mutex);
    std::vector<iface_info> list;
    if (!be->enumerate(list))
        return -1;
    int32_t n = 0;
    for (const iface_info& f : list) {
        if (f.vendor_id != vendor_id || f.product_id != product_id)
            continue;
        if (out && n < max) {
            vhid_iface_report& r = out[n];
            r = vhid_iface_report{};
            copy_text(r.path, f.path);
            r.vendor_id = f.vendor_id;
            r.product_id = f.product_id;
            r.usage_page = f.usage_page;
            r.input_report_len = f.input_report_len;
            r.output_report_len = f.output_report_len;
            r.disconnected = f.disconnected;
            for (int32_t i = 0; i < l.n_devices.load(); ++i) {
                record& rec = l.records[i];
                std::lock_guard<std::mutex> rec_lock(rec.mutex);
                r.open_for_reading |= rec.rd && rec.rd->path == f.path;
                r.open_for_writing |= rec.wr && rec.wr->path == f.path;
            }
        }
        ++n;
    }
    return n;
}

void vhid_set_device_change_callback(vhid_device_change_cb_t callback, void* user_data)
{
    layer& l = the_layer();
    std::lock_guard<std::mutex> lock(l.observer_mutex);
    l.device_change_callback = callback;
    l.device_change_user_data = user_data;
}

int32_t vhid_write(int32_t index, const uint8_t* data, int32_t length)
{
    if (!valid_index(index) || length < 1 || !data)
        return -1;
    layer& l = the_layer();
    record& rec = l.records[index];
    std::shared_ptr<writer> w;
    {
        std::lock_guard<std::mutex> lock(rec.mutex);
        w = rec.wr;
    }
    if (!w)
        return -1;
    if (w->cancelled.load())
        return 0;
    const int32_t report_len = l.devices[index].output_report_len;
    uint8_t small[64];
    std::vector<uint8_t> large;
    uint8_t* report = small;
    if (report_len > int32_t(sizeof small)) {
        large.resize(size_t(report_len));
        report = large.data();
    }
    const int32_t copied = std::min(length, report_len);
    std::memcpy(report, data, size_t(copied));
    std::memset(report + copied, 0, size_t(report_len - copied));
    const int32_t written = std::max(0, w->be->write(w->handle, report, report_len));
    if (written == 0 && !w->cancelled.load() && !w->failed.exchange(true))
        log_failure("write failed", index, w->path); // once per handle: it is re-opened
    return written;
}

void vhid_cancel_writes(int32_t index)
{
    if (!valid_index(index))
        return;
    record& rec = the_layer().records[index];
    std::shared_ptr<writer> w;
    {
        std::lock_guard<std::mutex> lock(rec.mutex);
        w = rec.wr;
    }
    if (!w)
        return;
    w->cancelled.store(true);
    w->be->cancel(w->handle);
}

void vhid_terminate(void)
{
    layer& l = the_layer();
    std::lock_guard<std::mutex> init_lock(l.init_mutex);
    l.terminated.store(true);
    if (l.started)
        l.be.load()->cancel_notifications();
}

} // extern "C"
