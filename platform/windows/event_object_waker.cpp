#include "platform/windows/event_object_waker.h"

#include "platform/windows/wide_string.h"

#include <windows.h>

namespace volantra {

Result<std::unique_ptr<EventObjectWaker>> EventObjectWaker::create()
{
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (event == nullptr)
        return Error{Error::Kind::Io,
                     "cannot create an event object: " + windowsErrorText(GetLastError())};
    return std::unique_ptr<EventObjectWaker>(new EventObjectWaker(event));
}

EventObjectWaker::~EventObjectWaker()
{
    CloseHandle(m_event);
}

void EventObjectWaker::wake()
{
    SetEvent(m_event);
}

void EventObjectWaker::waitForWake()
{
    WaitForSingleObject(m_event, INFINITE);
    clear();
}

void EventObjectWaker::clear()
{
    ResetEvent(m_event);
}

} // namespace volantra
