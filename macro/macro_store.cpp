#include "macro/macro_store.h"

#include "common/text.h"
#include "macro/macro_item.h"

#include <algorithm>

namespace volantra {
namespace {

bool sameName(std::string_view a, std::string_view b)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// Length as the platform counted it, in UTF-16 units: one per character, two for a
// character beyond the basic plane (a four-byte UTF-8 sequence).
std::size_t utf16Length(std::string_view text)
{
    std::size_t length = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80)
            ++length;
        if (byte >= 0xF0)
            ++length;
    }
    return length;
}

Error invalid(std::string message)
{
    return Error{Error::Kind::InvalidInput, std::move(message)};
}

Error notFound(std::string_view name)
{
    return Error{Error::Kind::NotFound, "There is no macro \"" + std::string(name) + "\""};
}

// A flag as the editor reads it: 1 on, 0 off, anything else leaves the editor's flag.
std::optional<bool> readFlag(const IniDocument& document, std::string_view section,
                             std::string_view key)
{
    const int value = document.readInt(section, key, -1);
    if (value == 0 || value == 1)
        return value == 1;
    return std::nullopt;
}

} // namespace

Result<MacroStore> MacroStore::open(std::string path, AtomicFileWriter& writer)
{
    Result<IniFile> file = IniFile::load(std::move(path), writer);
    if (!file)
        return file.error();
    return MacroStore(std::move(*file));
}

std::vector<std::string> MacroStore::listMacros() const
{
    return m_file.sectionNames();
}

bool MacroStore::hasMacro(std::string_view name) const
{
    return m_file.document().hasSection(name);
}

Result<MacroDefinition> MacroStore::loadMacro(std::string_view name) const
{
    const IniDocument& document = m_file.document();
    if (!document.hasSection(name))
        return notFound(name);
    const std::vector<std::string> names = listMacros();
    const auto stored = std::find_if(names.begin(), names.end(),
                                     [&](const std::string& each) { return sameName(each, name); });

    MacroDefinition definition;
    definition.name = *stored;
    definition.recordDelays = readFlag(document, name, kRecordDelaysKey);
    definition.loopEnabled = readFlag(document, name, kLoopEnabledKey);
    definition.loopTimes = validLoopTimes(document.readString(name, kLoopTimesKey, ""));

    const std::int64_t count = std::max(0, document.readInt(name, kItemCountKey, 0));
    if (count > kMaxItems)
        return invalid("Macro \"" + definition.name + "\" in " + path() + " has " +
                       std::to_string(count) + " lines (ItemCount), more than the " +
                       std::to_string(kMaxItems) +
                       " a macro may have: the mouse plays at most 63 key events of a macro. "
                       "Delete the macro, or shorten it in the file.");
    definition.items.resize(static_cast<std::size_t>(count));
    std::vector<bool> read(definition.items.size(), false);
    for (IniEntry& entry : document.entries(name)) {
        // The first key of a number counts, as the file's reader finds it first.
        const std::optional<std::int64_t> index = macroItemIndex(entry.key, count);
        if (index && !read[static_cast<std::size_t>(*index)]) {
            read[static_cast<std::size_t>(*index)] = true;
            definition.items[static_cast<std::size_t>(*index)] = std::move(entry.value);
        }
    }
    return definition;
}

Status MacroStore::checkName(std::string_view name, std::string_view renaming) const
{
    if (std::all_of(name.begin(), name.end(), isAsciiSpace))
        return invalid("Macro name is blank");
    const std::string quoted = "Macro name \"" + std::string(name) + "\"";
    if (utf16Length(name) > kMaxNameLength)
        return invalid(quoted + " is longer than " + std::to_string(kMaxNameLength) +
                       " characters");
    if (name.find_first_of("[]") != std::string_view::npos)
        return invalid(quoted + " contains \"[\" or \"]\"");
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }))
        return invalid(quoted + " contains a control character");
    // The file trims names, so surrounding spaces would not survive the next read.
    if (isAsciiSpace(name.front()) || isAsciiSpace(name.back()))
        return invalid(quoted + " begins or ends with white space");
    for (const std::string& existing : listMacros()) {
        if (sameName(existing, name) && !(renaming.size() > 0 && sameName(existing, renaming)))
            return invalid("Macro name already exists");
    }
    return {};
}

Status MacroStore::checkNewMacro(std::string_view name) const
{
    if (Status valid = checkName(name); !valid)
        return valid;
    if (listMacros().size() >= kMaxMacros)
        return invalid("Macro numbers up to " + std::to_string(kMaxMacros) + ".");
    return {};
}

Status MacroStore::addMacro(std::string_view name)
{
    if (Status valid = checkNewMacro(name); !valid)
        return valid;
    return m_file.writeString(name, kLoopTimesKey, "1");
}

Status MacroStore::saveMacro(const MacroDefinition& definition)
{
    if (!hasMacro(definition.name)) {
        if (Status valid = checkNewMacro(definition.name); !valid)
            return valid;
    }
    std::vector<IniEntry> entries;
    entries.reserve(definition.items.size() + 4);
    entries.push_back(
        {std::string(kRecordDelaysKey), definition.recordDelays.value_or(false) ? "1" : "0"});
    entries.push_back(
        {std::string(kLoopEnabledKey), definition.loopEnabled.value_or(false) ? "1" : "0"});
    entries.push_back(
        {std::string(kLoopTimesKey), std::to_string(validLoopTimes(definition.loopTimes))});
    entries.push_back({std::string(kItemCountKey), std::to_string(definition.items.size())});
    for (std::size_t i = 0; i < definition.items.size(); ++i)
        entries.push_back({macroItemKey(i), definition.items[i]});
    return m_file.replaceSection(definition.name, entries);
}

Status MacroStore::writeLoopTimes(std::string_view name, long long value)
{
    if (!hasMacro(name)) {
        if (Status valid = checkNewMacro(name); !valid)
            return valid;
    }
    return m_file.writeString(name, kLoopTimesKey, std::to_string(validLoopTimes(value)));
}

Status MacroStore::renameMacro(std::string_view from, std::string_view to)
{
    if (!hasMacro(from))
        return notFound(from);
    if (Status valid = checkName(to, from); !valid)
        return valid;
    return m_file.renameSection(from, to);
}

Status MacroStore::deleteMacro(std::string_view name)
{
    if (!hasMacro(name))
        return notFound(name);
    return m_file.removeSection(name);
}

Result<std::string> nextMacroName(const std::vector<std::string>& names, std::string_view prefix)
{
    if (names.size() >= MacroStore::kMaxMacros)
        return Error{Error::Kind::InvalidInput,
                     "Macro numbers up to " + std::to_string(MacroStore::kMaxMacros) + "."};
    const std::string stem = std::string(prefix) + "_";
    auto nameFor = [&](std::int64_t n) { return stem + std::to_string(n); };
    auto used = [&](const std::string& candidate) {
        return std::any_of(names.begin(), names.end(),
                           [&](const std::string& name) { return sameName(name, candidate); });
    };

    // Numbers up to 18 digits are read exactly.
    constexpr std::size_t kMaxDigits = 18;
    std::optional<std::int64_t> largest;
    bool tooLong = false;
    for (const std::string& name : names) {
        const std::string_view view = name;
        if (view.size() <= stem.size() || !sameName(view.substr(0, stem.size()), stem))
            continue;
        const std::string_view digits = view.substr(stem.size());
        if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        tooLong = tooLong || digits.size() > kMaxDigits;
        largest = std::max(largest.value_or(0), leadingInteger(digits));
    }
    if (!largest)
        return nameFor(static_cast<std::int64_t>(names.size()));
    const std::string next = nameFor(*largest + 1);
    if (!tooLong && utf16Length(next) <= MacroStore::kMaxNameLength)
        return next;
    // Only a hand-made name with a number too long to count on gets here: the lowest free
    // number will do.
    std::int64_t number = 0;
    while (used(nameFor(number)))
        ++number;
    return nameFor(number);
}

} // namespace volantra
