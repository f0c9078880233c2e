#pragma once

#include "editing/editing_session.h"

#include <QObject>
#include <functional>
#include <thread>

namespace volantra {

// Runs the device part of one Apply on a thread of its own, so the window repaints and the
// tray menu answers during the mouse's waits. The job touches no Qt object; its outcome is
// handed back on the thread that owns this object.
class BackgroundApply : public QObject
{
    Q_OBJECT

public:
    using Job = std::function<SendOutcome()>;

    explicit BackgroundApply(QObject* parent = nullptr);
    ~BackgroundApply() override; // waits for a job still running

    bool running() const { return m_running; }
    // Waits for a running job to end; its outcome is then dropped.
    void wait();
    // Starts `job`; `done` runs on this object's thread with what it gave.
    void start(Job job, std::function<void(SendOutcome)> done);

private:
    std::thread m_thread;
    bool m_running = false;
};

} // namespace volantra
