#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

class QEvent;

// Hands tasks from any thread to the thread that owns this object, where they run in the order
// they were posted. Only plain data crosses threads under a standard mutex: the Qt event that
// wakes the owner is created on the owner thread and merely posted by the other one.
class ThreadHandoff : public QObject
{
public:
    explicit ThreadHandoff(QObject* parent = nullptr);
    ~ThreadHandoff() override;

    // Any thread; the task runs later on the owner thread. Tasks still waiting when the object
    // is destroyed are dropped, so posters must be stopped before it goes.
    void post(std::function<void()> task);

    bool event(QEvent* event) override;

private:
    std::mutex mutex;
    std::deque<std::function<void()>> tasks;
    // The wake-up event, ready to be posted; null while one is on its way.
    QEvent* wake = nullptr;
};
