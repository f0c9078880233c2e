#pragma once

#include "device/hid_backend.h"

#include <memory>

struct udev;

namespace volantra {

// The machine's hidraw nodes, found with libudev and used with the hidraw ioctls.
class HidrawBackend final : public HidBackend
{
public:
    static Result<std::unique_ptr<HidrawBackend>> create();
    ~HidrawBackend() override;

    Result<std::vector<HidNode>> enumerate() override;
    Result<std::unique_ptr<HidHandle>> open(const std::string& node, OpenMode mode) override;
    Result<std::unique_ptr<HotplugMonitor>> createMonitor() override;

private:
    explicit HidrawBackend(struct udev* context) : m_udev(context) {}
    struct udev* m_udev;
};

// Vendor and product from the name of a hid device in a sysfs path
// (".../0003:04D9:A0F4.0002/hidraw/hidraw1"); nullopt when the path has none.
struct HidIds
{
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};
std::optional<HidIds> hidIdsFromSysPath(std::string_view sysPath);
// Vendor and product from a HID_ID property ("0003:000004D9:0000A0F4").
std::optional<HidIds> hidIdsFromProperty(std::string_view hidId);

} // namespace volantra
