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
    // Starts `job`; `done` runs on this object's thread with what it gave.
    void start(Job job, std::function<void(SendOutcome)> done);
    // Waits for a running job and hands its outcome over now (the program ends): what was
    // sent is still saved.
    void finishNow();

private:
    void deliver();

    std::thread m_thread;
    SendOutcome m_outcome; // written by the job, read after it was joined
    std::function<void(SendOutcome)> m_done;
    bool m_running = false;
};

} // namespace volantra
