#pragma once

#include "common/folder_lock.h"

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
