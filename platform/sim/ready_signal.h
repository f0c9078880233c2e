#pragma once

#include "device/hid_backend.h"

namespace volantra {

// A flag the simulated devices raise while they have something queued, which a thread can
// wait for beside a HidWaker: an eventfd on Linux, a manual-reset event object on Windows.
class ReadySignal
{
public:
    ReadySignal();
    ~ReadySignal();
    ReadySignal(const ReadySignal&) = delete;
    ReadySignal& operator=(const ReadySignal&) = delete;

    void raise();
    void lower();
    // What a front end waits on (HotplugMonitor): -1 / null where the system has none.
    int fileDescriptor() const;
    void* waitHandle() const;

    enum class Wait { Raised, Woken, Failed };
    // Blocks until the signal is raised or `waker` is woken; a pending wake-up wins and is
    // taken.
    Wait waitOrWake(HidWaker& waker) const;

private:
    int m_fd = -1;
    void* m_event = nullptr;
};

} // namespace volantra
