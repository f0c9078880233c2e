#pragma once

#include "common/result.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace volantra {

// How an INI file's text is stored. A file keeps the encoding it was read in, so that a
// file another program wrote in UTF-16 stays readable by that program and every line we
// did not change is written back byte for byte; new files are UTF-8 without a BOM.
enum class IniEncoding {
    Utf8,           // no byte-order mark
    Utf8WithBom,    // EF BB BF, then UTF-8
    Utf16LeWithBom, // FF FE, then UTF-16 little-endian
};

// One key and its value, as read or to be written.
struct IniEntry
{
    std::string key;
    std::string value;

    friend bool operator==(const IniEntry&, const IniEntry&) = default;
};

// The text of an INI file with the private-profile rules the profile and macro files
// were made with: section and key names compare without regard to ASCII case, the order
// of sections and keys is the file's, a new key goes to the end of its section and a new
// section to the end of the file, and values are read trimmed, without one pair of
// surrounding quotes, and cut to 1023 characters.
//
// Every line is kept as it was read (comments, blank lines, lines without '=', keys
// before the first section, line endings), and only the lines an edit changes are
// rewritten. Where a name occurs twice, reads see the first section of that name and in
// it the first key of that name; edits change that same first section, so a write is
// always what the next read returns, and removals take every duplicate with them so
// that no stale copy comes to light afterwards.
//
// Names and values are UTF-8 (a UTF-16 file is converted on parse and back on
// serialize). Names are trimmed of surrounding white space, as in the file.
class IniDocument
{
public:
    // What a value read from a file may hold: the platform reads values into buffers of
    // 1024 UTF-16 units, the last one the terminator.
    static constexpr std::size_t kMaxValueLength = 1023;

    // An empty document; it serializes as UTF-8 without a BOM.
    IniDocument() = default;

    // Any bytes give a document: there is no malformed INI file, only lines that are
    // not sections or keys. An odd last byte of a UTF-16 file holds no character and
    // is dropped.
    static IniDocument parse(std::span<const std::uint8_t> bytes);
    static IniDocument parse(std::string_view text);

    // The file's bytes in the document's encoding.
    std::vector<std::uint8_t> serialize() const;

    IniEncoding encoding() const { return m_encoding; }
    void setEncoding(IniEncoding encoding) { m_encoding = encoding; }

    // Queries. A missing section or key reads as the default.
    bool hasSection(std::string_view section) const;
    bool hasKey(std::string_view section, std::string_view key) const;
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // The platform's integer reading: an optional sign and the leading decimal digits
    // ("12px" is 12, "abc" is 0); a missing or empty value gives the default. Values
    // beyond the range of int are clamped to it.
    int readInt(std::string_view section, std::string_view key, int defaultValue) const;
    // Every section name once, in the order the sections first appear in the file.
    std::vector<std::string> sectionNames() const;
    // The keys of a section, each once, in file order.
    std::vector<std::string> keyNames(std::string_view section) const;
    // The keys of a section with their values as readString gives them.
    std::vector<IniEntry> entries(std::string_view section) const;

    // Edits. A name or value that the file could not give back unchanged (a line break
    // anywhere, a key with '=' or starting with '[' or ';', an empty key, a value longer
    // than kMaxValueLength) is refused with Error::Kind::InvalidInput and nothing changes.
    // Values with surrounding white space or quotes are written in quotes so that they
    // read back exactly.
    Status writeString(std::string_view section, std::string_view key, std::string_view value);
    // Returns whether there was such a key.
    bool removeKey(std::string_view section, std::string_view key);
    // Removes every section of that name; returns whether there was one.
    bool removeSection(std::string_view section);
    // Makes `entries` the keys of the section, in that order, where the section stands
    // (a new section goes to the end). Comments right under the section's name and the
    // blank lines and comments that end it stay; a key given twice takes the last value.
    Status replaceSection(std::string_view section, std::span<const IniEntry> entries);
    // Renames the section where it stands. NotFound when there is no section `from`;
    // InvalidInput when another section is already called `to`.
    Status renameSection(std::string_view from, std::string_view to);

    friend bool operator==(const IniDocument&, const IniDocument&) = default;

private:
    struct Line
    {
        enum class Kind : std::uint8_t { Blank, Comment, Other, Key, Section };

        std::string text;   // as in the file, without the line ending
        std::string ending; // "\r\n", "\n", "\r", or "" for a last line without one
        Kind kind = Kind::Blank;
        // The trimmed name of a key or section and, for keys, the trimmed raw value
        // (quotes included), as offsets into `text`.
        std::size_t nameBegin = 0;
        std::size_t nameLength = 0;
        std::size_t valueBegin = 0;
        std::size_t valueLength = 0;

        std::string_view name() const;
        std::string_view rawValue() const;
        friend bool operator==(const Line&, const Line&) = default;
    };

    struct Section
    {
        Line header;
        std::vector<Line> body;
        friend bool operator==(const Section&, const Section&) = default;
    };

    static Line classify(std::string text, std::string ending);
    Line keyLine(std::string_view key, std::string_view value) const;
    Line sectionLine(std::string_view name) const;

    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;
    Section& sectionForWriting(std::string_view name);
    void terminateInnerLines();

    IniEncoding m_encoding = IniEncoding::Utf8;
    // New lines get the file's first line ending, so a CRLF file stays CRLF.
    std::string m_newline = "\n";
    std::vector<Line> m_preamble; // lines before the first section
    std::vector<Section> m_sections;
};

} // namespace volantra
