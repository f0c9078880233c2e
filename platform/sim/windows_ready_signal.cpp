#include "platform/sim/ready_signal.h"

#include <windows.h>

namespace volantra {

ReadySignal::ReadySignal() : m_event(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

ReadySignal::~ReadySignal()
{
    CloseHandle(m_event);
}

void ReadySignal::raise()
{
    SetEvent(m_event);
}

void ReadySignal::lower()
{
    ResetEvent(m_event);
}

int ReadySignal::fileDescriptor() const
{
    return -1;
}

void* ReadySignal::waitHandle() const
{
    return m_event;
}

ReadySignal::Wait ReadySignal::waitOrWake(HidWaker& waker) const
{
    // The waker comes first: WaitForMultipleObjects names the lowest signalled handle.
    const HANDLE handles[2] = {waker.waitHandle(), m_event};
    const DWORD result = WaitForMultipleObjects(2, handles, FALSE, INFINITE);
    if (result == WAIT_OBJECT_0) {
        waker.clear();
        return Wait::Woken;
    }
    return result == WAIT_OBJECT_0 + 1 ? Wait::Raised : Wait::Failed;
}

} // namespace volantra
