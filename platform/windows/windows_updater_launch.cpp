#include "help/help_panel_rules.h"
#include "help/updater_launch.h"
#include "platform/windows/wide_string.h"

// windows.h first: shellapi.h depends on it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace volantra {

// The updater starts through the shell's "open" verb, no parameters, normal window; the program
// does not wait. The updater's own folder is its working folder, as on Linux.
Status launchFirmwareUpdater(const std::string& dataDirectory, const std::string& machine)
{
    const Result<std::string> updater = help_panel_rules::findUpdater(dataDirectory, machine);
    if (!updater)
        return updater.error();
    const std::wstring program = windowsPath(*updater);
    const std::wstring folder = program.substr(0, program.rfind(L'\\'));
    const HINSTANCE started =
        ShellExecuteW(nullptr, L"open", program.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
    // ShellExecuteW reports success as a value above 32.
    if (reinterpret_cast<INT_PTR>(started) <= 32)
        return Error{Error::Kind::Io,
                     "The firmware updater " + *updater + " could not be started."};
    return {};
}

} // namespace volantra
