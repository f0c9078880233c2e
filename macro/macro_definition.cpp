#include "macro/macro_definition.h"

#include "macro/macro_item.h"

#include <algorithm>

namespace volantra {

std::uint16_t validLoopTimes(long long value)
{
    if (value < kMinLoopTimes || value > kMaxLoopTimes)
        return static_cast<std::uint16_t>(kMinLoopTimes);
    return static_cast<std::uint16_t>(value);
}

std::uint16_t validLoopTimes(std::string_view text)
{
    return validLoopTimes(static_cast<long long>(leadingInteger(text)));
}

std::string macroItemKey(std::size_t index)
{
    return std::string(kItemKeyPrefix) + std::to_string(index);
}

std::optional<std::int64_t> macroItemIndex(std::string_view key, std::int64_t count)
{
    if (key.size() <= kItemKeyPrefix.size())
        return std::nullopt;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (std::size_t i = 0; i < kItemKeyPrefix.size(); ++i) {
        if (lower(key[i]) != lower(kItemKeyPrefix[i]))
            return std::nullopt;
    }
    // Only the digits "%d" writes: no sign, no leading zero, no more than an int holds.
    const std::string_view digits = key.substr(kItemKeyPrefix.size());
    if (digits.size() > 10 || (digits.size() > 1 && digits[0] == '0') ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const std::int64_t index = leadingInteger(digits);
    if (index >= count)
        return std::nullopt;
    return index;
}

} // namespace volantra
