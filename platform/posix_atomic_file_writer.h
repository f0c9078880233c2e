#pragma once

#include "common/atomic_file_writer.h"

#ifdef _WIN32
// The Windows build gives the callers of this name the Windows writer, so the files that
// save (the CLI, the tools, the tests) build unchanged on both systems.
#include "platform/windows/windows_atomic_file_writer.h"
namespace volantra {
using PosixAtomicFileWriter = WindowsAtomicFileWriter;
}
#else
namespace volantra {

// Atomic file replacement with POSIX calls, the way QSaveFile does it: the bytes go to a
// new file beside the target, are flushed to the disk, and the new file is renamed over
// the target, so the target is always either the old file or the new one, whole. The
// folder is flushed too, so the rename itself survives a power cut.
//
// A new file gets mode 0644 (less the umask); a replaced file keeps its mode and, where
// the process may set it, its owner. A symbolic link is followed and its target
// replaced, so a settings file linked from elsewhere stays linked.
class PosixAtomicFileWriter final : public AtomicFileWriter
{
public:
    Status writeFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
    Status moveOver(const std::string& from, const std::string& to) override;
};

} // namespace volantra
#endif
