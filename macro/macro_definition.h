#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace volantra {

// The keys of one macro's section in record.ini, in the order a save writes them.
inline constexpr std::string_view kRecordDelaysKey = "DelayTimeSelStatus";
inline constexpr std::string_view kLoopEnabledKey = "LoopTimeSelStatus";
inline constexpr std::string_view kLoopTimesKey = "MacroLoopTimes";
inline constexpr std::string_view kItemCountKey = "ItemCount";
inline constexpr std::string_view kItemKeyPrefix = "Item"; // Item0, Item1, ...

// The loop counts the mouse can play: 16 bits, at least once.
inline constexpr long kMinLoopTimes = 1;
inline constexpr long kMaxLoopTimes = 65535;

// One macro as record.ini keeps it: one section, named after the macro.
struct MacroDefinition
{
    std::string name;
    // "Record delays between key commands". Read from the file, nothing means the file
    // holds neither 0 nor 1, and the editor keeps the flag it had; saved as off.
    std::optional<bool> recordDelays;
    // "Loop Times": whether the loop count is played at all. Same reading as above.
    std::optional<bool> loopEnabled;
    std::uint16_t loopTimes = 1;
    // The event lines, top to bottom (see macro_item.h).
    std::vector<std::string> items;

    friend bool operator==(const MacroDefinition&, const MacroDefinition&) = default;
};

// The loop count as typed: 1 to 65535, anything else (or no number) is 1.
std::uint16_t validLoopTimes(long long value);
std::uint16_t validLoopTimes(std::string_view text);

} // namespace volantra

namespace volantra {

// "Item7" for 7.
std::string macroItemKey(std::size_t index);

// The index of a key named like a save names items ("Item%d", any case), when it is
// below `count`; nothing for any other key.
std::optional<std::int64_t> macroItemIndex(std::string_view key, std::int64_t count);

} // namespace volantra
