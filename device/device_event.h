#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace volantra {

// Something the mouse did by itself (a DPI stage chosen on the mouse, a macro key, ...),
// reported on its event interface as 06 07 <code> <value>.
struct DeviceEvent
{
    std::uint8_t code = 0;
    std::uint8_t value = 0;

    friend bool operator==(const DeviceEvent&, const DeviceEvent&) = default;
};

// The device event in an input report of the event interface, or nothing for any other
// report (and for a report too short to hold one).
std::optional<DeviceEvent> parseEventReport(std::span<const std::uint8_t> report);

} // namespace volantra
