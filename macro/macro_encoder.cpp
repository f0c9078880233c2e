#include "macro/macro_encoder.h"

#include "assign/key_table.h"
#include "macro/macro_definition.h"
#include "macro/macro_item.h"
#include "model/ini_document.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>

namespace volantra {
namespace {

// Without recorded delays, every event is followed by this pause.
constexpr std::int64_t kDefaultDelayMs = 50;

bool onlyDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The pause after an event, from the line that follows it.
std::int64_t delayAfter(std::string_view next, bool recordDelays)
{
    if (!recordDelays && next.find("ms") == std::string_view::npos)
        return kDefaultDelayMs;
    // The usual "120 ms" needs no copy; anything else is read the long way.
    if (next.ends_with(kDelaySuffix) &&
        onlyDigits(next.substr(0, next.size() - kDelaySuffix.size())))
        return leadingInteger(next);
    return leadingInteger(withoutEvery(next, kDelaySuffix));
}

// The key name of a press or release line; the usual "A   Dn" needs no copy.
std::uint8_t eventKeyCode(std::string_view text, std::string_view suffix)
{
    if (text.find(suffix) == text.size() - suffix.size())
        return macroKeyCode(text.substr(0, text.size() - suffix.size()));
    return macroKeyCode(withoutEvery(text, suffix));
}

// Calls event(release, code, delay) for each press and release of the lines, with the
// pause after it; stops early when event returns false.
template <typename Event>
void forEachEvent(std::span<const std::string> items, bool recordDelays, Event event)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string& text = items[i];
        const MacroItemKind kind = classifyMacroItem(text);
        if (kind != MacroItemKind::Press && kind != MacroItemKind::Release)
            continue;
        const std::string_view next =
            i + 1 < items.size() ? std::string_view(items[i + 1]) : std::string_view();
        if (!event(kind == MacroItemKind::Release,
                   eventKeyCode(text, kind == MacroItemKind::Press ? kPressSuffix : kReleaseSuffix),
                   delayAfter(next, recordDelays)))
            return;
    }
}

} // namespace

std::size_t eventRecordCount(std::int64_t delayMs)
{
    const std::int64_t v = std::clamp<std::int64_t>(delayMs, 0, kMaxMacroDelayMs);
    if (v <= MacroEncoder::kMaxShortDelayMs)
        return 1;
    return v <= MacroEncoder::kMaxMediumDelayMs ? 2 : 3;
}

std::size_t macroRecordCount(std::span<const std::string> items, bool recordDelays)
{
    std::size_t records = 0;
    forEachEvent(items, recordDelays, [&](bool, std::uint8_t, std::int64_t delayMs) {
        records += eventRecordCount(delayMs);
        return true;
    });
    return records;
}

std::uint8_t macroKeyCode(std::string_view keyName)
{
    // The table, hashed once: encoding looks up every event's key.
    static const std::unordered_map<std::string_view, std::uint8_t> codes = [] {
        std::unordered_map<std::string_view, std::uint8_t> table;
        for (const KeyName& row : keyNameTable())
            table.emplace(row.name, row.code); // the first row of a name counts
        table.erase("Application");
        return table;
    }();
    const auto found = codes.find(keyName);
    return found == codes.end() ? 0 : found->second;
}

MacroEncoder::MacroEncoder(std::uint16_t loopCount)
{
    m_image[kLoopCountOffset] = static_cast<std::uint8_t>(loopCount >> 8);
    m_image[kLoopCountOffset + 1] = static_cast<std::uint8_t>(loopCount & 0xFF);
}

bool MacroEncoder::addEvent(bool release, std::uint8_t code, std::int64_t delayMs)
{
    if (m_cut)
        return false;
    const std::int64_t v = std::clamp<std::int64_t>(delayMs, 0, kMaxMacroDelayMs);
    const std::uint8_t direction = release ? kReleaseBit : 0x00;

    std::array<std::uint8_t, 3 * kRecordSize> records{};
    std::size_t length = 0;
    auto append = [&](std::uint8_t first, std::uint8_t second) {
        records[length++] = first;
        records[length++] = second;
    };
    if (v <= kMaxShortDelayMs) {
        append(static_cast<std::uint8_t>(direction | ((v / 10) & kDelayFieldMask)), code);
    } else {
        append(static_cast<std::uint8_t>(direction | (v % 100)), code);
        const std::int64_t hundreds = v / 100;
        if (v <= kMaxMediumDelayMs) {
            append(static_cast<std::uint8_t>(hundreds), kDelayExtensionCode);
        } else {
            append(0x00, kDelayExtensionCode);
            append(static_cast<std::uint8_t>(hundreds >> 8), static_cast<std::uint8_t>(hundreds));
        }
    }

    if (length > m_image.size() - m_position) {
        m_cut = true;
        return false;
    }
    std::copy_n(records.begin(), length, m_image.begin() + static_cast<long>(m_position));
    m_position += length;
    return true;
}

MacroSource readMacroSource(const IniDocument& record, std::string_view name)
{
    MacroSource macro;
    const int itemCount = record.readInt(name, kItemCountKey, 0);
    if (itemCount <= 0)
        return macro;
    macro.recordDelays = record.readInt(name, kRecordDelaysKey, 0);
    macro.loopEnabled = record.readInt(name, kLoopEnabledKey, 0);
    macro.loopTimes = record.readInt(name, kLoopTimesKey, 0);

    std::map<std::int64_t, std::string> items;
    for (IniEntry& entry : record.entries(name)) {
        if (std::optional<std::int64_t> index = macroItemIndex(entry.key, itemCount))
            items.emplace(*index, std::move(entry.value));
    }
    std::int64_t expected = 0;
    for (auto& [index, text] : items) {
        if (index != expected)
            macro.items.emplace_back(); // the missing items before this one
        macro.items.push_back(std::move(text));
        expected = index + 1;
    }
    if (expected != itemCount)
        macro.items.emplace_back();
    return macro;
}

EncodedMacro encodeMacro(const MacroSource& macro)
{
    if (macro.items.empty())
        return {};
    const bool recordDelays = macro.recordDelays != 0;
    const std::uint16_t loopCount = macro.loopEnabled != 0 && macro.loopTimes >= kMinLoopTimes &&
                                            macro.loopTimes <= kMaxLoopTimes
                                        ? static_cast<std::uint16_t>(macro.loopTimes)
                                        : 1;
    MacroEncoder encoder(loopCount);
    forEachEvent(macro.items, recordDelays,
                 [&](bool release, std::uint8_t code, std::int64_t delayMs) {
                     return encoder.addEvent(release, code, delayMs);
                 });
    return {encoder.image(), encoder.cut()};
}

EncodedMacro encodeMacroSection(const IniDocument& record, std::string_view name)
{
    return encodeMacro(readMacroSource(record, name));
}

MacroImages encodeAll(const IniDocument& record)
{
    MacroImages result;
    const std::vector<std::string> names = record.sectionNames();
    const std::size_t count = std::min(names.size(), kMacroSlotCount);
    for (std::size_t slot = 0; slot < count; ++slot) {
        EncodedMacro macro = encodeMacroSection(record, names[slot]);
        result.images[slot] = macro.image;
        if (macro.cut)
            result.cutMacros.push_back(names[slot]);
    }
    return result;
}

} // namespace volantra
