#pragma once

#include "common/result.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace volantra {

class DataDirectory;
class DeviceSession;
class PointerSettings;

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoMouse = 3;

// The global options and the output streams every command shares.
struct CliContext
{
    std::ostream& out;
    std::ostream& err;
    bool simulate = false;
    bool json = false;
    std::optional<std::string> tracePath;
    std::optional<std::string> dataDir;
    // The desktop whose pointer settings apply sets; the session's desktop when unset.
    PointerSettings* desktop = nullptr;

    int usageError(const std::string& message) const;
    // Prints the error and gives the exit status that fits its kind.
    int fail(const Error& error, int status = kExitFailure) const;
    // A device session on the simulated mouse or the machine, as the options say.
    Result<std::unique_ptr<DeviceSession>> openSession() const;
    enum class Access {
        Read,   // the command only looks: a folder it cannot write to is fine
        Change, // the command writes: the folder is checked to be writable first
    };
    // The data folder: --data-dir, else the program's usual one (created if needed).
    Result<DataDirectory> dataDirectory(Access access) const;
};

} // namespace volantra
