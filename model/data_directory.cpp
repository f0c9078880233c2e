#include "model/data_directory.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <system_error>

namespace volantra {
namespace {

namespace fs = std::filesystem;

Error folderError(const fs::path& folder, const std::string& what)
{
    return Error{Error::Kind::Io, folder.string() + ": " + what};
}

Status ensureFolder(const fs::path& folder, bool writable)
{
    std::error_code error;
    if (fs::exists(folder, error) && !fs::is_directory(folder, error))
        return folderError(folder, "the data folder is not a folder");
    if (!writable && fs::is_directory(folder, error))
        return {};
    fs::create_directories(folder, error);
    if (error)
        return folderError(folder, "cannot create the data folder (" + error.message() + ")");
    // Writing is the only reliable test: permissions, read-only mounts and full disks all
    // show here rather than at the first save of a profile.
    // A name of its own: two programs starting at once must not trip over each other's
    // probe (Windows refuses to open or remove a file another program has open).
    const fs::path probe =
        folder / (".volantra-write-test-" + std::to_string(std::random_device{}()));
    {
        errno = 0;
        std::ofstream stream(probe, std::ios::binary | std::ios::trunc);
        stream << "probe";
        stream.flush();
        if (!stream) {
            // The reason (a read-only folder, no space, no permission) is what to fix.
            const int reason = errno;
            fs::remove(probe, error);
            return folderError(folder, "cannot write into the data folder" +
                                           (reason ? ": " + std::generic_category().message(reason)
                                                   : std::string()));
        }
    }
    fs::remove(probe, error);
    return {};
}

// Copies into `target` what `defaults` holds and `target` lacks, folder by folder. It runs
// at every start of the window: one listing per folder, not a look-up per file, keeps it
// quick.
Status fillMissingFiles(const fs::path& defaults, const fs::path& target)
{
    std::error_code error;
    std::set<fs::path> present;
    for (auto it = fs::directory_iterator(target, error); !error && it != fs::directory_iterator();
         it.increment(error))
        present.insert(it->path().filename());
    if (error)
        return folderError(target, "cannot copy the default files (" + error.message() + ")");
    for (auto it = fs::directory_iterator(defaults, error);
         !error && it != fs::directory_iterator(); it.increment(error)) {
        const fs::path name = it->path().filename();
        const fs::path destination = target / name;
        std::error_code copied;
        if (it->is_directory(copied)) {
            if (!present.contains(name))
                fs::create_directory(destination, copied);
            if (!copied) {
                if (Status filled = fillMissingFiles(it->path(), destination); !filled)
                    return filled;
            }
        } else if (it->is_regular_file(copied) && !present.contains(name)) {
            // Another program filling the folder at the same moment may have been first.
            fs::copy_file(it->path(), destination, fs::copy_options::skip_existing, copied);
        }
        if (copied)
            return folderError(destination,
                               "cannot copy the default file (" + copied.message() + ")");
    }
    if (error)
        return folderError(defaults,
                           "cannot read the installed defaults (" + error.message() + ")");
    return {};
}

} // namespace

Result<DataDirectory> DataDirectory::resolve(const Inputs& inputs)
{
    fs::path folder;
    bool fill = false;
    if (inputs.overridePath) {
        folder = *inputs.overridePath;
        fill = inputs.fillOverride;
    } else if (!inputs.executableFolder.empty() &&
               fs::is_regular_file(fs::path(inputs.executableFolder) / kPortableMarker)) {
        folder = inputs.executableFolder;
    } else if (inputs.appData && fs::path(*inputs.appData).is_absolute()) {
        folder = fs::path(*inputs.appData) / "Volantra";
        fill = true;
    } else if (inputs.xdgDataHome && fs::path(*inputs.xdgDataHome).is_absolute()) {
        folder = fs::path(*inputs.xdgDataHome) / "volantra";
        fill = true;
    } else if (inputs.home && !inputs.home->empty()) {
        folder = fs::path(*inputs.home) / ".local" / "share" / "volantra";
        fill = true;
    } else {
        return Error{Error::Kind::NotFound,
                     "no data folder: neither XDG_DATA_HOME nor HOME is set; use --data-dir"};
    }
    // A folder made now is set up even for a command that only reads, or it would find
    // nothing to read.
    std::error_code error;
    const bool made = !fs::exists(folder, error);
    if (Status usable = ensureFolder(folder, inputs.writable); !usable)
        return usable.error();
    // With nothing installed to copy, the program starts with empty files.
    if (fill && (inputs.writable || made) && fs::is_directory(inputs.installedDefaults, error)) {
        if (Status filled = fillMissingFiles(inputs.installedDefaults, folder); !filled)
            return filled.error();
    }
    return DataDirectory(folder.lexically_normal().string());
}

#ifndef _WIN32
DataDirectory::Inputs
DataDirectory::inputsFromEnvironment(const std::optional<std::string>& overridePath)
{
    Inputs inputs;
    inputs.overridePath = overridePath;
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        inputs.executableFolder = executable.parent_path().string();
        // Installed: <prefix>/bin/volantra-cli with <prefix>/share/volantra. Run from the
        // build tree: <build>/cli/volantra-cli with the generated <build>/default-data.
        const fs::path above = executable.parent_path().parent_path();
        const fs::path installed = above / "share" / "volantra";
        const fs::path built = above / "default-data";
        inputs.installedDefaults =
            (fs::is_directory(installed, error) || !fs::is_directory(built, error) ? installed
                                                                                   : built)
                .string();
    }
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && *xdg != '\0')
        inputs.xdgDataHome = xdg;
    if (const char* home = std::getenv("HOME"); home != nullptr)
        inputs.home = home;
    return inputs;
}

#endif

std::string DataDirectory::file(const std::string& name) const
{
    return (fs::path(m_path) / name).string();
}

} // namespace volantra
