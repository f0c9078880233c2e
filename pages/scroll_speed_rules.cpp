#include "pages/scroll_speed_rules.h"

#include "model/setting_rules.h"
#include "model/settings_record.h"

#include <algorithm>

namespace volantra {
namespace {

using setting_rules::kScrollLines;

} // namespace

ScrollSpeedRules::Target ScrollSpeedRules::targetAt(int x, int y)
{
    if (kLinesMark.contains(x, y))
        return Target::LinesMark;
    if (kScreenMark.contains(x, y))
        return Target::ScreenMark;
    if (kUpArrow.contains(x, y))
        return Target::UpArrow;
    if (kDownArrow.contains(x, y))
        return Target::DownArrow;
    return Target::None;
}

bool ScrollSpeedRules::click(SettingsRecord& record, int x, int y)
{
    const std::uint8_t mode = record.scrollMode();
    const std::uint8_t lines = record.wheelScrollLines();
    switch (targetAt(x, y)) {
    case Target::None:
        return false;
    case Target::LinesMark:
        record.setScrollMode(setting_rules::kScrollByLines);
        break;
    case Target::ScreenMark:
        record.setScrollMode(setting_rules::kScrollByScreen);
        break;
    case Target::UpArrow:
        record.setWheelScrollLines(
            static_cast<std::uint8_t>(std::min(shownLines(lines) + 1, kScrollLines.highest)));
        break;
    case Target::DownArrow:
        record.setWheelScrollLines(
            static_cast<std::uint8_t>(std::max(shownLines(lines) - 1, kScrollLines.lowest)));
        break;
    }
    return record.scrollMode() != mode || record.wheelScrollLines() != lines;
}

bool ScrollSpeedRules::scrollsByScreen(std::uint8_t storedMode)
{
    return storedMode != setting_rules::kScrollByLines;
}

int ScrollSpeedRules::shownLines(std::uint8_t stored)
{
    return kScrollLines.nearest(stored);
}

ScrollSpeedRules::Committed ScrollSpeedRules::commitTyped(std::string_view typed)
{
    std::size_t at = 0;
    while (at < typed.size() && (typed[at] == ' ' || typed[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < typed.size() && (typed[at] == '+' || typed[at] == '-')) {
        negative = typed[at] == '-';
        ++at;
    }
    // Digits past 100 cannot bring the count back into range, so stop counting there.
    int number = 0;
    for (; at < typed.size() && typed[at] >= '0' && typed[at] <= '9'; ++at)
        number = std::min(number * 10 + (typed[at] - '0'), kScrollLines.highest + 1);
    if (negative || !kScrollLines.holds(number))
        number = kScrollLines.lowest;
    return {static_cast<std::uint8_t>(number), std::to_string(number)};
}

} // namespace volantra
