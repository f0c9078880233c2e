#include "platform/posix_folder_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace volantra {
namespace {

constexpr std::chrono::milliseconds kRetryInterval{20};

class HeldLock final : public FolderLock
{
public:
    explicit HeldLock(int fd) : m_fd(fd) {}
    ~HeldLock() override { ::close(m_fd); } // closing the descriptor releases the lock

    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

private:
    int m_fd;
};

Error lockError(const std::string& directory, int error)
{
    const Error::Kind kind = error == EACCES || error == EPERM || error == EROFS
                                 ? Error::Kind::Permission
                                 : Error::Kind::Io;
    return Error{kind, "cannot lock the data folder " + directory + ": " +
                           std::error_code(error, std::generic_category()).message()};
}

} // namespace

Result<std::unique_ptr<FolderLock>> PosixFolderLocker::lock(const std::string& directory,
                                                            std::chrono::milliseconds wait)
{
    const std::string path = directory + "/" + kLockFileName;
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    // A folder the program may only read can still be locked for the readers' sake.
    if (fd < 0 && (errno == EACCES || errno == EROFS)) {
        const int refused = errno;
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            return lockError(directory, refused);
    }
    if (fd < 0)
        return lockError(directory, errno);

    const auto deadline = std::chrono::steady_clock::now() + wait;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            if (error == EWOULDBLOCK)
                return Error{Error::Kind::TimedOut,
                             "the data folder " + directory +
                                 " is being changed by another Volantra program (the window or "
                                 "volantra-cli); try again when it has finished"};
            return lockError(directory, error);
        }
        std::this_thread::sleep_for(kRetryInterval);
    }
    return std::unique_ptr<FolderLock>(std::make_unique<HeldLock>(fd));
}

} // namespace volantra
