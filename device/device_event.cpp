#include "device/device_event.h"

namespace volantra {
namespace {

// The first two bytes of every report that carries a device event.
constexpr std::uint8_t kEventReportId = 0x06;
constexpr std::uint8_t kEventMarker = 0x07;

} // namespace

std::optional<DeviceEvent> parseEventReport(std::span<const std::uint8_t> report)
{
    if (report.size() < 4 || report[0] != kEventReportId || report[1] != kEventMarker)
        return std::nullopt;
    return DeviceEvent{report[2], report[3]};
}

} // namespace volantra
