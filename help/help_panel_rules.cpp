#include "help/help_panel_rules.h"

#include "common/text.h"

#include <algorithm>
#include <array>
#include <filesystem>

namespace volantra::help_panel_rules {
namespace {

namespace fs = std::filesystem;

// The vendor's updater: FwUpdate.exe on Windows, FwUpdate on Linux.
#ifdef _WIN32
constexpr std::string_view kX64Updater = "Update/X64/FwUpdate.exe";
constexpr std::string_view kX86Updater = "Update/X86/FwUpdate.exe";
#else
constexpr std::string_view kX64Updater = "Update/X64/FwUpdate";
constexpr std::string_view kX86Updater = "Update/X86/FwUpdate";
#endif

// Spaces, controls and backslashes have no place in a URL; some openers would take a
// backslash as a path separator.
bool holdsForbiddenCharacter(std::string_view text)
{
    return std::ranges::any_of(text, [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7F || c == '\\';
    });
}

// The host of an authority "user@host:port": what is left without the user and port.
std::string_view hostOf(std::string_view authority)
{
    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos)
        authority.remove_prefix(at + 1);
    if (authority.starts_with('[')) {
        const std::size_t close = authority.find(']');
        return close == std::string_view::npos ? std::string_view()
                                               : authority.substr(1, close - 1);
    }
    return authority.substr(0, authority.find(':'));
}

} // namespace

std::optional<std::string> openableWebAddress(std::string_view text)
{
    const std::string_view address = trimmed(text);
    if (holdsForbiddenCharacter(address))
        return std::nullopt;
    std::string_view rest;
    for (const std::string_view scheme :
         {std::string_view("http://"), std::string_view("https://")}) {
        if (startsWithIgnoringCase(address, scheme))
            rest = address.substr(scheme.size());
    }
    const std::string_view authority = rest.substr(0, rest.find_first_of("/?#"));
    if (hostOf(authority).empty())
        return std::nullopt;
    return std::string(address);
}

WebAddressLine webAddressLine(std::string_view configured, std::string_view programName)
{
    std::optional<std::string> link = openableWebAddress(configured);
    if (!link)
        return {std::string(programName), std::nullopt};
    std::string_view shown = *link;
    shown.remove_prefix(shown.find("://") + 3);
    if (shown.ends_with('/'))
        shown.remove_suffix(1);
    return {std::string(shown), std::move(link)};
}

std::optional<std::string> updaterRelativePath(std::string_view machine)
{
    static constexpr std::array kX64Machines{std::string_view("x86_64"), std::string_view("amd64")};
    static constexpr std::array kX86Machines{std::string_view("i386"), std::string_view("i486"),
                                             std::string_view("i586"), std::string_view("i686")};
    if (std::ranges::find(kX64Machines, machine) != kX64Machines.end())
        return std::string(kX64Updater);
    if (std::ranges::find(kX86Machines, machine) != kX86Machines.end())
        return std::string(kX86Updater);
    return std::nullopt;
}

Result<std::string> findUpdater(std::string_view dataDirectory, std::string_view machine)
{
    const std::optional<std::string> relative = updaterRelativePath(machine);
    if (!relative)
        return Error{Error::Kind::NotFound,
                     "There is no firmware updater for this kind of computer (" +
                         std::string(machine.empty() ? "unknown" : machine) + ")."};
    const std::string path = (fs::path(dataDirectory) / *relative).string();
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found)
        return Error{Error::Kind::NotFound,
                     "No firmware updater is installed: " + path + " was not found."};
    if (error)
        return Error{Error::Kind::Io, "The firmware updater " + path +
                                          " cannot be looked at: " + error.message() + "."};
    constexpr fs::perms kExecutable =
        fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    if (status.type() != fs::file_type::regular ||
        (status.permissions() & kExecutable) == fs::perms::none)
        return Error{Error::Kind::InvalidInput,
                     "The firmware updater " + path + " is not a program that can be started."};
    return path;
}

std::string versionLine(std::string_view version)
{
    return "Version：" + std::string(version);
}

} // namespace volantra::help_panel_rules
