#pragma once

#include "common/result.h"

#include <optional>
#include <string>
#include <string_view>

namespace volantra {

// What the help panel shows and starts, decided without the desktop: the web address it
// may open, the firmware updater for this machine and the version line.
namespace help_panel_rules {

// The line under the web address.
constexpr std::string_view kUpdateLine = "Update 驱动更新";

// The address to open when the web address line is pressed: the text, trimmed, when it
// is an http or https URL with a host; nothing otherwise, so that a local path, a
// .desktop file or any other scheme is never handed to the desktop to launch.
std::optional<std::string> openableWebAddress(std::string_view text);

// The panel's first line: the web address, readable without its scheme and closing
// slash, as a link to the address itself; or, without an address that can be opened,
// the program's name and no link, so the line never leads nowhere.
struct WebAddressLine
{
    std::string text;
    std::optional<std::string> link;
};
WebAddressLine webAddressLine(std::string_view configured, std::string_view programName);

// The updater of the machine type uname() gives, relative to the data directory:
// Update/X64/FwUpdate on x86-64, Update/X86/FwUpdate on 32-bit x86; nothing elsewhere.
std::optional<std::string> updaterRelativePath(std::string_view machine);

// The updater to start from `dataDirectory`, or what to tell the user: that there is
// none for this machine, none installed, or that the file there is no program.
Result<std::string> findUpdater(std::string_view dataDirectory, std::string_view machine);

// "Version：<version>", with the full-width colon of the panel's line.
std::string versionLine(std::string_view version);

} // namespace help_panel_rules
} // namespace volantra
