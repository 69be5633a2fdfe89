#include "threadhandoff.h"

#include <QCoreApplication>
#include <QEvent>
#include <iterator>
#include <vector>

namespace {

const QEvent::Type WAKE = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

ThreadHandoff::ThreadHandoff(QObject* parent)
    : QObject(parent), closing(tasks.end()), wake(new QEvent(WAKE))
{
}

ThreadHandoff::~ThreadHandoff()
{
    // A posted wake-up belongs to the event queue, which deletes it with this object.
    delete wake;
}

bool ThreadHandoff::append(int key, std::function<void()> task, QEvent*& to_post)
{
    if (tasks.size() >= MAX_TASKS)
        return false;
    tasks.push_back(Entry{key, std::move(task)});
    // While any task waits, a wake-up is on its way.
    std::swap(to_post, wake);
    return true;
}

void ThreadHandoff::wake_owner(QEvent* to_post)
{
    if (to_post != nullptr)
        QCoreApplication::postEvent(this, to_post);
}

bool ThreadHandoff::post(std::function<void()> task)
{
    QEvent* to_post = nullptr;
    bool kept;
    {
        std::lock_guard<std::mutex> lock(mutex);
        kept = append(PLAIN, std::move(task), to_post);
    }
    wake_owner(to_post);
    return kept;
}

bool ThreadHandoff::post_latest(int key, std::function<void()> task)
{
    QEvent* to_post = nullptr;
    bool kept = true;
    {
        std::lock_guard<std::mutex> lock(mutex);
        const auto waiting = open_keys.find(key);
        if (waiting != open_keys.end())
            waiting->second->task = std::move(task);
        else if ((kept = append(key, std::move(task), to_post)))
            open_keys[key] = std::prev(tasks.end());
    }
    wake_owner(to_post);
    return kept;
}

bool ThreadHandoff::post_closing(std::function<void()> task)
{
    QEvent* to_post = nullptr;
    bool kept = true;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (closing == tasks.end()) {
            if ((kept = append(CLOSING, std::move(task), to_post))) {
                closing = std::prev(tasks.end());
                closed_keys.swap(open_keys);
            }
        } else {
            for (const auto& [key, entry] : open_keys) {
                const auto before = closed_keys.find(key);
                if (before != closed_keys.end()) {
                    before->second->task = std::move(entry->task);
                    tasks.erase(entry);
                } else {
                    tasks.splice(closing, tasks, entry);
                    closed_keys[key] = entry;
                }
            }
            open_keys.clear();
            closing->task = std::move(task);
        }
    }
    wake_owner(to_post);
    return kept;
}

std::size_t ThreadHandoff::pending() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return tasks.size();
}

bool ThreadHandoff::event(QEvent* event)
{
    if (event->type() != WAKE)
        return QObject::event(event);
    std::vector<std::function<void()>> ready;
    ready.reserve(SLICE);
    QEvent* to_post = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex);
        while (!tasks.empty() && ready.size() < SLICE) {
            Entry& entry = tasks.front();
            if (entry.key == CLOSING) {
                closing = tasks.end();
                closed_keys.clear();
            } else if (entry.key != PLAIN) {
                (closing != tasks.end() ? closed_keys : open_keys).erase(entry.key);
            }
            ready.push_back(std::move(entry.task));
            tasks.pop_front();
        }
        // The rest runs on a later pass, after whatever else the event loop has to do.
        (tasks.empty() ? wake : to_post) = new QEvent(WAKE);
    }
    wake_owner(to_post);
    for (const std::function<void()>& task : ready)
        task();
    return true;
}
