#include "cli/cli.h"

#include "cli/cli_context.h"
#include "cli/device_commands_cli.h"
#include "cli/image_commands_cli.h"
#include "cli/macro_commands_cli.h"
#include "cli/profile_commands_cli.h"

#include <map>
#include <ostream>

namespace volantra {
namespace {

constexpr const char* kUsage =
    "usage: volantra-cli [--data-dir DIR] [--simulate] [--trace FILE] [--json] COMMAND [ARGS...]\n"
    "commands: devices, connect, events, images, apply, set, export, import, reset,\n"
    "          profiles, encode-macros, macros\n";

} // namespace

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    CliContext context{out, err, false, false, std::nullopt, std::nullopt};
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
            out << kUsage;
            return kExitOk;
        } else if (argument.starts_with("--")) {
            return context.usageError("unknown option " + argument);
        } else {
            break;
        }
    }
    if (index >= arguments.size()) {
        err << kUsage;
        return kExitUsage;
    }
    const std::string command = arguments[index];
    const std::vector<std::string> rest(arguments.begin() + static_cast<long>(index) + 1,
                                        arguments.end());

    using Handler = int (*)(CliContext&, const std::vector<std::string>&);
    static const std::map<std::string, Handler> kCommands = {
        {"devices", runDevices},
        {"connect", runConnect},
        {"events", runEvents},
        {"images", runImages},
        {"apply", runApply},
        {"set", runSet},
        {"export", runExport},
        {"import", runImport},
        {"reset", runReset},
        {"profiles", runProfiles},
        {"encode-macros", runEncodeMacros},
        {"macros", runMacros},
    };
    const auto found = kCommands.find(command);
    if (found == kCommands.end())
        return context.usageError("unknown command " + command);
    return found->second(context, rest);
}

} // namespace volantra
