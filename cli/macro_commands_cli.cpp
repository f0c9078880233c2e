#include "cli/macro_commands_cli.h"

#include "cli/cli_context.h"
#include "cli/json.h"
#include "cli/terminal_text.h"
#include "common/hex.h"
#include "macro/macro_encoder.h"
#include "macro/macro_store.h"
#include "model/data_directory.h"
#include "platform/posix_atomic_file_writer.h"

#include <ostream>

namespace volantra {
namespace {

constexpr const char* kRecordFileName = "record.ini";

Result<std::string> defaultRecordPath(const CliContext& context)
{
    Result<DataDirectory> directory = context.dataDirectory(CliContext::Access::Read);
    if (!directory)
        return directory.error();
    return directory->file(kRecordFileName);
}

// These commands only read; the writer is there because the store saves through one.
Result<MacroStore> openStore(const std::string& path)
{
    static PosixAtomicFileWriter writer;
    return MacroStore::open(path, writer);
}

} // namespace

int runEncodeMacros(CliContext& context, const std::vector<std::string>& arguments)
{
    std::string path;
    if (arguments.size() == 2 && arguments[0] == "--record") {
        path = arguments[1];
    } else if (arguments.empty()) {
        Result<std::string> found = defaultRecordPath(context);
        if (!found)
            return context.fail(found.error());
        path = *found;
    } else {
        return context.usageError("encode-macros takes only --record FILE");
    }

    // A missing file is no macros at all: twelve empty slots.
    Result<MacroStore> store = openStore(path);
    if (!store)
        return context.fail(store.error());
    const MacroImages images = encodeAll(store->document());
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot)
        context.out << "macro" << slot + 1 << " " << hexPacked(images.images[slot]) << "\n";
    for (const std::string& name : images.cutMacros)
        context.err << "volantra-cli: macro " << name << " does not fit its " << kImageSize
                    << "-byte image; the events from the first that did not fit on were left "
                       "out\n";
    return kExitOk;
}

int runMacros(CliContext& context, const std::vector<std::string>& arguments)
{
    const bool show = !arguments.empty() && arguments[0] == "show";
    if (show ? arguments.size() != 2 : !arguments.empty())
        return context.usageError("usage: macros [show NAME]");

    Result<std::string> path = defaultRecordPath(context);
    if (!path)
        return context.fail(path.error());
    Result<MacroStore> store = openStore(*path);
    if (!store)
        return context.fail(store.error());

    if (show) {
        Result<MacroDefinition> macro = store->loadMacro(arguments[1]);
        if (!macro)
            return context.fail(Error{macro.error().kind, macro.error().message + " in " + *path});
        for (const std::string& item : macro->items)
            context.out << terminalSafe(item) << "\n";
        return kExitOk;
    }

    const std::vector<std::string> names = store->listMacros();
    if (context.json) {
        context.out << "{\"macros\":[";
        for (std::size_t i = 0; i < names.size(); ++i)
            context.out << (i ? "," : "") << jsonString(names[i]);
        context.out << "]}\n";
        return kExitOk;
    }
    for (const std::string& name : names)
        context.out << terminalSafe(name) << "\n";
    return kExitOk;
}

} // namespace volantra
