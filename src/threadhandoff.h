#pragma once

#include <QObject>
#include <cstddef>
#include <functional>
#include <list>
#include <map>
#include <mutex>

class QEvent;

// Hands tasks from any thread to the thread that owns this object, where they run in the order
// they were posted. Only what still matters waits: a keyed task replaces the waiting one of its
// key, and a closing task (the end of a series) merges into the one still waiting, so a flood
// from another thread costs the owner a bounded queue and bounded work per wake-up. Only plain
// data crosses threads under a standard mutex: the Qt event that wakes the owner is created on
// the owner thread and merely posted by the other one.
class ThreadHandoff : public QObject
{
public:
    // Waiting tasks beyond which a new one is dropped.
    static constexpr std::size_t MAX_TASKS = 256;
    // Tasks run per wake-up; the rest wait for the next pass of the event loop.
    static constexpr std::size_t SLICE = 32;

    explicit ThreadHandoff(QObject* parent = nullptr);
    ~ThreadHandoff() override;

    // Any thread; the task runs later on the owner thread. False when it was dropped (too many
    // waiting). Tasks still waiting when the object is destroyed are dropped, so posters must
    // be stopped before it goes.
    bool post(std::function<void()> task);
    // A task of which only the latest of its key (>= 0) matters: it takes the place of a waiting
    // task of that key posted since the last closing task.
    bool post_latest(int key, std::function<void()> task);
    // A task that closes what was posted before it. With one still waiting, the keyed tasks
    // posted since are merged in front of it and it runs this task instead: one series ends once.
    bool post_closing(std::function<void()> task);

    // Tasks waiting now (any thread).
    std::size_t pending() const;

    bool event(QEvent* event) override;

private:
    static constexpr int PLAIN = -1;
    static constexpr int CLOSING = -2;

    struct Entry
    {
        int key;
        std::function<void()> task;
    };
    using Entries = std::list<Entry>;

    bool append(int key, std::function<void()> task, QEvent*& to_post);
    void wake_owner(QEvent* to_post);

    mutable std::mutex mutex;
    Entries tasks;
    // The waiting closing task, or tasks.end().
    Entries::iterator closing;
    // Keyed tasks before the waiting closing task, and after it (all of them when none waits).
    std::map<int, Entries::iterator> closed_keys;
    std::map<int, Entries::iterator> open_keys;
    // The wake-up event, ready to be posted; null while one is on its way.
    QEvent* wake = nullptr;
};
