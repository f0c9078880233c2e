#include "app/qt/background_apply.h"

namespace volantra {

BackgroundApply::BackgroundApply(QObject* parent) : QObject(parent) {}

BackgroundApply::~BackgroundApply()
{
    wait();
}

void BackgroundApply::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

void BackgroundApply::start(Job job, std::function<void(SendOutcome)> done)
{
    if (m_thread.joinable())
        m_thread.join();
    m_running = true;
    m_thread = std::thread([this, job = std::move(job), done = std::move(done)]() mutable {
        SendOutcome outcome = job();
        // Posting an event is safe from any thread; the rest happens on the owner's.
        QMetaObject::invokeMethod(
            this,
            [this, outcome = std::move(outcome), done = std::move(done)]() mutable {
                wait();
                m_running = false;
                done(std::move(outcome));
            },
            Qt::QueuedConnection);
    });
}

} // namespace volantra
