#include "device/event_hand_over.h"

namespace volantra {

EventHandOver::EventHandOver(std::function<void()> notify) : m_notify(std::move(notify)) {}

void EventHandOver::handleDeviceEvent(DeviceEvent event)
{
    std::unique_lock lock(m_mutex);
    if (m_abandoned)
        return;
    m_pending = event;
    lock.unlock();
    m_notify();
    lock.lock();
    m_handled.wait(lock, [this] { return !m_pending || m_abandoned; });
}

bool EventHandOver::dispatchPending(const std::function<void(DeviceEvent)>& handler)
{
    std::optional<DeviceEvent> event;
    {
        std::lock_guard lock(m_mutex);
        event = m_pending;
    }
    if (!event)
        return false;
    handler(*event);
    {
        std::lock_guard lock(m_mutex);
        m_pending.reset();
    }
    m_handled.notify_all();
    return true;
}

void EventHandOver::abandon()
{
    {
        std::lock_guard lock(m_mutex);
        m_abandoned = true;
        m_pending.reset();
    }
    m_handled.notify_all();
}

} // namespace volantra
