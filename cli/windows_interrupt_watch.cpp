#include "cli/interrupt_watch.h"
#include "device/hid_backend.h"

#include <atomic>
#include <windows.h>

namespace volantra {
namespace {

// The console's handler runs on a thread of its own; it only signals the event.
std::atomic<HANDLE> g_interrupted{nullptr};

BOOL WINAPI onConsoleControl(DWORD type)
{
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT && type != CTRL_CLOSE_EVENT)
        return FALSE;
    if (HANDLE event = g_interrupted.load())
        SetEvent(event);
    return TRUE;
}

class WindowsInterruptWatch final : public InterruptWatch
{
public:
    explicit WindowsInterruptWatch(HANDLE event) : m_event(event)
    {
        g_interrupted = event;
        SetConsoleCtrlHandler(onConsoleControl, TRUE);
    }
    ~WindowsInterruptWatch() override
    {
        SetConsoleCtrlHandler(onConsoleControl, FALSE);
        g_interrupted = nullptr;
        CloseHandle(m_event);
    }

    Wake wait(HotplugMonitor& monitor) override
    {
        const HANDLE handles[2] = {m_event, monitor.waitHandle()};
        const DWORD count = handles[1] != nullptr ? 2 : 1;
        const DWORD result = WaitForMultipleObjects(count, handles, FALSE, INFINITE);
        if (result == WAIT_OBJECT_0)
            return Wake::Interrupted;
        return result == WAIT_OBJECT_0 + 1 ? Wake::Notices : Wake::Failed;
    }

private:
    HANDLE m_event;
};

} // namespace

Result<std::unique_ptr<InterruptWatch>> InterruptWatch::create()
{
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (event == nullptr)
        return Error{Error::Kind::Io, "cannot wait for interrupts"};
    return std::unique_ptr<InterruptWatch>(std::make_unique<WindowsInterruptWatch>(event));
}

} // namespace volantra
