// The real Linux backend with no device present: the first check reports disconnected, and the
// layer's threads sleep until the system has something to say (the layer never polls).
#include "recorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace {

// Voluntary and involuntary context switches of each of the layer's threads (not a sanitizer's
// helper): each wake-up adds at least one.
std::map<std::string, long> wakeups()
{
    std::map<std::string, long> of;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::string line;
        if (!std::getline(std::ifstream(task.path() / "comm"), line) || line.rfind("vhid-", 0) != 0)
            continue;
        for (std::ifstream status(task.path() / "status"); std::getline(status, line);)
            if (line.find("ctxt_switches:") != std::string::npos)
                of[task.path()] += std::stol(line.substr(line.find(':') + 1));
    }
    return of;
}

TEST(VhidLinux, IdleLayerMakesNoWakeups)
{
    vhid_init();
    recorder rec;
    rec.attach_device_pair();
    if (rec.count(recorder::connected) > 0)
        GTEST_SKIP() << "a Velquin Plus is plugged in; this test needs none";
    EXPECT_EQ(rec.count(recorder::disconnected), 2u);
    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // settled in its wait
    const auto before = wakeups();
    ASSERT_FALSE(before.empty()) << "the notification thread did not start";
    std::this_thread::sleep_for(std::chrono::seconds(3));
    EXPECT_EQ(wakeups(), before) << "a thread of the layer woke up while idle";
    EXPECT_EQ(rec.snapshot().size(), 2u);
}

} // namespace
