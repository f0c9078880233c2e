#include "macro/macro_item.h"

#include <algorithm>
#include <limits>

namespace volantra {

MacroItemKind classifyMacroItem(std::string_view text)
{
    if (text.find(kPressSuffix) != std::string_view::npos)
        return MacroItemKind::Press;
    if (text.find(kReleaseSuffix) != std::string_view::npos)
        return MacroItemKind::Release;
    if (text.find("ms") != std::string_view::npos)
        return MacroItemKind::Delay;
    return MacroItemKind::Other;
}

std::optional<std::string> macroItemKeyName(std::string_view text)
{
    switch (classifyMacroItem(text)) {
    case MacroItemKind::Press:
        return withoutEvery(text, kPressSuffix);
    case MacroItemKind::Release:
        return withoutEvery(text, kReleaseSuffix);
    case MacroItemKind::Delay:
    case MacroItemKind::Other:
        break;
    }
    return std::nullopt;
}

std::string macroPressItem(std::string_view keyName)
{
    return std::string(keyName) + std::string(kPressSuffix);
}

std::string macroReleaseItem(std::string_view keyName)
{
    return std::string(keyName) + std::string(kReleaseSuffix);
}

std::string macroDelayItem(std::int64_t milliseconds)
{
    return std::to_string(std::clamp<std::int64_t>(milliseconds, 0, kMaxMacroDelayMs)) +
           std::string(kDelaySuffix);
}

std::int64_t leadingInteger(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r')))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 10 - 9;
    std::int64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = value >= kLimit ? kLimit : value * 10 + (text[at] - '0');
    return negative ? -value : value;
}

std::string withoutEvery(std::string_view text, std::string_view what)
{
    std::string result;
    result.reserve(text.size());
    while (!text.empty()) {
        const std::size_t found = what.empty() ? std::string_view::npos : text.find(what);
        if (found == std::string_view::npos) {
            result.append(text);
            break;
        }
        result.append(text.substr(0, found));
        text.remove_prefix(found + what.size());
    }
    return result;
}

} // namespace volantra
