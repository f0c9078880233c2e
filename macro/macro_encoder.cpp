#include "macro/macro_encoder.h"

#include "assign/key_table.h"
#include "macro/macro_definition.h"
#include "macro/macro_item.h"
#include "model/ini_document.h"

#include <algorithm>
#include <map>
#include <optional>

namespace volantra {
namespace {

// Without recorded delays, every event is followed by this pause.
constexpr std::int64_t kDefaultDelayMs = 50;

// The pause after an event, from the line that follows it.
std::int64_t delayAfter(std::string_view next, bool recordDelays)
{
    if (!recordDelays && next.find("ms") == std::string_view::npos)
        return kDefaultDelayMs;
    return leadingInteger(withoutEvery(next, kDelaySuffix));
}

} // namespace

std::uint8_t macroKeyCode(std::string_view keyName)
{
    if (keyName == "Application")
        return 0;
    return keyNameToUsage(keyName);
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

EncodedMacro encodeMacroSection(const IniDocument& record, std::string_view name)
{
    const int itemCount = record.readInt(name, kItemCountKey, 0);
    if (itemCount <= 0)
        return {};
    const bool recordDelays = record.readInt(name, kRecordDelaysKey, 0) != 0;
    const bool loopEnabled = record.readInt(name, kLoopEnabledKey, 0) != 0;
    const int loopTimes = record.readInt(name, kLoopTimesKey, 0);
    const std::uint16_t loopCount =
        loopEnabled && loopTimes >= kMinLoopTimes && loopTimes <= kMaxLoopTimes
            ? static_cast<std::uint16_t>(loopTimes)
            : 1;

    // Only the items the section holds can make events; a missing item reads as empty
    // text, so a huge ItemCount costs nothing.
    std::map<std::int64_t, std::string> items;
    for (IniEntry& entry : record.entries(name)) {
        if (std::optional<std::int64_t> index = macroItemIndex(entry.key, itemCount))
            items.emplace(*index, std::move(entry.value));
    }

    MacroEncoder encoder(loopCount);
    for (const auto& [index, text] : items) {
        const MacroItemKind kind = classifyMacroItem(text);
        if (kind != MacroItemKind::Press && kind != MacroItemKind::Release)
            continue;
        const auto next = items.find(index + 1);
        const std::int64_t delay =
            delayAfter(next == items.end() ? std::string_view() : next->second, recordDelays);
        if (!encoder.addEvent(kind == MacroItemKind::Release,
                              macroKeyCode(macroItemKeyName(text).value_or("")), delay))
            break;
    }
    return {encoder.image(), encoder.cut()};
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
