#pragma once

#include "common/folder_lock.h"

#ifdef _WIN32
// The Windows build gives the callers of this name the LockFileEx lock, so the files that
// lock the data folder (the CLI, the window) build unchanged on both systems.
#include "platform/windows/windows_folder_lock.h"
namespace volantra {
using PosixFolderLocker = WindowsFolderLocker;
}
#else
namespace volantra {

// The data folder's lock as an flock() on the file ".volantra.lock" in it. The kernel
// lets go of the lock when its holder ends, however it ends, so a killed program never
// leaves the folder locked.
class PosixFolderLocker final : public FolderLocker
{
public:
    static constexpr const char* kLockFileName = ".volantra.lock";

    Result<std::unique_ptr<FolderLock>> lock(const std::string& directory,
                                             std::chrono::milliseconds wait) override;
};

} // namespace volantra
#endif
