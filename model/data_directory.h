#pragma once

#include "common/result.h"

#include <optional>
#include <string>

namespace volantra {

// Where the profiles, str.ini, record.ini and the skins live.
//
// In order: the folder given with --data-dir; the executable's own folder when it holds
// config.bin (a portable install, as the files used to sit beside the program); else
// $XDG_DATA_HOME/volantra (~/.local/share/volantra), filled from the installed defaults
// with every file it does not have yet, so the user's own files are never replaced. On
// Windows %APPDATA%\Volantra takes the place of the XDG folder.
class DataDirectory
{
public:
    // What the choice depends on, gathered by the caller from its environment.
    struct Inputs
    {
        std::optional<std::string> overridePath; // --data-dir
        std::string executableFolder;
        std::optional<std::string> xdgDataHome;
        std::optional<std::string> home;
        // Windows: %APPDATA%; the folder is then %APPDATA%\Volantra. Never set on Linux.
        std::optional<std::string> appData;
        std::string installedDefaults; // <prefix>/share/volantra
        // Whether a folder given with --data-dir is set up like the usual one: both programs
        // ask for it; tests of a bare folder leave it off.
        bool fillOverride = false;
        // Commands that only look at the files take a folder they cannot write to as it
        // is; everything else has it checked to be writable first.
        bool writable = true;
    };

    static constexpr const char* kPortableMarker = "config.bin";

    // The folder to use, created and filled if needed and checked to be writable.
    // The error names the folder and the reason.
    static Result<DataDirectory> resolve(const Inputs& inputs);
    // Inputs from the process environment and the executable's location (on Windows from
    // platform/windows/windows_data_directory.cpp).
    static Inputs inputsFromEnvironment(const std::optional<std::string>& overridePath);

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const;

private:
    explicit DataDirectory(std::string path) : m_path(std::move(path)) {}
    std::string m_path;
};

} // namespace volantra
