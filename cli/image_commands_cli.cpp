#include "cli/image_commands_cli.h"

#include "cli/cli_context.h"
#include "cli/device_commands_cli.h"
#include "common/hex.h"
#include "device/device_commands.h"
#include "model/device_images_builder.h"
#include "model/profile_file.h"
#include "platform/device_session.h"

#include <ostream>

namespace volantra {
namespace {

// "--profile FILE", the only argument these commands take; nullopt when absent.
Result<std::optional<std::string>> profileArgument(const std::string& command,
                                                   const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return std::optional<std::string>();
    if (arguments.size() == 2 && arguments[0] == "--profile")
        return std::optional<std::string>(arguments[1]);
    return Error{Error::Kind::InvalidInput, command + " takes only --profile FILE"};
}

// The record a command works on. Until the profile store reads the data directory,
// the file must be named.
Result<SettingsRecord> loadRecord(const std::string& command,
                                  const std::vector<std::string>& arguments)
{
    Result<std::optional<std::string>> path = profileArgument(command, arguments);
    if (!path)
        return path.error();
    if (!path->has_value())
        return Error{Error::Kind::InvalidInput,
                     command + " needs --profile FILE: reading the current profile of the data "
                               "directory is not available yet"};
    return loadProfileFile(**path);
}

} // namespace

int runImages(CliContext& context, const std::vector<std::string>& arguments)
{
    Result<SettingsRecord> record = loadRecord("images", arguments);
    if (!record)
        return context.fail(record.error(), kExitUsage);
    const DeviceImages images = buildDeviceImages(*record);
    context.out << "config " << hexPacked(images.config) << "\n";
    context.out << "buttons " << hexPacked(images.buttons) << "\n";
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot)
        context.out << "macro" << slot + 1 << " " << hexPacked(images.macros[slot]) << "\n";
    return kExitOk;
}

int runApply(CliContext& context, const std::vector<std::string>& arguments)
{
    // The file is checked before the mouse is touched at all.
    Result<SettingsRecord> record = loadRecord("apply", arguments);
    if (!record)
        return context.fail(record.error(), kExitUsage);

    Result<std::unique_ptr<DeviceSession>> session = context.openSession();
    if (!session)
        return context.fail(session.error());
    if (int failed = discoverOrFail(context, **session); failed != kExitOk)
        return failed;
    DeviceCommands& commands = *(*session)->link().commands();
    if (Result<std::uint8_t> profile = commands.connect(); !profile)
        return context.fail(profile.error());
    if (Status applied = commands.apply(buildDeviceImages(*record)); !applied)
        return context.fail(applied.error());
    return kExitOk;
}

} // namespace volantra
