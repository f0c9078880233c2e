#include "model/ini_document.h"

#include "common/text.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <climits>
#include <unordered_set>
#include <utility>

namespace volantra {
namespace {

constexpr std::uint8_t kUtf8Bom[] = {0xEF, 0xBB, 0xBF};
constexpr std::uint8_t kUtf16LeBom[] = {0xFF, 0xFE};
constexpr char32_t kReplacementCharacter = 0xFFFD;

// The white space the platform trims around names and values.
bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

bool isLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

std::string foldedName(std::string_view name)
{
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), asciiLower);
    return folded;
}

// Keeps the first of each name, comparing without regard to ASCII case, in linear time:
// a macro section holds over a hundred keys and is listed on every encode.
class FirstOccurrence
{
public:
    bool isFirst(std::string_view name) { return m_seen.insert(foldedName(name)).second; }

private:
    std::unordered_set<std::string> m_seen;
};

bool hasLineBreak(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), isLineBreak);
}

// One code point of UTF-8 text starting at `pos`. Encoded surrogates are accepted, so
// that the lone surrogates of a UTF-16 file survive the trip through UTF-8; any other
// malformed byte reads as one replacement character.
struct CodePoint
{
    char32_t value;
    std::size_t length;
};

CodePoint nextCodePoint(std::string_view text, std::size_t pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[pos + i]); };
    const auto continuation = [&](std::size_t i) {
        return pos + i < text.size() && (byte(i) & 0xC0) == 0x80;
    };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80)
        return {lead, 1};
    if (lead >= 0xC2 && lead <= 0xDF && continuation(1))
        return {static_cast<char32_t>((lead & 0x1F) << 6 | (byte(1) & 0x3F)), 2};
    if (lead >= 0xE0 && lead <= 0xEF && continuation(1) && continuation(2)) {
        const char32_t value = (lead & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
        if (value >= 0x800)
            return {value, 3};
    }
    if (lead >= 0xF0 && lead <= 0xF4 && continuation(1) && continuation(2) && continuation(3)) {
        const char32_t value =
            (lead & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 | (byte(3) & 0x3F);
        if (value >= 0x10000 && value <= 0x10FFFF)
            return {value, 4};
    }
    return {kReplacementCharacter, 1};
}

void appendUtf8(std::string& out, char32_t value)
{
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | value >> 6);
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | value >> 12);
        out += static_cast<char>(0x80 | (value >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | value >> 18);
        out += static_cast<char>(0x80 | (value >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (value >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
}

std::string decodeUtf16Le(std::span<const std::uint8_t> bytes)
{
    std::string text;
    text.reserve(bytes.size());
    const std::size_t units = bytes.size() / 2;
    const auto unit = [&](std::size_t i) -> char32_t {
        return bytes[2 * i] | bytes[2 * i + 1] << 8;
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t first = unit(i);
        if (first >= 0xD800 && first <= 0xDBFF && i + 1 < units) {
            const char32_t second = unit(i + 1);
            if (second >= 0xDC00 && second <= 0xDFFF) {
                appendUtf8(text, 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00));
                ++i;
                continue;
            }
        }
        appendUtf8(text, first); // lone surrogates too, so the file reads back unchanged
    }
    return text;
}

void appendUtf16Le(std::vector<std::uint8_t>& out, std::string_view text)
{
    const auto put = [&](char32_t unit) {
        out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        out.push_back(static_cast<std::uint8_t>(unit >> 8));
    };
    for (std::size_t pos = 0; pos < text.size();) {
        const CodePoint point = nextCodePoint(text, pos);
        pos += point.length;
        if (point.value >= 0x10000) {
            put(0xD800 + ((point.value - 0x10000) >> 10));
            put(0xDC00 + ((point.value - 0x10000) & 0x3FF));
        } else {
            put(point.value);
        }
    }
}

// The longest start of `text` that fits in `limit` UTF-16 units, cut between characters.
std::string_view cutToUnits(std::string_view text, std::size_t limit)
{
    std::size_t units = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const CodePoint point = nextCodePoint(text, pos);
        const std::size_t width = point.value >= 0x10000 ? 2 : 1;
        if (units + width > limit)
            break;
        units += width;
        pos += point.length;
    }
    return text.substr(0, pos);
}

std::size_t unitCount(std::string_view text)
{
    std::size_t units = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const CodePoint point = nextCodePoint(text, pos);
        units += point.value >= 0x10000 ? 2 : 1;
        pos += point.length;
    }
    return units;
}

bool isQuote(char c)
{
    return c == '"' || c == '\'';
}

bool quoted(std::string_view text)
{
    return text.size() >= 2 && isQuote(text.front()) && text.back() == text.front();
}

// What a reader gets for a value as it stands in the file.
std::string readValue(std::string_view raw)
{
    if (quoted(raw))
        raw = raw.substr(1, raw.size() - 2);
    return std::string(cutToUnits(raw, IniDocument::kMaxValueLength));
}

std::string quotedName(std::string_view name)
{
    std::string quoted;
    quoted.reserve(name.size() + 2);
    quoted += '"';
    quoted += name;
    quoted += '"';
    return quoted;
}

// The text to put after '=' so that readValue gives `value` back.
std::string writtenValue(std::string_view value)
{
    const bool needsQuotes =
        !value.empty() && (isBlank(value.front()) || isBlank(value.back()) || quoted(value));
    return needsQuotes ? quotedName(value) : std::string(value);
}

Status invalid(std::string message)
{
    return Error{Error::Kind::InvalidInput, std::move(message)};
}

Status checkSectionName(std::string_view section)
{
    if (hasLineBreak(section))
        return invalid("section name " + quotedName(section) + " has a line break");
    return {};
}

Status checkKey(std::string_view section, std::string_view key)
{
    const std::string where = " in section [" + std::string(section) + "]";
    if (key.empty())
        return invalid("empty key name" + where);
    if (hasLineBreak(key) || key.find('=') != std::string_view::npos || key.front() == '[' ||
        key.front() == ';')
        return invalid("key name " + quotedName(key) + where +
                       " cannot be stored: it has a line break or '=', or starts with '[' or ';'");
    return {};
}

Status checkValue(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string where =
        " of key " + quotedName(key) + " in section [" + std::string(section) + "]";
    if (hasLineBreak(value))
        return invalid("the value" + where + " has a line break");
    if (unitCount(value) > IniDocument::kMaxValueLength)
        return invalid("the value" + where + " is longer than " +
                       std::to_string(IniDocument::kMaxValueLength) + " characters");
    return {};
}

// Keys of a section go between the comments right under its name and the blank lines and
// comments that end it, which usually introduce the next section.
struct Content
{
    std::size_t begin;
    std::size_t end;
};

template <typename LineT> Content contentOf(const std::vector<LineT>& body)
{
    std::size_t begin = 0;
    while (begin < body.size() && body[begin].kind == LineT::Kind::Comment)
        ++begin;
    std::size_t end = body.size();
    while (end > begin &&
           (body[end - 1].kind == LineT::Kind::Blank || body[end - 1].kind == LineT::Kind::Comment))
        --end;
    return {begin, end};
}

} // namespace

std::string_view IniDocument::Line::name() const
{
    return std::string_view(text).substr(nameBegin, nameLength);
}

std::string_view IniDocument::Line::rawValue() const
{
    return std::string_view(text).substr(valueBegin, valueLength);
}

IniDocument::Line IniDocument::classify(std::string text, std::string ending)
{
    Line line;
    line.text = std::move(text);
    line.ending = std::move(ending);
    const std::string_view view = line.text;
    std::size_t start = 0;
    while (start < view.size() && isBlank(view[start]))
        ++start;
    if (start == view.size()) {
        line.kind = Line::Kind::Blank;
        return line;
    }
    if (view[start] == ';') {
        line.kind = Line::Kind::Comment;
        return line;
    }
    if (view[start] == '[') {
        // The name ends at the last ']' of the line; anything after it is ignored.
        const std::size_t close = view.rfind(']');
        if (close == std::string_view::npos) {
            line.kind = Line::Kind::Other;
            return line;
        }
        const std::string_view inside = view.substr(start + 1, close - start - 1);
        const std::string_view name = trim(inside);
        line.kind = Line::Kind::Section;
        line.nameBegin = static_cast<std::size_t>(name.data() - view.data());
        line.nameLength = name.size();
        return line;
    }
    const std::size_t equals = view.find('=', start);
    if (equals == std::string_view::npos || equals == start) {
        line.kind = Line::Kind::Other;
        return line;
    }
    const std::string_view name = trim(view.substr(start, equals - start));
    const std::string_view value = trim(view.substr(equals + 1));
    line.kind = Line::Kind::Key;
    line.nameBegin = start;
    line.nameLength = name.size();
    line.valueBegin =
        value.empty() ? view.size() : static_cast<std::size_t>(value.data() - view.data());
    line.valueLength = value.size();
    return line;
}

IniDocument IniDocument::parse(std::string_view text)
{
    return parse(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()),
                                               text.size()));
}

IniDocument IniDocument::parse(std::span<const std::uint8_t> bytes)
{
    IniDocument document;
    std::string text;
    if (bytes.size() >= 2 &&
        std::equal(std::begin(kUtf16LeBom), std::end(kUtf16LeBom), bytes.begin())) {
        document.m_encoding = IniEncoding::Utf16LeWithBom;
        text = decodeUtf16Le(bytes.subspan(2));
    } else if (bytes.size() >= 3 &&
               std::equal(std::begin(kUtf8Bom), std::end(kUtf8Bom), bytes.begin())) {
        document.m_encoding = IniEncoding::Utf8WithBom;
        text.assign(bytes.begin() + 3, bytes.end());
    } else {
        text.assign(bytes.begin(), bytes.end());
    }

    bool newlineSeen = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && !isLineBreak(text[end]))
            ++end;
        std::size_t next = end;
        if (next < text.size())
            next +=
                (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1;
        Line line = classify(text.substr(pos, end - pos), text.substr(end, next - end));
        if (!newlineSeen && !line.ending.empty()) {
            document.m_newline = line.ending;
            newlineSeen = true;
        }
        if (line.kind == Line::Kind::Section)
            document.m_sections.push_back(Section{std::move(line), {}});
        else if (document.m_sections.empty())
            document.m_preamble.push_back(std::move(line));
        else
            document.m_sections.back().body.push_back(std::move(line));
        pos = next;
    }
    return document;
}

std::vector<std::uint8_t> IniDocument::serialize() const
{
    std::string text;
    const auto append = [&](const Line& line) {
        text += line.text;
        text += line.ending;
    };
    for (const Line& line : m_preamble)
        append(line);
    for (const Section& section : m_sections) {
        append(section.header);
        for (const Line& line : section.body)
            append(line);
    }

    std::vector<std::uint8_t> bytes;
    switch (m_encoding) {
    case IniEncoding::Utf8:
        bytes.assign(text.begin(), text.end());
        break;
    case IniEncoding::Utf8WithBom:
        text.insert(0, reinterpret_cast<const char*>(kUtf8Bom), sizeof kUtf8Bom);
        bytes.assign(text.begin(), text.end());
        break;
    case IniEncoding::Utf16LeWithBom:
        bytes.reserve(sizeof kUtf16LeBom + 2 * text.size());
        for (std::uint8_t byte : kUtf16LeBom)
            bytes.push_back(byte);
        appendUtf16Le(bytes, text);
        break;
    }
    return bytes;
}

const IniDocument::Section* IniDocument::findSection(std::string_view name) const
{
    name = trim(name);
    for (const Section& section : m_sections)
        if (sameName(section.header.name(), name))
            return &section;
    return nullptr;
}

IniDocument::Section* IniDocument::findSection(std::string_view name)
{
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

bool IniDocument::hasSection(std::string_view section) const
{
    return findSection(section) != nullptr;
}

bool IniDocument::hasKey(std::string_view section, std::string_view key) const
{
    return value(section, key).has_value();
}

std::optional<std::string> IniDocument::value(std::string_view section, std::string_view key) const
{
    const Section* found = findSection(section);
    if (!found)
        return std::nullopt;
    key = trim(key);
    for (const Line& line : found->body)
        if (line.kind == Line::Kind::Key && sameName(line.name(), key))
            return readValue(line.rawValue());
    return std::nullopt;
}

std::string IniDocument::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const
{
    if (std::optional<std::string> found = value(section, key))
        return std::move(*found);
    return std::string(cutToUnits(defaultValue, kMaxValueLength));
}

int IniDocument::readInt(std::string_view section, std::string_view key, int defaultValue) const
{
    const std::optional<std::string> text = value(section, key);
    if (!text || text->empty())
        return defaultValue;
    std::string_view digits = *text;
    const bool negative = digits.front() == '-';
    if (negative || digits.front() == '+')
        digits.remove_prefix(1);
    long long magnitude = 0;
    constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
    for (char c : digits) {
        if (c < '0' || c > '9')
            break;
        magnitude = std::min(kLimit, magnitude * 10 + (c - '0'));
    }
    const long long result = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(result, INT_MIN, INT_MAX));
}

std::vector<std::string> IniDocument::sectionNames() const
{
    std::vector<std::string> names;
    FirstOccurrence first;
    for (const Section& section : m_sections) {
        const std::string_view name = section.header.name();
        if (first.isFirst(name))
            names.emplace_back(name);
    }
    return names;
}

std::vector<std::string> IniDocument::keyNames(std::string_view section) const
{
    std::vector<std::string> names;
    for (IniEntry& entry : entries(section))
        names.push_back(std::move(entry.key));
    return names;
}

std::vector<IniEntry> IniDocument::entries(std::string_view section) const
{
    std::vector<IniEntry> result;
    const Section* found = findSection(section);
    if (!found)
        return result;
    FirstOccurrence first;
    for (const Line& line : found->body) {
        if (line.kind != Line::Kind::Key)
            continue;
        const std::string_view name = line.name();
        if (first.isFirst(name))
            result.push_back({std::string(name), readValue(line.rawValue())});
    }
    return result;
}

IniDocument::Line IniDocument::keyLine(std::string_view key, std::string_view value) const
{
    Line line = classify(std::string(key) + "=" + writtenValue(value), m_newline);
    assert(line.kind == Line::Kind::Key && line.name() == key);
    return line;
}

IniDocument::Line IniDocument::sectionLine(std::string_view name) const
{
    Line line = classify("[" + std::string(name) + "]", m_newline);
    assert(line.kind == Line::Kind::Section && line.name() == name);
    return line;
}

IniDocument::Section& IniDocument::sectionForWriting(std::string_view name)
{
    if (Section* found = findSection(name))
        return *found;
    // A blank line between the last line of the file and the new section, as editors do.
    std::vector<Line>* last = m_sections.empty() ? &m_preamble : &m_sections.back().body;
    const Line* lastLine = !last->empty()        ? &last->back()
                           : !m_sections.empty() ? &m_sections.back().header
                                                 : nullptr;
    if (lastLine && lastLine->kind != Line::Kind::Blank)
        last->push_back(classify("", m_newline));
    m_sections.push_back(Section{sectionLine(name), {}});
    return m_sections.back();
}

// Only the file's last line may lack a line ending; lines added after it need one.
void IniDocument::terminateInnerLines()
{
    Line* previous = nullptr;
    const auto visit = [&](Line& line) {
        if (previous && previous->ending.empty())
            previous->ending = m_newline;
        previous = &line;
    };
    for (Line& line : m_preamble)
        visit(line);
    for (Section& section : m_sections) {
        visit(section.header);
        for (Line& line : section.body)
            visit(line);
    }
}

Status IniDocument::writeString(std::string_view section, std::string_view key,
                                std::string_view value)
{
    section = trim(section);
    key = trim(key);
    if (Status checked = checkSectionName(section); !checked)
        return checked;
    if (Status checked = checkKey(section, key); !checked)
        return checked;
    if (Status checked = checkValue(section, key, value); !checked)
        return checked;

    Section& target = sectionForWriting(section);
    for (Line& line : target.body) {
        if (line.kind == Line::Kind::Key && sameName(line.name(), key)) {
            // Keep the key's spelling and the spacing around '='; replace only the value.
            std::string text = line.text.substr(0, line.valueBegin) + writtenValue(value);
            line = classify(std::move(text), std::move(line.ending));
            return {};
        }
    }
    const Content content = contentOf(target.body);
    target.body.insert(target.body.begin() + static_cast<std::ptrdiff_t>(content.end),
                       keyLine(key, value));
    terminateInnerLines();
    return {};
}

bool IniDocument::removeKey(std::string_view section, std::string_view key)
{
    Section* found = findSection(section);
    if (!found)
        return false;
    key = trim(key);
    const auto removed = std::erase_if(found->body, [&](const Line& line) {
        return line.kind == Line::Kind::Key && sameName(line.name(), key);
    });
    terminateInnerLines();
    return removed > 0;
}

bool IniDocument::removeSection(std::string_view section)
{
    section = trim(section);
    const auto removed = std::erase_if(
        m_sections, [&](const Section& s) { return sameName(s.header.name(), section); });
    terminateInnerLines();
    return removed > 0;
}

Status IniDocument::replaceSection(std::string_view section, std::span<const IniEntry> entries)
{
    section = trim(section);
    if (Status checked = checkSectionName(section); !checked)
        return checked;
    std::vector<IniEntry> merged;
    for (const IniEntry& entry : entries) {
        const std::string_view key = trim(entry.key);
        if (Status checked = checkKey(section, key); !checked)
            return checked;
        if (Status checked = checkValue(section, key, entry.value); !checked)
            return checked;
        const auto same = std::find_if(merged.begin(), merged.end(), [&](const IniEntry& seen) {
            return sameName(seen.key, key);
        });
        if (same != merged.end())
            same->value = entry.value;
        else
            merged.push_back({std::string(key), entry.value});
    }

    Section& target = sectionForWriting(section);
    const Content content = contentOf(target.body);
    std::vector<Line> body(target.body.begin(),
                           target.body.begin() + static_cast<std::ptrdiff_t>(content.begin));
    for (const IniEntry& entry : merged)
        body.push_back(keyLine(entry.key, entry.value));
    body.insert(body.end(), target.body.begin() + static_cast<std::ptrdiff_t>(content.end),
                target.body.end());
    target.body = std::move(body);
    terminateInnerLines();
    return {};
}

Status IniDocument::renameSection(std::string_view from, std::string_view to)
{
    from = trim(from);
    to = trim(to);
    if (Status checked = checkSectionName(to); !checked)
        return checked;
    Section* source = findSection(from);
    if (!source)
        return Error{Error::Kind::NotFound, "there is no section [" + std::string(from) + "]"};
    const Section* existing = findSection(to);
    if (existing && existing != source)
        return invalid("cannot rename section [" + std::string(from) + "] to [" + std::string(to) +
                       "]: that section already exists");

    Line& header = source->header;
    std::string text = header.text.substr(0, header.nameBegin) + std::string(to) +
                       header.text.substr(header.nameBegin + header.nameLength);
    header = classify(std::move(text), std::move(header.ending));
    // Later sections of the old name were hidden behind this one; they would otherwise
    // come to light under the name the caller just gave up.
    // A change of case only keeps the name, and them hidden.
    if (!sameName(from, to)) {
        const std::size_t renamed = static_cast<std::size_t>(source - m_sections.data());
        for (std::size_t i = m_sections.size() - 1; i > renamed; --i)
            if (sameName(m_sections[i].header.name(), from))
                m_sections.erase(m_sections.begin() + static_cast<std::ptrdiff_t>(i));
    }
    terminateInnerLines();
    return {};
}

} // namespace volantra
