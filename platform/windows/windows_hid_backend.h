#pragma once

#include "device/hid_backend.h"

#include <memory>
#include <optional>
#include <string_view>

namespace volantra {

// The machine's HID interfaces through SetupAPI and the HID functions, as the Windows
// program uses them: one node per top-level collection (Windows gives each its own
// interface), its capabilities from HidP_GetCaps, overlapped reads and writes with
// time-outs, and arrival and removal through CM_Register_Notification.
class WindowsHidBackend final : public HidBackend
{
public:
    static Result<std::unique_ptr<WindowsHidBackend>> create();

    Result<std::vector<HidNode>> enumerate() override;
    Result<std::unique_ptr<HidHandle>> open(const std::string& node, OpenMode mode) override;
    Result<std::unique_ptr<HotplugMonitor>> createMonitor() override;

private:
    WindowsHidBackend() = default;
};

// Vendor and product from a HID interface path ("\\?\hid#vid_04d9&pid_a0f4&mi_01...");
// nullopt when the path names none.
struct WindowsHidIds
{
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};
std::optional<WindowsHidIds> hidIdsFromInterfacePath(std::string_view path);

// The error kind a failed Windows call means for a device (gone, time-out, permission,
// input/output), with the node and the system's words.
Error windowsDeviceError(const std::string& node, unsigned long error);

} // namespace volantra
