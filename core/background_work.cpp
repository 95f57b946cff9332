#include "core/background_work.h"

#include <QMetaObject>

namespace tavenzo {

ThreadPoolWork::ThreadPoolWork()
{
    m_pool.setMaxThreadCount(1);
}

ThreadPoolWork::~ThreadPoolWork()
{
    m_pool.clear();
    m_pool.waitForDone();
}

void ThreadPoolWork::run(std::function<void()> work, std::function<void()> done)
{
    QObject* receiver = &m_receiver;
    m_pool.start([receiver, work = std::move(work), done = std::move(done)]() mutable {
        work();
        QMetaObject::invokeMethod(receiver, std::move(done), Qt::QueuedConnection);
    });
}

} // namespace tavenzo
