#include "platform/windows/windows_folder_lock.h"

#include "platform/windows/wide_string.h"

#include <thread>
#include <windows.h>

namespace volantra {
namespace {

constexpr std::chrono::milliseconds kRetryInterval{20};

class HeldLock final : public FolderLock
{
public:
    explicit HeldLock(HANDLE file) : m_file(file) {}
    ~HeldLock() override { CloseHandle(m_file); } // closing the handle releases the lock

    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

private:
    HANDLE m_file;
};

Error lockError(const std::string& directory, DWORD error)
{
    const Error::Kind kind = error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT
                                 ? Error::Kind::Permission
                                 : Error::Kind::Io;
    return Error{kind, "cannot lock the data folder " + directory + ": " + windowsErrorText(error)};
}

} // namespace

Result<std::unique_ptr<FolderLock>> WindowsFolderLocker::lock(const std::string& directory,
                                                              std::chrono::milliseconds wait)
{
    const std::wstring path = windowsPath(directory + "/" + kLockFileName);
    constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShare, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr);
    // A folder the program may only read can still be locked for the readers' sake.
    if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
        file = CreateFileW(path.c_str(), GENERIC_READ, kShare, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return lockError(directory, ERROR_ACCESS_DENIED);
    }
    if (file == INVALID_HANDLE_VALUE)
        return lockError(directory, GetLastError());

    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        OVERLAPPED whole{};
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole))
            break;
        const DWORD error = GetLastError();
        if (error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING) {
            CloseHandle(file);
            return lockError(directory, error);
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            CloseHandle(file);
            return Error{Error::Kind::TimedOut,
                         "the data folder " + directory +
                             " is being changed by another Volantra program (the window or "
                             "volantra-cli); try again when it has finished"};
        }
        std::this_thread::sleep_for(kRetryInterval);
    }
    return std::unique_ptr<FolderLock>(std::make_unique<HeldLock>(file));
}

} // namespace volantra
