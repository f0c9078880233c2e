#pragma once

#include "common/result.h"

#include <chrono>
#include <memory>
#include <string>

namespace volantra {

// A held lock of the data folder; letting go of the object releases it.
class FolderLock
{
public:
    virtual ~FolderLock() = default;
};

// Keeps the window and volantra-cli from changing the data folder at the same time: each
// read-change-write of the profile files holds the folder's lock, so two changes never
// overwrite each other. The platform layer supplies the implementation.
class FolderLocker
{
public:
    virtual ~FolderLocker() = default;

    // Takes the lock of `directory`, waiting at most `wait` while another program holds
    // it. The error names the folder and why the lock could not be had.
    virtual Result<std::unique_ptr<FolderLock>> lock(const std::string& directory,
                                                     std::chrono::milliseconds wait) = 0;
};

} // namespace volantra
