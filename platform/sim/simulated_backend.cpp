#include "platform/sim/simulated_backend.h"

#include "platform/sim/ready_signal.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <map>
#include <set>

namespace volantra {
namespace {

struct SimNode
{
    std::string name;
    SimulatedBackend::Collection role = SimulatedBackend::Collection::Pointer;
    std::vector<std::uint8_t> descriptor;
    bool present = true;
    std::deque<std::vector<std::uint8_t>> events;
    ReadySignal ready; // readable while events are queued or the node went away
};

struct SimDevice
{
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::string physical;
    std::unique_ptr<SimulatedMouse> mouse; // empty for a foreign device
    std::vector<std::pair<SimulatedBackend::Collection, std::vector<std::uint8_t>>> layout;
    std::vector<std::shared_ptr<SimNode>> nodes; // while plugged in
    bool plugged = false;
    std::set<SimulatedBackend::Collection> denied; // roles whose nodes refuse to open
};

struct MonitorQueue
{
    std::deque<HotplugNotice> notices;
    ReadySignal ready;
};

Error goneError(const std::string& node)
{
    return Error{Error::Kind::Gone, node + ": the mouse was unplugged"};
}

} // namespace

struct SimulatedBackend::State
{
    std::mutex mutex;
    std::vector<SimDevice> devices;
    std::map<int, std::shared_ptr<SimNode>> nodesByNumber;
    std::vector<std::weak_ptr<MonitorQueue>> monitors;

    void notify(HotplugNotice::Action action, const std::string& node, const SimDevice& device)
    {
        for (auto& weak : monitors) {
            if (auto monitor = weak.lock()) {
                monitor->notices.push_back(
                    HotplugNotice{action, node, device.vendorId, device.productId});
                monitor->ready.raise();
            }
        }
    }

    void plug(SimDevice& device)
    {
        if (device.plugged)
            return;
        device.plugged = true;
        for (auto& [role, descriptor] : device.layout) {
            // Like the kernel, a new node takes the lowest free number.
            int number = 0;
            while (nodesByNumber.count(number) != 0)
                ++number;
            auto node = std::make_shared<SimNode>();
            node->name = "/sim/hidraw" + std::to_string(number);
            node->role = role;
            node->descriptor = descriptor;
            nodesByNumber[number] = node;
            device.nodes.push_back(node);
            notify(HotplugNotice::Action::Added, node->name, device);
        }
    }

    void unplug(SimDevice& device)
    {
        if (!device.plugged)
            return;
        device.plugged = false;
        for (auto& node : device.nodes) {
            node->present = false;
            node->ready.raise();
            std::erase_if(nodesByNumber, [&](const auto& entry) { return entry.second == node; });
            notify(HotplugNotice::Action::Removed, node->name, device);
        }
        device.nodes.clear();
    }
};

namespace {

class SimHandle final : public HidHandle
{
public:
    SimHandle(std::shared_ptr<SimulatedBackend::State> state, std::shared_ptr<SimNode> node,
              SimulatedMouse* mouse, OpenMode mode)
        : m_state(std::move(state)), m_node(std::move(node)), m_mouse(mouse), m_mode(mode)
    {
    }

    Status setFeature(std::span<const std::uint8_t> report) override
    {
        if (Status status = usable(true); !status)
            return status;
        return m_mouse->setFeature(report);
    }

    Status getFeature(std::span<std::uint8_t> report) override
    {
        if (Status status = usable(true); !status)
            return status;
        return m_mouse->getFeature(report);
    }

    Status write(std::span<const std::uint8_t> report, std::chrono::milliseconds) override
    {
        if (Status status = usable(true); !status)
            return status;
        return m_mouse->writeOutput(report);
    }

    Result<std::size_t> read(std::span<std::uint8_t> buffer, std::chrono::milliseconds) override
    {
        if (Status status = usable(false); !status)
            return status.error();
        if (m_node->role == SimulatedBackend::Collection::Event) {
            std::lock_guard lock(m_state->mutex);
            if (m_node->events.empty())
                return Error{Error::Kind::TimedOut, m_node->name + ": no report arrived"};
            return popEvent(buffer);
        }
        if (m_mouse == nullptr || m_node->role != SimulatedBackend::Collection::Command)
            return Error{Error::Kind::TimedOut, m_node->name + ": no report arrived"};
        Result<std::optional<std::vector<std::uint8_t>>> input = m_mouse->takeInput();
        if (!input)
            return input.error();
        if (!input->has_value())
            return Error{Error::Kind::TimedOut, m_node->name + ": the mouse sent no report"};
        const std::vector<std::uint8_t>& report = **input;
        const std::size_t length = std::min(report.size(), buffer.size());
        std::copy_n(report.begin(), length, buffer.begin());
        return length;
    }

    Result<std::optional<std::size_t>> readUntilWoken(std::span<std::uint8_t> buffer,
                                                      HidWaker& waker) override
    {
        for (;;) {
            {
                std::lock_guard lock(m_state->mutex);
                if (!m_node->present)
                    return goneError(m_node->name);
                if (!m_node->events.empty())
                    return std::optional<std::size_t>(popEvent(buffer));
                m_node->ready.lower();
            }
            const ReadySignal::Wait waited = m_node->ready.waitOrWake(waker);
            if (waited == ReadySignal::Wait::Failed)
                return Error{Error::Kind::Io, m_node->name + ": cannot wait for reports"};
            if (waited == ReadySignal::Wait::Woken)
                return std::optional<std::size_t>();
        }
    }

private:
    // Called with the state's mutex held.
    std::size_t popEvent(std::span<std::uint8_t> buffer)
    {
        std::vector<std::uint8_t> report = std::move(m_node->events.front());
        m_node->events.pop_front();
        const std::size_t length = std::min(report.size(), buffer.size());
        std::copy_n(report.begin(), length, buffer.begin());
        return length;
    }

    Status usable(bool needsWrite)
    {
        std::lock_guard lock(m_state->mutex);
        if (!m_node->present)
            return goneError(m_node->name);
        if (needsWrite && m_mode != OpenMode::ReadWrite)
            return Error{Error::Kind::InvalidInput, m_node->name + ": opened for reading only"};
        if (needsWrite &&
            (m_mouse == nullptr || m_node->role != SimulatedBackend::Collection::Command))
            return Error{Error::Kind::Io, m_node->name + ": the node takes no commands"};
        return {};
    }

    std::shared_ptr<SimulatedBackend::State> m_state;
    std::shared_ptr<SimNode> m_node;
    SimulatedMouse* m_mouse;
    OpenMode m_mode;
};

class SimMonitor final : public HotplugMonitor
{
public:
    SimMonitor(std::shared_ptr<SimulatedBackend::State> state, std::shared_ptr<MonitorQueue> queue)
        : m_state(std::move(state)), m_queue(std::move(queue))
    {
    }
    int fileDescriptor() const override { return m_queue->ready.fileDescriptor(); }
    void* waitHandle() const override { return m_queue->ready.waitHandle(); }
    std::vector<HotplugNotice> receive() override
    {
        std::lock_guard lock(m_state->mutex);
        std::vector<HotplugNotice> notices(m_queue->notices.begin(), m_queue->notices.end());
        m_queue->notices.clear();
        m_queue->ready.lower();
        return notices;
    }

private:
    std::shared_ptr<SimulatedBackend::State> m_state;
    std::shared_ptr<MonitorQueue> m_queue;
};

std::vector<std::uint8_t> descriptorFor(SimulatedBackend::Collection role)
{
    switch (role) {
    case SimulatedBackend::Collection::Event:
        return SimulatedMouse::eventDescriptor();
    case SimulatedBackend::Collection::Command:
        return SimulatedMouse::commandDescriptor();
    case SimulatedBackend::Collection::Pointer:
        break;
    }
    return SimulatedMouse::pointerDescriptor();
}

} // namespace

SimulatedBackend::SimulatedBackend() : m_state(std::make_shared<State>()) {}

SimulatedBackend::~SimulatedBackend() = default;

SimulatedBackend::DeviceId SimulatedBackend::addMouse(std::vector<Collection> nodes)
{
    std::lock_guard lock(m_state->mutex);
    SimDevice device;
    device.vendorId = 0x04D9;
    device.productId = 0xA0F4;
    device.physical = "sim-usb-" + std::to_string(m_state->devices.size() + 1);
    device.mouse = std::make_unique<SimulatedMouse>();
    for (Collection role : nodes)
        device.layout.emplace_back(role, descriptorFor(role));
    m_state->devices.push_back(std::move(device));
    m_state->plug(m_state->devices.back());
    return static_cast<DeviceId>(m_state->devices.size() - 1);
}

SimulatedBackend::DeviceId SimulatedBackend::addForeignDevice(std::uint16_t vendorId,
                                                              std::uint16_t productId,
                                                              std::vector<std::uint8_t> descriptor)
{
    std::lock_guard lock(m_state->mutex);
    SimDevice device;
    device.vendorId = vendorId;
    device.productId = productId;
    device.physical = "sim-usb-" + std::to_string(m_state->devices.size() + 1);
    device.layout.emplace_back(Collection::Pointer, std::move(descriptor));
    m_state->devices.push_back(std::move(device));
    m_state->plug(m_state->devices.back());
    return static_cast<DeviceId>(m_state->devices.size() - 1);
}

SimulatedMouse& SimulatedBackend::mouse(DeviceId device)
{
    std::lock_guard lock(m_state->mutex);
    return *m_state->devices.at(device).mouse;
}

void SimulatedBackend::unplug(DeviceId device)
{
    std::lock_guard lock(m_state->mutex);
    m_state->unplug(m_state->devices.at(device));
}

void SimulatedBackend::plug(DeviceId device)
{
    std::lock_guard lock(m_state->mutex);
    m_state->plug(m_state->devices.at(device));
}

void SimulatedBackend::emitEvent(DeviceId device, std::vector<std::uint8_t> report)
{
    std::lock_guard lock(m_state->mutex);
    for (auto& node : m_state->devices.at(device).nodes) {
        if (node->role == Collection::Event) {
            node->events.push_back(report);
            node->ready.raise();
        }
    }
}

void SimulatedBackend::emitDeviceEvent(DeviceId device, DeviceEvent event)
{
    const EventReport::Bytes report = EventReport::of(event);
    emitEvent(device, std::vector<std::uint8_t>(report.begin(), report.end()));
}

void SimulatedBackend::denyAccess(DeviceId device, Collection role)
{
    std::lock_guard lock(m_state->mutex);
    m_state->devices.at(device).denied.insert(role);
}

std::vector<std::string> SimulatedBackend::nodesOf(DeviceId device) const
{
    std::lock_guard lock(m_state->mutex);
    std::vector<std::string> names;
    for (const auto& node : m_state->devices.at(device).nodes)
        names.push_back(node->name);
    return names;
}

Result<std::vector<HidNode>> SimulatedBackend::enumerate()
{
    std::lock_guard lock(m_state->mutex);
    std::vector<HidNode> nodes;
    for (const auto& [number, node] : m_state->nodesByNumber) {
        for (const SimDevice& device : m_state->devices) {
            if (std::find(device.nodes.begin(), device.nodes.end(), node) != device.nodes.end())
                nodes.push_back(HidNode{node->name, device.physical, device.vendorId,
                                        device.productId, node->descriptor, std::nullopt});
        }
    }
    return nodes;
}

Result<std::unique_ptr<HidHandle>> SimulatedBackend::open(const std::string& name, OpenMode mode)
{
    std::lock_guard lock(m_state->mutex);
    for (SimDevice& device : m_state->devices) {
        for (auto& node : device.nodes) {
            if (node->name == name && device.denied.contains(node->role))
                return Error{Error::Kind::Permission, name + ": permission denied"};
            if (node->name == name)
                return std::unique_ptr<HidHandle>(
                    std::make_unique<SimHandle>(m_state, node, device.mouse.get(), mode));
        }
    }
    return Error{Error::Kind::NotFound, name + ": no such device"};
}

Result<std::unique_ptr<HotplugMonitor>> SimulatedBackend::createMonitor()
{
    std::lock_guard lock(m_state->mutex);
    auto queue = std::make_shared<MonitorQueue>();
    m_state->monitors.push_back(queue);
    return std::unique_ptr<HotplugMonitor>(std::make_unique<SimMonitor>(m_state, queue));
}

} // namespace volantra
