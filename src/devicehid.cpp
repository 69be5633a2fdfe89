#include "devicehid.h"

#include "configreport.h"
#include "vhid.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTimer>
#include <algorithm>
#include <thread>

namespace {

constexpr int VENDOR_ID = DeviceHid::vendor_id;
constexpr int PRODUCT_ID = DeviceHid::product_id;
constexpr int USAGE_PAGE = 0xFF00;
constexpr int REPORT_LEN = 9;
constexpr uint8_t OUTPUT_REPORT_ID = 0x05;
constexpr std::size_t MAX_COMMAND_LEN = 8;

constexpr unsigned char CMD_READ = 0x01;
constexpr unsigned char CMD_WRITE = 0x02;
constexpr unsigned char SECTION_DEVICE = 0x00;
constexpr unsigned char SECTION_PRESS = 0x01;
constexpr unsigned char SECTION_RELEASE = 0x02;
constexpr unsigned char SECTION_PROFILE = 0x03;
constexpr unsigned char SECTION_END = 0xFF;
constexpr unsigned char CONTROL_WRITE = 0x00;
constexpr unsigned char CONTROL_BOOTLOADER = 0xFF;
constexpr uint8_t RESTORE_MARK = 0xFF;

constexpr std::chrono::seconds ERROR_PERIOD{1};

// Keys of the hand-off: the parts of a configuration (a newer report for a part replaces a
// waiting one), then one per registration, then the status.
constexpr int N_PARTS = 1 + 2 * Config::N_SWITCHES + Config::MAX_MOUSE_MOVE_PROFILES;

int part_of(const ConfigReport& report)
{
    switch (report.kind) {
    case ConfigReport::Kind::DeviceSection:
        return 0;
    case ConfigReport::Kind::PressEntry:
        return 1 + report.index;
    case ConfigReport::Kind::ReleaseEntry:
        return 1 + Config::N_SWITCHES + report.index;
    default:
        return 1 + 2 * Config::N_SWITCHES + report.index;
    }
}

// Of a registration's arrivals and removals waiting together, the latest tells its state: a
// removal and a new arrival still re-read the configuration.
int transition_key(int id)
{
    return N_PARTS + std::max(id, 0);
}

// A status is read anew when its change is handled, so one waiting stands for any number.
constexpr int STATUS_KEY = N_PARTS + VHID_MAX_DEVICES;

void hid_connected_wrapper(void* user, int32_t id)
{
    static_cast<DeviceHid*>(user)->hid_connected_cb(id);
}

void hid_disconnected_wrapper(void* user, int32_t id)
{
    static_cast<DeviceHid*>(user)->hid_disconnected_cb(id);
}

void hid_report_wrapper(void* user, int32_t id, uint8_t* data, int32_t len)
{
    static_cast<DeviceHid*>(user)->hid_report_cb(id, data, len);
}

void hid_status_wrapper(void* user, int32_t id)
{
    static_cast<DeviceHid*>(user)->hid_status_cb(id);
}

// How much a registration's problem tells the user; the device shows the most telling one.
int weight(int32_t problem)
{
    switch (problem) {
    case VHID_PROBLEM_NO_PERMISSION:
        return 3;
    case VHID_PROBLEM_OPEN_FAILED:
        return 2;
    case VHID_PROBLEM_DISCONNECTED:
        return 1;
    }
    return 0;
}

QString problem_code(int32_t problem)
{
    switch (problem) {
    case VHID_PROBLEM_NO_PERMISSION:
        return QStringLiteral("no_permission");
    case VHID_PROBLEM_OPEN_FAILED:
        return QStringLiteral("open_failed");
    case VHID_PROBLEM_DISCONNECTED:
        return QStringLiteral("disconnected");
    }
    return {};
}

} // namespace

DeviceHid::DeviceHid(QObject* parent) : Device(parent), writer(std::make_unique<ReportWriter>())
{
    vhid_init();
    hid_in_id = vhid_add_device(VENDOR_ID, PRODUCT_ID, USAGE_PAGE, REPORT_LEN, 0);
    vhid_set_status_callback(hid_in_id, hid_status_wrapper, this);
    vhid_set_callbacks(hid_in_id, hid_connected_wrapper, hid_disconnected_wrapper,
                       hid_report_wrapper, this);
    hid_out_id = vhid_add_device(VENDOR_ID, PRODUCT_ID, USAGE_PAGE, 0, REPORT_LEN);
    vhid_set_status_callback(hid_out_id, hid_status_wrapper, this);
    vhid_set_callbacks(hid_out_id, hid_connected_wrapper, hid_disconnected_wrapper,
                       hid_report_wrapper, this);
}

DeviceHid::~DeviceHid()
{
    // Once detached, no transport callback can reach this object; whatever they handed over and
    // was not yet taken is dropped with the handoff.
    detach();
    vhid_terminate();
    // Writes what is still queued, then ends the writing thread.
    writer.reset();
}

void DeviceHid::detach()
{
    for (int id : {hid_in_id, hid_out_id})
        if (id >= 0)
            vhid_detach(id);
}

void DeviceHid::take_handed_over()
{
    QCoreApplication::sendPostedEvents(&handoff);
}

void DeviceHid::read_config()
{
    config_ready = false;
    emit config_ready_changed();
    send_command({CMD_READ});
}

void DeviceHid::send_config()
{
    config.calculate_full();
    do_send_config();
}

void DeviceHid::restore_default_config()
{
    config.sw_press_config[0]->iface = RESTORE_MARK;
    do_send_config();
}

void DeviceHid::reset_to_bootloader()
{
    send_command({CMD_WRITE, SECTION_DEVICE, 0x00, 0x00, CONTROL_BOOTLOADER,
                  static_cast<unsigned char>(config.use_joystick ? 1 : 0)});
}

void DeviceHid::send_command(std::vector<unsigned char> command) const
{
    if (command.size() > MAX_COMMAND_LEN) {
        QMessageLogger().critical() << "Error: HID command is too long";
        return;
    }
    Report report{};
    report[0] = OUTPUT_REPORT_ID;
    std::copy(command.begin(), command.end(), report.begin() + 1);
    if (open_series != nullptr)
        open_series->push_back(report);
    else
        writer->submit(hid_out_id, ReportWriter::Kind::Commands, {report});
}

void DeviceHid::do_send_config()
{
    std::vector<Report> series;
    series.reserve(1 + 2 * Config::N_SWITCHES + Config::MAX_MOUSE_MOVE_PROFILES + 1);
    open_series = &series;

    send_command({CMD_WRITE, SECTION_DEVICE, 0x00, 0x00, CONTROL_WRITE,
                  static_cast<unsigned char>(config.use_joystick ? 1 : 0)});
    for (unsigned char section : {SECTION_PRESS, SECTION_RELEASE}) {
        const auto& entries =
            section == SECTION_PRESS ? config.sw_press_config : config.sw_release_config;
        for (int i = 0; i < Config::N_SWITCHES; ++i) {
            const ConfigSwitch* entry = entries[i];
            send_command({CMD_WRITE, section, static_cast<unsigned char>(i), entry->iface,
                          entry->action, entry->param1, entry->param2});
        }
    }
    for (int j = 0; j < Config::MAX_MOUSE_MOVE_PROFILES; ++j) {
        const MouseMoveProfile* profile = config.mouse_move_profiles[j];
        send_command({CMD_WRITE, SECTION_PROFILE, static_cast<unsigned char>(j),
                      profile->n_intervals, profile->speed.value(0), profile->speed.value(1),
                      profile->speed.value(2)});
    }
    send_command({CMD_WRITE, SECTION_END});

    open_series = nullptr;
    // A series with the restore mark must never be replaced by a later write.
    const bool restore = config.sw_press_config[0]->iface == RESTORE_MARK;
    writer->submit(hid_out_id,
                   restore ? ReportWriter::Kind::Restore : ReportWriter::Kind::FullConfig,
                   std::move(series));
}

bool DeviceHid::on_owner_thread() const
{
    // Not QThread::currentThread(), which would give every transport thread Qt thread data.
    return std::this_thread::get_id() == owner;
}

void DeviceHid::hid_connected_cb(int id)
{
    if (!on_owner_thread()) {
        handoff.post_latest(transition_key(id), [this, id] { hid_connected_cb(id); });
        return;
    }
    if (id == hid_in_id)
        hid_in_connected = true;
    else if (id == hid_out_id)
        hid_out_connected = true;
    if (hid_in_connected && hid_out_connected) {
        connected = true;
        update_problem();
        emit connected_changed();
        read_config();
    }
}

void DeviceHid::hid_disconnected_cb(int id)
{
    if (!on_owner_thread()) {
        handoff.post_latest(transition_key(id), [this, id] { hid_disconnected_cb(id); });
        return;
    }
    if (id == hid_in_id)
        hid_in_connected = false;
    else if (id == hid_out_id)
        hid_out_connected = false;
    if (!hid_in_connected && !hid_out_connected) {
        connected = false;
        update_problem();
        emit connected_changed();
    }
}

void DeviceHid::hid_status_cb(int id)
{
    if (!on_owner_thread()) {
        handoff.post_latest(STATUS_KEY, [this, id] { hid_status_cb(id); });
        return;
    }
    update_problem();
}

// Reads the registrations' statuses as they are now, so a late status change cannot undo a
// newer one.
void DeviceHid::update_problem()
{
    vhid_status worst{};
    if (!connected) {
        for (int id : {hid_in_id, hid_out_id}) {
            vhid_status status{};
            if (vhid_get_status(id, &status) == 0 && weight(status.problem) > weight(worst.problem))
                worst = status;
        }
    }
    set_problem(problem_code(worst.problem), QString::fromLocal8Bit(worst.message));
}

void DeviceHid::hid_report_cb(int id, uint8_t* data, int len)
{
    Q_UNUSED(id)
    // The bytes are only valid during this call: decode them here, store them on the owner thread.
    const ConfigReport report = ConfigReport::decode(data, len);
    if (report.kind == ConfigReport::Kind::Ignored)
        return;
    if (report.is_error())
        log_rejected(report);
    else if (on_owner_thread())
        apply_report(report);
    else if (report.kind == ConfigReport::Kind::End)
        handoff.post_closing([this, report] { apply_report(report); });
    else
        handoff.post_latest(part_of(report), [this, report] { apply_report(report); });
}

void DeviceHid::apply_report(const ConfigReport& report)
{
    report.store(config);
    if (report.kind == ConfigReport::Kind::End) {
        config.calculate_simplified();
        config_ready = true;
        emit config_changed();
        emit config_ready_changed();
    }
}

void DeviceHid::log_rejected(const ConfigReport& report)
{
    bool log_it;
    bool summary = false;
    std::chrono::steady_clock::time_point second_end;
    {
        std::lock_guard<std::mutex> lock(errors.mutex);
        const auto now = std::chrono::steady_clock::now();
        if (now - errors.second_start >= ERROR_PERIOD) {
            errors.second_start = now;
            errors.logged = 0;
        }
        log_it = errors.logged < MAX_ERRORS_PER_SECOND;
        if (log_it) {
            ++errors.logged;
        } else {
            ++errors.suppressed;
            summary = !errors.summary_due;
            errors.summary_due = true;
        }
        second_end = errors.second_start + ERROR_PERIOD;
    }
    if (!log_it && !summary)
        return;
    // Logged and timed on the owner thread, which has the event loop.
    auto task = [this, report, log_it, summary, second_end] {
        if (log_it)
            report.log_error();
        if (summary) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                second_end - std::chrono::steady_clock::now());
            QTimer::singleShot(std::max<qint64>(0, left.count()), this,
                               [this] { log_suppressed(); });
        }
    };
    if (on_owner_thread()) {
        task();
    } else if (!handoff.post(task) && summary) {
        std::lock_guard<std::mutex> lock(errors.mutex);
        errors.summary_due = false;
    }
}

void DeviceHid::log_suppressed()
{
    std::size_t n;
    {
        std::lock_guard<std::mutex> lock(errors.mutex);
        n = errors.suppressed;
        errors.suppressed = 0;
        errors.summary_due = false;
    }
    if (n != 0)
        QMessageLogger().critical()
            << "Error: Suppressed" << n << "more message(s) about bad HID reports";
}

std::size_t DeviceHid::pending_series() const
{
    return writer->pending_series();
}

std::size_t DeviceHid::pending_reports() const
{
    return writer->pending_reports();
}

std::size_t DeviceHid::superseded_writes() const
{
    return writer->superseded();
}

bool DeviceHid::wait_for_writes(int timeout_ms) const
{
    return writer->wait_idle(timeout_ms);
}

std::size_t DeviceHid::pending_callbacks() const
{
    return handoff.pending();
}
