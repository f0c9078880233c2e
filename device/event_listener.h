#pragma once

#include "device/device_event.h"

#include <atomic>
#include <cstdint>
#include <thread>

namespace volantra {

class DeviceLink;
class HidWaker;

// Receives the mouse's events on the listener thread. The call blocks the listener until
// the event was handled, so events are never handled concurrently with each other.
class DeviceEventHandler
{
public:
    virtual ~DeviceEventHandler() = default;
    virtual void handleDeviceEvent(DeviceEvent event) = 0;
};

// The one background thread: reads event reports from the mouse's event interface and
// hands each device event to the handler. It sleeps in the kernel while nothing happens;
// the link's waker moves it on when the event handle changes or when it must stop.
class EventListener
{
public:
    EventListener(DeviceLink& link, HidWaker& waker, DeviceEventHandler& handler);
    ~EventListener();

    void start();
    // Ends the thread and waits for it; the handler must not be waiting for this thread.
    void stop();

    // How often the thread has come out of a wait, for checking that it idles.
    std::uint64_t wakeUps() const { return m_wakeUps.load(); }

private:
    void run();

    DeviceLink& m_link;
    HidWaker& m_waker;
    DeviceEventHandler& m_handler;
    std::atomic<bool> m_stopping{false};
    std::atomic<std::uint64_t> m_wakeUps{0};
    std::thread m_thread;
};

} // namespace volantra
