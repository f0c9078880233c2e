#pragma once

#include "common/result.h"
#include "device/device_images.h"

#include <array>
#include <chrono>
#include <cstdint>

namespace volantra {

class CommandTransport;

// The host's copy of what it last sent to or read from the mouse; cleared at each
// connection.
struct DeviceMirror
{
    static constexpr std::size_t kConfigSlotCount = 6;
    static constexpr std::size_t kBlockCount = 1 + kMacroSlotCount; // buttons, then macros

    std::uint8_t profile = 0;
    std::uint8_t mode = 0;
    std::uint8_t reportRate = 0;
    std::array<DeviceImage, kConfigSlotCount> configSlots{};
    std::array<DeviceImage, kBlockCount> blocks{};
};

// The mouse's command set and the sequences built from it: connection, Apply and the
// read that follows a DPI-stage event.
class DeviceCommands
{
public:
    // The value the mode command carries on every connection.
    static constexpr std::uint8_t kModeValue = 0xFC;
    // Waits after whole commands; the transport adds 20 ms after each chunk.
    static constexpr std::chrono::milliseconds kSelectProfileWait{10};
    static constexpr std::chrono::milliseconds kReportRateWait{10};
    static constexpr std::chrono::milliseconds kConfigWait{10};
    static constexpr std::chrono::milliseconds kButtonTableWait{2};
    static constexpr std::chrono::milliseconds kMacroWait{20};

    explicit DeviceCommands(CommandTransport& transport);

    const DeviceMirror& mirror() const { return m_mirror; }

    Result<std::uint8_t> readDeviceProfile();
    Status sendMode();
    Status selectProfile(std::uint8_t profile);
    Status setReportRate(std::uint8_t reportInterval);
    Status writeConfig(const DeviceImage& config);
    Result<DeviceImage> readConfig();
    Status writeButtonTable(const DeviceImage& buttons);
    Status writeMacros(const std::array<DeviceImage, kMacroSlotCount>& macros);

    // Clears the mirror, reads the mouse's profile number and sends the mode command.
    // The profile number the mouse answered.
    Result<std::uint8_t> connect();
    // Writes every image to the mouse's profile 0, stopping at the first failure.
    Status apply(const DeviceImages& images);
    // The profile number and the configuration image, as read after a DPI-stage event.
    Result<DeviceImage> readStageConfig();

private:
    CommandTransport& m_transport;
    DeviceMirror m_mirror;
};

} // namespace volantra
