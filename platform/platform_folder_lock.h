#pragma once

// The data folder's lock of the system the program is built for: flock() on Linux,
// LockFileEx on Windows, with the same waiting rules.
#ifdef _WIN32
#include "platform/windows/windows_folder_lock.h"
namespace volantra {
using PlatformFolderLocker = WindowsFolderLocker;
}
#else
#include "platform/posix_folder_lock.h"
namespace volantra {
using PlatformFolderLocker = PosixFolderLocker;
}
#endif
