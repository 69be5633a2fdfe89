#include "simdevice.h"

namespace {

constexpr uint8_t CMD_READ = 0x01;
constexpr uint8_t CMD_WRITE = 0x02;
constexpr uint8_t ANSWER_TO_READ = 0x01;
constexpr uint8_t SECTION_DEVICE = 0x00;
constexpr uint8_t SECTION_PRESS = 0x01;
constexpr uint8_t SECTION_RELEASE = 0x02;
constexpr uint8_t SECTION_PROFILE = 0x03;
constexpr uint8_t SECTION_END = 0xFF;
constexpr uint8_t CONTROL_BOOTLOADER = 0xFF;
constexpr uint8_t RESTORE_MARK = 0xFF;

SimDevice::Bytes section(uint8_t code, std::initializer_list<uint8_t> fields)
{
    SimDevice::Bytes report(SimDevice::REPORT_LEN, 0);
    report[0] = SimDevice::INPUT_REPORT_ID;
    report[1] = ANSWER_TO_READ;
    report[2] = code;
    std::size_t i = 3;
    for (uint8_t field : fields)
        report[i++] = field;
    return report;
}

} // namespace

SimDevice::SimDevice() : current(SimConfig::factory()) {}

SimDevice::Outcome SimDevice::handle_output(const uint8_t* data, std::size_t len)
{
    if (data == nullptr || len < static_cast<std::size_t>(REPORT_LEN) ||
        data[0] != OUTPUT_REPORT_ID) {
        ++counts.ignored;
        return Outcome::Ignored;
    }
    if (data[1] == CMD_READ) {
        ++counts.read_requests;
        return Outcome::Read;
    }
    if (data[1] != CMD_WRITE) {
        ++counts.ignored;
        return Outcome::Ignored;
    }

    const uint8_t code = data[2];
    if (code == SECTION_DEVICE && data[5] == CONTROL_BOOTLOADER) {
        ++counts.bootloader_requests;
        return Outcome::Bootloader;
    }
    if (code == SECTION_END) {
        if (!staged) {
            ++counts.ignored;
            return Outcome::Ignored;
        }
        const bool restore = staged->press[0].iface == RESTORE_MARK;
        if (restore) {
            reset_to_factory();
            ++counts.restores;
        } else {
            current = *staged;
            ++counts.writes_applied;
        }
        staged.reset();
        return restore ? Outcome::Restored : Outcome::Applied;
    }

    SimConfig next = staged ? *staged : current;
    switch (code) {
    case SECTION_DEVICE:
        next.use_joystick = data[6] != 0;
        break;
    case SECTION_PRESS:
    case SECTION_RELEASE: {
        if (data[3] >= SimConfig::N_SWITCHES) {
            ++counts.ignored;
            return Outcome::Ignored;
        }
        auto& entries = code == SECTION_PRESS ? next.press : next.release;
        entries[data[3]] = SimConfig::Entry{data[4], data[5], data[6], data[7]};
        break;
    }
    case SECTION_PROFILE:
        if (data[3] >= SimConfig::N_PROFILES || data[4] > 3) {
            ++counts.ignored;
            return Outcome::Ignored;
        }
        next.profiles[data[3]] = SimConfig::Profile{data[4], {{data[5], data[6], data[7]}}};
        break;
    default:
        ++counts.ignored;
        return Outcome::Ignored;
    }
    staged = next;
    return Outcome::Staged;
}

SimDevice::Bytes SimDevice::answer_report(int position) const
{
    const SimConfig& c = current;
    if (position == POS_DEVICE)
        return section(SECTION_DEVICE,
                       {c.uid_l, c.uid_h, c.fw_version, static_cast<uint8_t>(c.use_joystick)});
    if (position >= pos_press(0) && position < pos_release(0)) {
        const int i = position - pos_press(0);
        const SimConfig::Entry& e = c.press[i];
        return section(SECTION_PRESS,
                       {static_cast<uint8_t>(i), e.iface, e.action, e.param1, e.param2});
    }
    if (position >= pos_release(0) && position < pos_profile(0)) {
        const int i = position - pos_release(0);
        const SimConfig::Entry& e = c.release[i];
        return section(SECTION_RELEASE,
                       {static_cast<uint8_t>(i), e.iface, e.action, e.param1, e.param2});
    }
    if (position >= pos_profile(0) && position < POS_END) {
        const int j = position - pos_profile(0);
        const SimConfig::Profile& p = c.profiles[j];
        return section(SECTION_PROFILE, {static_cast<uint8_t>(j), p.n_intervals, p.speed[0],
                                         p.speed[1], p.speed[2]});
    }
    return section(SECTION_END, {});
}

std::vector<SimDevice::Bytes> SimDevice::answer() const
{
    std::vector<int> order = options.order;
    if (order.empty())
        for (int position = 0; position < ANSWER_LEN; ++position)
            order.push_back(position);

    std::vector<Bytes> reports;
    for (int position : order) {
        if (options.dropped.count(position) != 0)
            continue;
        const auto replacement = options.replaced.find(position);
        reports.push_back(replacement != options.replaced.end() ? replacement->second
                                                                : answer_report(position));
    }
    return reports;
}

void SimDevice::set_config(const SimConfig& config)
{
    current = config;
    staged.reset();
}

void SimDevice::reset_to_factory()
{
    // The identity belongs to the unit, not to its configuration.
    SimConfig factory = SimConfig::factory();
    factory.uid_l = current.uid_l;
    factory.uid_h = current.uid_h;
    factory.fw_version = current.fw_version;
    current = factory;
    staged.reset();
}

void SimDevice::set_answer_options(AnswerOptions answer_options)
{
    options = std::move(answer_options);
}
