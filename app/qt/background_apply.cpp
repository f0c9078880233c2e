#include "app/qt/background_apply.h"

namespace volantra {

BackgroundApply::BackgroundApply(QObject* parent) : QObject(parent) {}

BackgroundApply::~BackgroundApply()
{
    if (m_thread.joinable())
        m_thread.join();
}

void BackgroundApply::start(Job job, std::function<void(SendOutcome)> done)
{
    m_running = true;
    m_done = std::move(done);
    m_thread = std::thread([this, job = std::move(job)] {
        m_outcome = job();
        // Posting an event is safe from any thread; the rest happens on the owner's.
        QMetaObject::invokeMethod(this, &BackgroundApply::deliver, Qt::QueuedConnection);
    });
}

void BackgroundApply::finishNow()
{
    deliver();
}

void BackgroundApply::deliver()
{
    // The posted call finds nothing left to do when finishNow() came first.
    if (!m_running)
        return;
    m_thread.join();
    m_running = false;
    std::function<void(SendOutcome)> done = std::move(m_done);
    done(std::move(m_outcome));
}

} // namespace volantra
