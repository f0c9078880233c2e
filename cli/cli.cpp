#include "cli/cli.h"

#include "cli/cli_context.h"
#include "cli/device_commands_cli.h"
#include "cli/image_commands_cli.h"
#include "cli/macro_commands_cli.h"
#include "cli/profile_commands_cli.h"
#include "common/version.h"

#include <algorithm>
#include <ostream>

namespace volantra {
namespace {

constexpr const char* kUsage =
    "usage: volantra-cli [--data-dir DIR] [--simulate] [--trace FILE] [--json] COMMAND [ARGS...]\n";

using Handler = int (*)(CliContext&, const std::vector<std::string>&);

struct Command
{
    const char* name;
    const char* arguments;
    const char* summary;
    Handler run;
};

int runHelp(CliContext& context, const std::vector<std::string>& arguments);

// Each summary fits an 80-column terminal beside the widest usage.
constexpr Command kCommands[] = {
    {"devices", "", "list the mouse's HID interfaces", runDevices},
    {"connect", "", "run the connection sequence, print the profile", runConnect},
    {"events", "", "print the mouse's events until interrupted", runEvents},
    {"images", "[--profile FILE]", "print the images apply would send", runImages},
    {"apply", "[--profile FILE] [--no-pointer]", "send a profile (default: the current)", runApply},
    {"set", "KEY VALUE...", "change one setting (the keys: help set)", runSet},
    {"export", "FILE.bin [--force]", "copy the current profile to FILE.bin and .ini", runExport},
    {"import", "FILE.bin", "load FILE.bin (and .ini) as the current profile", runImport},
    {"reset", "", "factory settings, keeping the macros", runReset},
    {"profiles", "[use NAME]", "list the profiles (* current), or choose one", runProfiles},
    {"encode-macros", "[--record FILE]", "print the twelve encoded macro images", runEncodeMacros},
    {"macros", "[show NAME]", "list the macros, or the items of one", runMacros},
    {"help", "[COMMAND]", "this help, or one command's arguments", runHelp},
};

const Command* findCommand(const std::string& name)
{
    const auto found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [&](const Command& command) { return name == command.name; });
    return found == std::end(kCommands) ? nullptr : found;
}

void printUsage(std::ostream& out)
{
    out << kUsage
        << "Configures the Volantra gaming mouse: buttons, DPI stages, lighting, report\n"
           "rate, macros and profiles.\n\n"
           "options:\n"
           "  --data-dir DIR   the folder of the profiles and macros (set up when new)\n"
           "  --simulate       talk to the built-in simulated mouse\n"
           "  --trace FILE     append one line per device operation to FILE\n"
           "  --json           machine-readable output of devices, profiles, macros, events\n"
           "  --version        print the version\n"
           "  --help           print this help\n\n"
           "commands:\n";
    for (const Command& command : kCommands) {
        const std::string usage = std::string(command.name) + " " + command.arguments;
        out << "  " << usage << std::string(usage.size() < 31 ? 31 - usage.size() : 1, ' ')
            << command.summary << "\n";
    }
    out << "\nExit status: 0 done, 1 input/output error, 2 bad usage, 3 no mouse.\n";
}

void printCommandHelp(std::ostream& out, const Command& command)
{
    out << "usage: volantra-cli [OPTIONS] " << command.name << (*command.arguments ? " " : "")
        << command.arguments << "\n"
        << command.summary << "\n";
    if (command.run == runSet)
        printSetKeys(out);
}

int runHelp(CliContext& context, const std::vector<std::string>& arguments)
{
    if (arguments.empty()) {
        printUsage(context.out);
        return kExitOk;
    }
    const Command* command = arguments.size() == 1 ? findCommand(arguments[0]) : nullptr;
    if (!command)
        return context.usageError(arguments.size() == 1 ? "unknown command " + arguments[0]
                                                        : "help takes one command");
    printCommandHelp(context.out, *command);
    return kExitOk;
}

} // namespace

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    return runCli(arguments, out, err, nullptr);
}

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
           PointerSettings* desktop)
{
    CliContext context{out, err, false, false, std::nullopt, std::nullopt, desktop};
    std::size_t index = 0;
    for (; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (argument == "--simulate") {
            context.simulate = true;
        } else if (argument == "--json") {
            context.json = true;
        } else if (argument == "--trace" || argument == "--data-dir") {
            if (index + 1 >= arguments.size())
                return context.usageError(argument + " needs a value");
            (argument == "--trace" ? context.tracePath : context.dataDir) = arguments[++index];
        } else if (argument == "--help" || argument == "-h") {
            printUsage(out);
            return kExitOk;
        } else if (argument == "--version") {
            out << "volantra-cli " << kVersion << "\n";
            return kExitOk;
        } else if (argument.starts_with("--")) {
            return context.usageError("unknown option " + argument);
        } else {
            break;
        }
    }
    if (index >= arguments.size()) {
        err << kUsage << "Run volantra-cli --help for the commands.\n";
        return kExitUsage;
    }
    const std::string& name = arguments[index];
    const std::vector<std::string> rest(arguments.begin() + static_cast<long>(index) + 1,
                                        arguments.end());
    const Command* command = findCommand(name);
    if (!command)
        return context.usageError("unknown command " + name);
    if (rest.size() == 1 && (rest[0] == "--help" || rest[0] == "-h")) {
        printCommandHelp(out, *command);
        return kExitOk;
    }
    return command->run(context, rest);
}

} // namespace volantra
