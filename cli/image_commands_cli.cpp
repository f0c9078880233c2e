#include "cli/image_commands_cli.h"

#include "cli/cli_context.h"
#include "cli/device_commands_cli.h"
#include "cli/profile_commands_cli.h"
#include "common/hex.h"
#include "device/device_commands.h"
#include "model/device_images_builder.h"
#include "model/profile_file.h"
#include "model/record_check.h"
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

// The profile a command works on: the file named with --profile, checked before
// anything else happens, or else the current profile of the data directory.
struct ChosenProfile
{
    std::optional<CurrentProfile> current; // set when no file was named
    SettingsRecord record;
    std::string path;
};

// A record with settings the mouse does not take is never sent as if they were valid.
Status checkSendable(const ChosenProfile& chosen)
{
    const std::vector<std::string> problems = settingsTheMouseRefuses(chosen.record);
    if (problems.empty())
        return {};
    std::string message = chosen.path + ": not sent to the mouse:";
    for (const std::string& problem : problems)
        message += " " + problem + ";";
    message += " choose valid values with volantra-cli set";
    return Error{Error::Kind::InvalidInput, message};
}

// Fails with the exit status to use.
Result<ChosenProfile> chooseProfile(const CliContext& context, const std::string& command,
                                    const std::vector<std::string>& arguments, int& failure)
{
    failure = kExitUsage;
    Result<std::optional<std::string>> path = profileArgument(command, arguments);
    if (!path)
        return path.error();
    ChosenProfile chosen;
    if (path->has_value()) {
        Result<SettingsRecord> record = loadProfileFile(**path);
        if (!record)
            return record.error();
        chosen.record = *record;
        chosen.path = **path;
        return chosen;
    }
    failure = kExitFailure;
    // apply saves the profile it sent; images only looks.
    Result<CurrentProfile> current = loadCurrentProfile(
        context, command == "apply" ? ProfileAccess::Change : ProfileAccess::Read);
    if (!current)
        return current.error();
    chosen.record = current->record;
    chosen.path = current->store->currentProfilePath().value_or(std::string());
    chosen.current = std::move(*current);
    return chosen;
}

} // namespace

int runImages(CliContext& context, const std::vector<std::string>& arguments)
{
    int failure = kExitOk;
    Result<ChosenProfile> chosen = chooseProfile(context, "images", arguments, failure);
    if (!chosen)
        return context.fail(chosen.error(), failure);
    const DeviceImages images = buildDeviceImages(chosen->record);
    context.out << "config " << hexPacked(images.config) << "\n";
    context.out << "buttons " << hexPacked(images.buttons) << "\n";
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot)
        context.out << "macro" << slot + 1 << " " << hexPacked(images.macros[slot]) << "\n";
    return kExitOk;
}

int runApply(CliContext& context, const std::vector<std::string>& arguments)
{
    // The file is checked before the mouse is touched at all.
    int failure = kExitOk;
    Result<ChosenProfile> chosen = chooseProfile(context, "apply", arguments, failure);
    if (!chosen)
        return context.fail(chosen.error(), failure);
    if (Status sendable = checkSendable(*chosen); !sendable)
        return context.fail(sendable.error(), kExitUsage);

    Result<std::unique_ptr<DeviceSession>> session = context.openSession();
    if (!session)
        return context.fail(session.error());
    if (int failed = discoverOrFail(context, **session); failed != kExitOk)
        return failed;
    DeviceCommands& commands = *(*session)->link().commands();
    if (Result<std::uint8_t> profile = commands.connect(); !profile)
        return context.fail(profile.error());
    if (Status applied = commands.apply(buildDeviceImages(chosen->record)); !applied)
        return context.fail(applied.error());
    if (Status traced = (*session)->traceStatus(); !traced)
        return context.fail(traced.error());
    // The current profile is saved as it was sent, with its button names. The desktop's
    // pointer settings are not applied yet: there is no pointer-settings backend.
    if (chosen->current) {
        CurrentProfile& current = *chosen->current;
        if (Status saved = current.store->saveAppliedProfile(current.record); !saved)
            return context.fail(saved.error());
    }
    return kExitOk;
}

} // namespace volantra
