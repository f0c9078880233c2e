#pragma once

#include "device/device_event.h"
#include "device/hid_backend.h"
#include "platform/sim/simulated_mouse.h"

#include <memory>
#include <mutex>
#include <vector>

namespace volantra {

// Simulated HID devices behind the same interface as the machine's hidraw nodes: any
// number of mice (each with its event, command and pointer nodes, in an order of the
// test's choosing) and foreign devices, which can be unplugged and plugged in again.
class SimulatedBackend final : public HidBackend
{
public:
    enum class Collection { Event, Command, Pointer };
    using DeviceId = int;

    SimulatedBackend();
    ~SimulatedBackend() override;

    DeviceId addMouse(std::vector<Collection> nodes = {Collection::Event, Collection::Command,
                                                       Collection::Pointer});
    DeviceId addForeignDevice(std::uint16_t vendorId, std::uint16_t productId,
                              std::vector<std::uint8_t> descriptor);
    SimulatedMouse& mouse(DeviceId device);
    void unplug(DeviceId device);
    void plug(DeviceId device);
    // Queues an input report on the device's event node.
    void emitEvent(DeviceId device, std::vector<std::uint8_t> report);
    // Queues the report the mouse sends for the event, as when its buttons are pressed.
    void emitDeviceEvent(DeviceId device, DeviceEvent event);
    // Opening the device's nodes of this role fails with "permission denied" from now on,
    // as for a node the udev rule has not given to the user.
    void denyAccess(DeviceId device, Collection role);
    // Node names of a device while it is plugged in, in node order.
    std::vector<std::string> nodesOf(DeviceId device) const;

    Result<std::vector<HidNode>> enumerate() override;
    Result<std::unique_ptr<HidHandle>> open(const std::string& node, OpenMode mode) override;
    Result<std::unique_ptr<HotplugMonitor>> createMonitor() override;

    struct State;

private:
    std::shared_ptr<State> m_state;
};

} // namespace volantra
