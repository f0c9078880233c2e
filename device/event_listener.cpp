#include "device/event_listener.h"

#include "device/device_link.h"

#include <vector>

namespace volantra {

EventListener::EventListener(DeviceLink& link, HidWaker& waker, DeviceEventHandler& handler)
    : m_link(link), m_waker(waker), m_handler(handler)
{
}

EventListener::~EventListener()
{
    stop();
}

void EventListener::start()
{
    if (m_thread.joinable())
        return;
    m_stopping = false;
    m_thread = std::thread([this] { run(); });
}

void EventListener::stop()
{
    if (!m_thread.joinable())
        return;
    m_stopping = true;
    m_waker.wake();
    m_thread.join();
}

void EventListener::run()
{
    std::vector<std::uint8_t> report;
    // A handle that failed (the node went away) is not read again: on Linux it would
    // report an error at once, forever. The thread waits for the link to replace it.
    std::shared_ptr<HidHandle> failedHandle;

    while (!m_stopping) {
        DeviceLink::EventStream stream = m_link.eventStream();
        if (stream.handle != failedHandle)
            failedHandle.reset();
        if (!stream.connected || !stream.handle || stream.reportLength == 0 ||
            stream.handle == failedHandle) {
            m_waker.waitForWake();
            ++m_wakeUps;
            continue;
        }

        report.assign(stream.reportLength, 0);
        Result<std::optional<std::size_t>> received =
            stream.handle->readUntilWoken(report, m_waker);
        ++m_wakeUps;
        if (!received) {
            failedHandle = stream.handle;
            continue;
        }
        if (!received->has_value() || m_stopping || !m_link.connected())
            continue;
        const std::size_t length = **received;
        std::optional<DeviceEvent> event =
            EventReport::parse(std::span(report).first(std::min(length, report.size())));
        if (event)
            m_handler.handleDeviceEvent(*event);
    }
}

} // namespace volantra
