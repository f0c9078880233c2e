#include "platform/posix_atomic_file_writer.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace volantra {
namespace {

// Room for the temporary file's prefix and suffix within the 255 bytes of a file name.
constexpr std::size_t kMaxTemporaryBaseLength = 200;
constexpr int kTemporaryNameAttempts = 100;

std::string describe(int error)
{
    return std::error_code(error, std::generic_category()).message();
}

Error failure(const std::string& path, int error, const char* step)
{
    Error::Kind kind = Error::Kind::Io;
    if (error == EACCES || error == EPERM || error == EROFS)
        kind = Error::Kind::Permission;
    else if (error == ENOENT || error == ENOTDIR)
        kind = Error::Kind::NotFound;
    return Error{kind, "cannot save " + path + ": " + describe(error) + " (" + step + ")"};
}

// Where the bytes really go: through a symbolic link to the file it names.
std::string resolveTarget(const std::string& path)
{
    struct stat link;
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
        return path;
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        return path; // a dangling link is replaced by the file
    std::string target(resolved);
    std::free(resolved);
    return target;
}

struct SplitPath
{
    std::string directory;
    std::string base;
};

SplitPath splitPath(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

std::string randomSuffix()
{
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string suffix;
    std::uint64_t bits = generator();
    for (int i = 0; i < 10; ++i, bits /= 36)
        suffix += kDigits[bits % 36];
    return suffix;
}

bool writeAll(int fd, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC; // a regular file that takes nothing has no room left
            return false;
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

int syncFile(int fd)
{
    int result;
    do
        result = ::fsync(fd);
    while (result != 0 && errno == EINTR);
    return result;
}

// A rename is only durable once the folder's entry is on disk as well.
Status syncFolder(const std::string& path, const std::string& folder)
{
    const int directory = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory < 0)
        return {};
    const int synced = syncFile(directory);
    const int error = errno;
    ::close(directory);
    // Some file systems cannot flush a folder (EINVAL); the file itself is flushed.
    if (synced != 0 && error != EINVAL)
        return failure(path, error, "flushing its folder to disk");
    return {};
}

} // namespace

Status PosixAtomicFileWriter::writeFile(const std::string& path,
                                        std::span<const std::uint8_t> bytes)
{
    const std::string target = resolveTarget(path);
    const SplitPath parts = splitPath(target);
    if (parts.base.empty())
        return failure(path, EISDIR, "the path names a folder");

    struct stat old;
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    const mode_t mode = replacing ? (old.st_mode & 07777) : 0644;

    // A hidden name beside the target, so the rename never crosses file systems.
    const std::string prefix =
        parts.directory + "/." + parts.base.substr(0, kMaxTemporaryBaseLength) + ".tmp-";
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = prefix + randomSuffix();
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                    replacing ? (mode & 0777) : mode);
        if (fd < 0 && errno != EEXIST)
            return failure(path, errno, "creating a temporary file in its folder");
    }
    if (fd < 0)
        return failure(path, EEXIST, "creating a temporary file in its folder");

    const auto abandon = [&](const char* step) -> Status {
        const int error = errno;
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporary.c_str());
        return failure(path, error, step);
    };

    if (replacing) {
        // Owner first: changing it clears set-id bits that the mode then restores. Both
        // are best effort; only root may give a file to someone else.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            [[maybe_unused]] const int owned = ::fchown(fd, old.st_uid, old.st_gid);
        }
        [[maybe_unused]] const int moded = ::fchmod(fd, mode);
    }
    if (!writeAll(fd, bytes))
        return abandon("writing the temporary file");
    if (syncFile(fd) != 0)
        return abandon("flushing the temporary file to disk");
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0 && errno != EINTR) // after EINTR the descriptor is closed on Linux
        return abandon("closing the temporary file");
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return abandon("replacing the file");
    return syncFolder(path, parts.directory);
}

Status PosixAtomicFileWriter::moveOver(const std::string& from, const std::string& to)
{
    const std::string target = resolveTarget(to);
    if (::rename(from.c_str(), target.c_str()) != 0)
        return failure(to, errno, "putting the new file in place");
    return syncFolder(to, splitPath(target).directory);
}

} // namespace volantra
