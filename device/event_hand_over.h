#pragma once

#include "device/event_listener.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>

namespace volantra {

// Hands device events from the listener thread to the UI thread and makes the listener
// wait until the UI thread has handled them. The UI side is told through notify (for
// example a queued call into the event loop) and calls dispatchPending there. abandon()
// releases a waiting listener for good, so that stopping never waits in both directions.
class EventHandOver final : public DeviceEventHandler
{
public:
    explicit EventHandOver(std::function<void()> notify);

    void handleDeviceEvent(DeviceEvent event) override; // listener thread
    // UI thread: runs handler for the waiting event, if any, then releases the listener.
    bool dispatchPending(const std::function<void(DeviceEvent)>& handler);
    void abandon();

private:
    std::function<void()> m_notify;
    std::mutex m_mutex;
    std::condition_variable m_handled;
    std::optional<DeviceEvent> m_pending;
    bool m_abandoned = false;
};

} // namespace volantra
