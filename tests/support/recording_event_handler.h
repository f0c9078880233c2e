#pragma once

#include "device/event_listener.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace volantra::test {

// Collects what the event listener hands over, so that a test can wait for it.
class RecordingEventHandler final : public DeviceEventHandler
{
public:
    void handleDeviceEvent(DeviceEvent event) override
    {
        std::lock_guard lock(m_mutex);
        m_events.push_back(event);
        m_changed.notify_all();
    }

    // Waits until count events arrived or the time is up; the events so far.
    std::vector<DeviceEvent> waitFor(std::size_t count,
                                     std::chrono::milliseconds limit = std::chrono::seconds(2))
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, limit, [&] { return m_events.size() >= count; });
        return m_events;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<DeviceEvent> m_events;
};

} // namespace volantra::test
