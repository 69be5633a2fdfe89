// The real Linux backend with no device present: the first check reports disconnected, and the
// layer's threads sleep until the system has something to say (the layer never polls).
#include "recorder.h"
#include "vhid.h"

#include <gtest/gtest.h>

#include <chrono>
#include <dirent.h>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

std::set<int> task_ids()
{
    std::set<int> ids;
    if (DIR* d = opendir("/proc/self/task")) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.')
                ids.insert(std::stoi(e->d_name));
        closedir(d);
    }
    return ids;
}

std::string thread_name(int tid)
{
    std::ifstream comm("/proc/self/task/" + std::to_string(tid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

// Voluntary plus involuntary context switches of a thread: each wake-up adds at least one.
long switches(int tid)
{
    std::ifstream status("/proc/self/task/" + std::to_string(tid) + "/status");
    long total = 0;
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
            line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
            total += std::stol(line.substr(line.find(':') + 1));
    return total;
}

TEST(VhidLinux, IdleLayerMakesNoWakeups)
{
    const std::set<int> before = task_ids();
    vhid_init();
    recorder rec;
    detach_all guard;
    ASSERT_TRUE(rec.attach_device_pair());
    if (rec.count(recorder::connected) > 0)
        GTEST_SKIP() << "a Velquin Plus is plugged in; this test needs none";
    EXPECT_EQ(rec.count(recorder::disconnected, 0), 1u);
    EXPECT_EQ(rec.count(recorder::disconnected, 1), 1u);

    std::this_thread::sleep_for(std::chrono::milliseconds(300)); // named and settled in its wait
    // The layer's own threads, not a sanitizer's helper that started with them.
    std::set<int> layer;
    for (int tid : task_ids())
        if (!before.count(tid) && thread_name(tid).rfind("vhid-", 0) == 0)
            layer.insert(tid);
    ASSERT_FALSE(layer.empty()) << "the notification thread did not start";

    std::map<int, long> start;
    for (int tid : layer)
        start[tid] = switches(tid);
    std::this_thread::sleep_for(std::chrono::seconds(3));
    for (int tid : layer)
        EXPECT_EQ(switches(tid), start[tid]) << "thread " << tid << " woke up while idle";
    EXPECT_EQ(rec.snapshot().size(), 2u);
}

TEST(VhidLinux, TerminateAndInitAgainRestartTheWatch)
{
    vhid_init();
    vhid_terminate();
    vhid_init(); // joins the old notification thread and starts a new one
    recorder rec;
    detach_all guard;
    ASSERT_EQ(vhid_add_device(0x08E6, 0x0001, 0xFF00, 9, 0), 0);
    rec.attach(0);
    EXPECT_EQ(rec.snapshot().size(), 1u);
    uint8_t report[9] = {5};
    EXPECT_EQ(vhid_write(0, report, 9), -1);
}

} // namespace
