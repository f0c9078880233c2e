#pragma once

#include "common/atomic_file_writer.h"
#include "common/result.h"
#include "model/ini_document.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace volantra {

// An INI file on disk: its path and its text, saved whole through an AtomicFileWriter so a
// failed save never leaves a damaged file. The edit functions here save at once, like the
// platform's profile writes; to make several edits in one write, change document() and
// call save() once. Errors name the file.
class IniFile
{
public:
    // Files larger than this are not settings files; refusing them keeps a wrong path
    // from filling memory.
    static constexpr std::size_t kMaxFileSize = 4 * 1024 * 1024;

    // A file with an empty document, as if it did not exist yet.
    IniFile(std::string path, AtomicFileWriter& writer);

    // Reads the file; a missing file gives an empty document (the first write creates it).
    static Result<IniFile> load(std::string path, AtomicFileWriter& writer);

    // The file's bytes as they are on disk, nothing when there is no file; the checks and
    // messages of load().
    static Result<std::optional<std::vector<std::uint8_t>>> readBytes(const std::string& path);
    // A file whose document is parsed from `bytes`, as load() would have read them.
    static IniFile fromBytes(std::string path, AtomicFileWriter& writer,
                             std::span<const std::uint8_t> bytes);

    const std::string& path() const { return m_path; }
    const IniDocument& document() const { return m_document; }
    IniDocument& document() { return m_document; }

    // Writes the document to the path, whether or not it changed.
    Status save();

    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const
    {
        return m_document.readString(section, key, defaultValue);
    }
    int readInt(std::string_view section, std::string_view key, int defaultValue) const
    {
        return m_document.readInt(section, key, defaultValue);
    }
    std::vector<std::string> sectionNames() const { return m_document.sectionNames(); }
    std::vector<std::string> keyNames(std::string_view section) const
    {
        return m_document.keyNames(section);
    }

    // Each edits the document and saves it when it changed. When the edit is refused or
    // the save fails, the document is left as it was, so it still matches the disk.
    Status writeString(std::string_view section, std::string_view key, std::string_view value);
    Status removeKey(std::string_view section, std::string_view key);
    Status removeSection(std::string_view section);
    Status replaceSection(std::string_view section, std::span<const IniEntry> entries);
    Status renameSection(std::string_view from, std::string_view to);

    // Puts the file back as readBytes() found it: those bytes in one atomic write, or no
    // file at all when there was none. The document follows; on failure both stay.
    Status restore(const std::optional<std::vector<std::uint8_t>>& bytes);

private:
    template <typename Edit> Status editAndSave(Edit edit);
    Error withPath(const Error& error) const;

    std::string m_path;
    AtomicFileWriter* m_writer;
    IniDocument m_document;
};

} // namespace volantra
