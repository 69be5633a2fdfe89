#include "threadhandoff.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

const QEvent::Type WAKE = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

ThreadHandoff::ThreadHandoff(QObject* parent) : QObject(parent), wake(new QEvent(WAKE)) {}

ThreadHandoff::~ThreadHandoff()
{
    // A posted wake-up belongs to the event queue, which deletes it with this object.
    delete wake;
}

void ThreadHandoff::post(std::function<void()> task)
{
    QEvent* to_post = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex);
        tasks.push_back(std::move(task));
        std::swap(to_post, wake);
    }
    if (to_post != nullptr)
        QCoreApplication::postEvent(this, to_post);
}

bool ThreadHandoff::event(QEvent* event)
{
    if (event->type() != WAKE)
        return QObject::event(event);
    std::deque<std::function<void()>> ready;
    {
        std::lock_guard<std::mutex> lock(mutex);
        ready.swap(tasks);
        wake = new QEvent(WAKE);
    }
    for (const std::function<void()>& task : ready)
        task();
    return true;
}
