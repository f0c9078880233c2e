#pragma once

#include "common/folder_lock.h"

namespace volantra {

// The data folder's lock as LockFileEx on the file ".volantra.lock" in it. Windows lets
// go of the lock when its holder's handle closes, however the program ends, so a killed
// program never leaves the folder locked.
class WindowsFolderLocker final : public FolderLocker
{
public:
    static constexpr const char* kLockFileName = ".volantra.lock";

    Result<std::unique_ptr<FolderLock>> lock(const std::string& directory,
                                             std::chrono::milliseconds wait) override;
};

} // namespace volantra
