#include "device/device_commands.h"

#include "device/command_transport.h"
#include "device/feature_command.h"
#include "device/sleeper.h"

namespace volantra {
namespace {

constexpr std::uint8_t kImageByteCount = kImageSize;

} // namespace

DeviceCommands::DeviceCommands(CommandTransport& transport) : m_transport(transport) {}

Result<std::uint8_t> DeviceCommands::readDeviceProfile()
{
    FeatureCommand record(command::kReadProfile);
    if (Status status = m_transport.sendCommand(record); !status)
        return status.error();
    m_mirror.profile = record.answeredProfile();
    return m_mirror.profile;
}

Status DeviceCommands::sendMode()
{
    m_mirror.mode = kModeValue;
    FeatureCommand record(command::kSetMode, kModeValue);
    return m_transport.sendCommand(record);
}

Status DeviceCommands::selectProfile(std::uint8_t profile)
{
    FeatureCommand record(command::kSelectProfile, profile);
    if (Status status = m_transport.sendCommand(record); !status)
        return status;
    m_transport.sleeper().sleep(kSelectProfileWait);
    return {};
}

Status DeviceCommands::setReportRate(std::uint8_t reportInterval)
{
    m_mirror.reportRate = reportInterval;
    FeatureCommand record(command::kSetReportRate, m_mirror.profile, reportInterval);
    if (Status status = m_transport.sendCommand(record); !status)
        return status;
    m_transport.sleeper().sleep(kReportRateWait);
    return {};
}

Status DeviceCommands::writeConfig(const DeviceImage& config)
{
    m_mirror.configSlots[0] = config;
    FeatureCommand record(command::kWriteConfig, 0, kImageByteCount);
    if (Status status = m_transport.sendCommandWithData(record, m_mirror.configSlots[0]); !status)
        return status;
    m_transport.sleeper().sleep(kConfigWait);
    return {};
}

Result<DeviceImage> DeviceCommands::readConfig()
{
    FeatureCommand record(command::kReadConfig);
    DeviceImage image{};
    if (Status status = m_transport.sendCommandWithData(record, image); !status)
        return status.error();
    m_mirror.configSlots[0] = image;
    m_transport.sleeper().sleep(kConfigWait);
    return image;
}

Status DeviceCommands::writeButtonTable(const DeviceImage& buttons)
{
    m_mirror.blocks[0] = buttons;
    FeatureCommand record(command::kWriteButtons, m_mirror.profile, kImageByteCount);
    if (Status status = m_transport.sendCommandWithData(record, m_mirror.blocks[0]); !status)
        return status;
    m_transport.sleeper().sleep(kButtonTableWait);
    return {};
}

Status DeviceCommands::writeMacros(const std::array<DeviceImage, kMacroSlotCount>& macros)
{
    for (std::size_t i = 0; i < kMacroSlotCount; ++i)
        m_mirror.blocks[1 + i] = macros[i];
    for (std::uint8_t slot = 1; slot <= kMacroSlotCount; ++slot) {
        FeatureCommand record(command::kWriteMacro, slot, kImageByteCount);
        if (Status status = m_transport.sendCommandWithData(record, m_mirror.blocks[slot]); !status)
            return status;
        m_transport.sleeper().sleep(kMacroWait);
    }
    return {};
}

Result<std::uint8_t> DeviceCommands::connect()
{
    m_mirror = DeviceMirror{};
    Result<std::uint8_t> profile = readDeviceProfile();
    if (!profile)
        return Error{profile.error().kind,
                     "reading the mouse's profile number (command 0x82) failed: " +
                         profile.error().message};
    if (Status status = sendMode(); !status)
        return Error{status.error().kind,
                     "the mode command (0x01 0xFC) failed: " + status.error().message};
    return profile;
}

Status DeviceCommands::apply(const DeviceImages& images)
{
    m_mirror.profile = 0;
    if (Status status = selectProfile(0); !status)
        return status;
    if (Status status = setReportRate(images.reportInterval); !status)
        return status;
    if (Status status = writeConfig(images.config); !status)
        return status;
    if (Status status = writeButtonTable(images.buttons); !status)
        return status;
    return writeMacros(images.macros);
}

Result<DeviceImage> DeviceCommands::readStageConfig()
{
    if (Result<std::uint8_t> profile = readDeviceProfile(); !profile)
        return profile.error();
    return readConfig();
}

} // namespace volantra
