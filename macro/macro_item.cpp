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

namespace {

bool allDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::string clampedDelayItem(std::string_view text)
{
    if (!text.ends_with(kDelaySuffix))
        return std::string(text);
    std::string_view number = text.substr(0, text.size() - kDelaySuffix.size());
    if (number.starts_with('-'))
        number.remove_prefix(1);
    if (number.empty() || !allDigits(number))
        return std::string(text);
    return macroDelayItem(leadingInteger(text));
}

std::optional<std::string> typedDelayItem(std::string_view typed)
{
    const std::string compact = withoutEvery(typed, " ");
    const std::string_view text = compact;
    if (!text.ends_with("ms"))
        return std::nullopt;
    const std::string_view digits = text.substr(0, text.size() - 2);
    if (!allDigits(digits))
        return std::nullopt;
    return macroDelayItem(leadingInteger(digits));
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
