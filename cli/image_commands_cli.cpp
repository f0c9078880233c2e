#include "cli/image_commands_cli.h"

#include "cli/cli_context.h"
#include "cli/device_commands_cli.h"
#include "cli/profile_commands_cli.h"
#include "common/hex.h"
#include "device/device_link.h"
#include "editing/editing_session.h"
#include "model/device_images_builder.h"
#include "model/profile_file.h"
#include "model/record_check.h"
#include "platform/device_session.h"
#include "platform/pointer/desktop_pointer_settings.h"

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

// What became of the sending: the mouse's or the trace's failure, else nothing.
int finishSending(const CliContext& context, DeviceSession& session, const SendOutcome& sent)
{
    if (sent.failure)
        return context.fail(*sent.failure);
    if (Status traced = session.traceStatus(); !traced)
        return context.fail(traced.error());
    return kExitOk;
}

// A setting the desktop refused is named; one it lacks stays in the profile unsaid.
int reportPointerSettings(const CliContext& context, const ApplyReport& report)
{
    if (!report.pointer)
        return kExitOk;
    int status = kExitOk;
    for (const PointerSetting setting : kPointerSettings) {
        const SettingOutcome& outcome = (*report.pointer)[setting];
        if (outcome.isFailed())
            status = context.fail(Error{Error::Kind::Io, std::string(pointerFailureText(setting)) +
                                                             " " + outcome.message()});
    }
    return status;
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
    std::vector<std::string> profileArguments;
    bool setPointer = true;
    for (const std::string& argument : arguments) {
        if (argument == "--no-pointer")
            setPointer = false;
        else
            profileArguments.push_back(argument);
    }
    int failure = kExitOk;
    Result<ChosenProfile> chosen = chooseProfile(context, "apply", profileArguments, failure);
    if (!chosen)
        return context.fail(chosen.error(), failure);
    if (Status sendable = checkSendable(*chosen); !sendable)
        return context.fail(sendable.error(), kExitUsage);

    Result<std::unique_ptr<DeviceSession>> session = context.openSession();
    if (!session)
        return context.fail(session.error());
    DeviceLink& link = (*session)->link();
    if (int failed = discoverOrFail(context, **session); failed != kExitOk)
        return failed;
    // A new process has not run the connection sequence yet: it always comes first.
    if (Result<std::uint8_t> profile = link.connect(); !profile)
        return context.fail(profile.error());
    if (!chosen->current) {
        // A file named with --profile is only sent: no file is written, the desktop stays.
        const SendOutcome sent = EditingSession::send(&link, chosen->record);
        return finishSending(context, **session, sent);
    }
    // The current profile goes as the window's Save sends it: sent, saved with its button
    // names, and the desktop's pointer settings set.
    std::unique_ptr<PointerSettings> sessionDesktop;
    PointerSettings* desktop = nullptr;
    if (setPointer) {
        if (!context.desktop)
            sessionDesktop = createSessionPointerSettings();
        desktop = context.desktop ? context.desktop : sessionDesktop.get();
    }
    EditingSession editing = editingSessionFor(*chosen->current, &link, desktop);
    Result<PendingApply> pending = editing.beginApply();
    if (!pending)
        return context.fail(pending.error());
    const SendOutcome sent = EditingSession::send(&link, pending->record);
    if (int failed = finishSending(context, **session, sent); failed != kExitOk)
        return failed;
    const ApplyReport report = editing.finishApply(std::move(*pending), sent);
    if (report.saveFailure)
        return context.fail(*report.saveFailure);
    return reportPointerSettings(context, report);
}

} // namespace volantra
