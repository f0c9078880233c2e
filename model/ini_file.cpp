#include "model/ini_file.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

namespace volantra {
namespace {

std::string reason(int error)
{
    return std::error_code(error, std::generic_category()).message();
}

} // namespace

IniFile::IniFile(std::string path, AtomicFileWriter& writer)
    : m_path(std::move(path)), m_writer(&writer)
{
}

Result<IniFile> IniFile::load(std::string path, AtomicFileWriter& writer)
{
    Result<std::optional<std::vector<std::uint8_t>>> bytes = readBytes(path);
    if (!bytes)
        return bytes.error();
    if (!*bytes)
        return IniFile(std::move(path), writer);
    return fromBytes(std::move(path), writer, **bytes);
}

IniFile IniFile::fromBytes(std::string path, AtomicFileWriter& writer,
                           std::span<const std::uint8_t> bytes)
{
    IniFile file(std::move(path), writer);
    file.m_document = IniDocument::parse(bytes);
    return file;
}

Result<std::optional<std::vector<std::uint8_t>>> IniFile::readBytes(const std::string& path)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return std::optional<std::vector<std::uint8_t>>();
    if (error)
        return Error{Error::Kind::Io, "cannot read " + path + ": " + error.message()};
    if (status.type() != std::filesystem::file_type::regular)
        return Error{Error::Kind::InvalidInput,
                     "cannot read " + path + ": it is not a regular file"};

    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const Error::Kind kind =
            errno == EACCES || errno == EPERM ? Error::Kind::Permission : Error::Kind::Io;
        return Error{kind, "cannot read " + path + ": " +
                               (errno ? reason(errno) : std::string("cannot open the file"))};
    }
    std::vector<std::uint8_t> bytes;
    char buffer[64 * 1024];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
        if (bytes.size() > kMaxFileSize)
            return Error{Error::Kind::InvalidInput,
                         "cannot read " + path + ": it is larger than " +
                             std::to_string(kMaxFileSize / (std::size_t{1024} * 1024)) +
                             " MiB, too large for a settings file"};
    }
    if (in.bad())
        return Error{Error::Kind::Io, "cannot read " + path + ": read error"};
    return std::optional<std::vector<std::uint8_t>>(std::move(bytes));
}

Status IniFile::save()
{
    const std::vector<std::uint8_t> bytes = m_document.serialize();
    return m_writer->writeFile(m_path, bytes);
}

Error IniFile::withPath(const Error& error) const
{
    return Error{error.kind, m_path + ": " + error.message};
}

template <typename Edit> Status IniFile::editAndSave(Edit edit)
{
    IniDocument before = m_document;
    if (Status edited = edit(m_document); !edited)
        return withPath(edited.error());
    if (m_document == before)
        return {};
    if (Status saved = save(); !saved) {
        m_document = std::move(before);
        return saved;
    }
    return {};
}

Status IniFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    return editAndSave(
        [&](IniDocument& document) { return document.writeString(section, key, value); });
}

Status IniFile::removeKey(std::string_view section, std::string_view key)
{
    return editAndSave([&](IniDocument& document) {
        document.removeKey(section, key);
        return Status{};
    });
}

Status IniFile::removeSection(std::string_view section)
{
    return editAndSave([&](IniDocument& document) {
        document.removeSection(section);
        return Status{};
    });
}

Status IniFile::replaceSection(std::string_view section, std::span<const IniEntry> entries)
{
    return editAndSave(
        [&](IniDocument& document) { return document.replaceSection(section, entries); });
}

Status IniFile::renameSection(std::string_view from, std::string_view to)
{
    return editAndSave([&](IniDocument& document) { return document.renameSection(from, to); });
}

Status IniFile::restore(const std::optional<std::vector<std::uint8_t>>& bytes)
{
    if (bytes) {
        if (Status written = m_writer->writeFile(m_path, *bytes); !written)
            return written;
        m_document = IniDocument::parse(*bytes);
        return {};
    }
    std::error_code error;
    std::filesystem::remove(m_path, error);
    if (error)
        return Error{error == std::errc::permission_denied ? Error::Kind::Permission
                                                           : Error::Kind::Io,
                     "cannot remove " + m_path + ": " + error.message()};
    m_document = IniDocument();
    return {};
}

} // namespace volantra
