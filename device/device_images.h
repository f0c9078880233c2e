#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace volantra {

// One 128-byte image as the mouse stores it: the configuration block, the button table
// or one macro.
inline constexpr std::size_t kImageSize = 128;
inline constexpr std::size_t kMacroSlotCount = 12;
using DeviceImage = std::array<std::uint8_t, kImageSize>;

// Everything Apply writes to the mouse, built from the settings record.
struct DeviceImages
{
    DeviceImage config{};
    DeviceImage buttons{};
    std::array<DeviceImage, kMacroSlotCount> macros{};
    // Report interval in milliseconds (1, 2, 4 or 8), sent with the report-rate command.
    std::uint8_t reportInterval = 1;
};

} // namespace volantra
