#include "model/profile_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

namespace volantra {
namespace {

Error wrongSize(const std::string& name, std::uintmax_t size)
{
    return {Error::Kind::InvalidInput, name + ": a profile file holds " +
                                           std::to_string(ProfileFile::kSize) +
                                           " bytes, this one holds " + std::to_string(size)};
}

} // namespace

Result<ProfileFile> ProfileFile::parse(std::span<const std::uint8_t> bytes, const std::string& name)
{
    if (bytes.size() != kSize)
        return wrongSize(name, bytes.size());
    SettingsRecord::Bytes record{};
    std::copy_n(bytes.begin() + kRecordOffset, SettingsRecord::kSize, record.begin());
    return ProfileFile(bytes[kFlagOffset], SettingsRecord(record));
}

Result<ProfileFile> ProfileFile::load(const std::string& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status))
        return Error{Error::Kind::NotFound, path + ": no such profile file"};
    if (!std::filesystem::is_regular_file(status))
        return Error{Error::Kind::InvalidInput, path + ": not a file, so not a profile file"};

    // Look at the size first so an unrelated large file is never read into memory.
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error)
        return Error{Error::Kind::Io, path + ": cannot read its size: " + error.message()};
    if (size != kSize)
        return wrongSize(path, size);

    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Error{Error::Kind::Permission, path + ": cannot be opened for reading"};
    std::vector<std::uint8_t> bytes(kSize + 1);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad())
        return Error{Error::Kind::Io, path + ": reading failed"};
    // The file may have changed since its size was taken.
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return parse(bytes, path);
}

ProfileFile::Bytes ProfileFile::serialize(const SettingsRecord& record)
{
    Bytes bytes{};
    bytes[kFlagOffset] = kSavedFlag;
    std::copy(record.bytes().begin(), record.bytes().end(), bytes.begin() + kRecordOffset);
    return bytes;
}

Result<SettingsRecord> loadProfileFile(const std::string& path)
{
    Result<ProfileFile> file = ProfileFile::load(path);
    if (!file)
        return file.error();
    return file->record();
}

} // namespace volantra
