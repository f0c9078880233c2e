#include "platform/windows/windows_atomic_file_writer.h"

#include "platform/windows/wide_string.h"

#include <random>
#include <windows.h>

namespace volantra {
namespace {

constexpr int kTemporaryNameAttempts = 100;

Error failure(const std::string& path, DWORD error, const char* step)
{
    Error::Kind kind = Error::Kind::Io;
    if (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ||
        error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        kind = Error::Kind::Permission;
    else if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
        kind = Error::Kind::NotFound;
    return Error{kind, "cannot save " + path + ": " + windowsErrorText(error) + " (" + step + ")"};
}

std::wstring randomSuffix()
{
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    static constexpr wchar_t kDigits[] = L"0123456789abcdefghijklmnopqrstuvwxyz";
    std::wstring suffix;
    std::uint64_t bits = generator();
    for (int i = 0; i < 10; ++i, bits /= 36)
        suffix += kDigits[bits % 36];
    return suffix;
}

bool writeAll(HANDLE file, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return false;
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        bytes = bytes.subspan(written);
    }
    return true;
}

} // namespace

Status WindowsAtomicFileWriter::writeFile(const std::string& path,
                                          std::span<const std::uint8_t> bytes)
{
    const std::wstring target = windowsPath(path);
    const std::size_t slash = target.rfind(L'\\');
    if (slash == std::wstring::npos || slash + 1 == target.size())
        return failure(path, ERROR_DIRECTORY, "the path names a folder");
    const std::wstring folder = target.substr(0, slash);
    const std::wstring base = target.substr(slash + 1);

    // A hidden name beside the target, so the replacement never crosses volumes.
    std::wstring temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; file == INVALID_HANDLE_VALUE && attempt < kTemporaryNameAttempts;
         ++attempt) {
        temporary = folder + L"\\." + base.substr(0, 200) + L".tmp-" + randomSuffix();
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS &&
            GetLastError() != ERROR_ALREADY_EXISTS)
            return failure(path, GetLastError(), "creating a temporary file in its folder");
    }
    if (file == INVALID_HANDLE_VALUE)
        return failure(path, ERROR_FILE_EXISTS, "creating a temporary file in its folder");

    const auto abandon = [&](const char* step) -> Status {
        const DWORD error = GetLastError();
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        DeleteFileW(temporary.c_str());
        return failure(path, error, step);
    };
    if (!writeAll(file, bytes))
        return abandon("writing the temporary file");
    if (!FlushFileBuffers(file))
        return abandon("flushing the temporary file to disk");
    const BOOL closed = CloseHandle(file);
    file = INVALID_HANDLE_VALUE;
    if (!closed)
        return abandon("closing the temporary file");

    // MoveFileExW rather than ReplaceFileW: wine's ReplaceFileW leaves a file of its own
    // ("rf*.tmp") in the folder when it fails, and the profile files carry no attributes
    // or security of their own worth keeping.
    if (!MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return abandon("replacing the file");
    return {};
}

Status WindowsAtomicFileWriter::moveOver(const std::string& from, const std::string& to)
{
    if (!MoveFileExW(windowsPath(from).c_str(), windowsPath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return failure(to, GetLastError(), "putting the new file in place");
    return {};
}

} // namespace volantra
