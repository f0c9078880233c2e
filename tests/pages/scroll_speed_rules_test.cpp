#include "model/settings_record.h"
#include "pages/scroll_speed_rules.h"

#include <gtest/gtest.h>

namespace volantra {
namespace {

using Target = ScrollSpeedRules::Target;

TEST(ScrollSpeedRules, FindsTheMarksAndArrowsUpToTheirEdges)
{
    struct Case
    {
        int x;
        int y;
        Target target;
    };
    const Case cases[] = {
        {10, 15, Target::LinesMark},
        {21, 26, Target::LinesMark},
        {22, 15, Target::None},
        {10, 27, Target::None},
        {9, 20, Target::None},
        {10, 50, Target::ScreenMark},
        {21, 61, Target::ScreenMark},
        {21, 62, Target::None},
        {15, 40, Target::None},
        {190, 15, Target::UpArrow},
        {199, 20, Target::UpArrow},
        {200, 15, Target::None},
        {195, 21, Target::None},
        {195, 22, Target::None},
        {190, 23, Target::DownArrow},
        {199, 28, Target::DownArrow},
        {195, 29, Target::None},
        {189, 25, Target::None},
        // The caption and the edit box do nothing on a press.
        {60, 20, Target::None},
        {160, 20, Target::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScrollSpeedRules::targetAt(c.x, c.y), c.target) << c.x << "," << c.y;
}

TEST(ScrollSpeedRules, ClickChangesTheModeOrTheLines)
{
    struct Case
    {
        const char* what;
        int x;
        int y;
        std::uint8_t mode;
        std::uint8_t lines;
        bool changed;
        std::uint8_t modeAfter;
        std::uint8_t linesAfter;
    };
    const Case cases[] = {
        {"lines mark from screen", 15, 20, 1, 7, true, 0, 7},
        {"lines mark again", 15, 20, 0, 7, false, 0, 7},
        {"screen mark keeps the lines", 15, 55, 0, 7, true, 1, 7},
        {"screen mark from an unknown mode", 15, 55, 2, 7, true, 1, 7},
        {"up", 195, 18, 0, 3, true, 0, 4},
        {"up at the top", 195, 18, 0, 100, false, 0, 100},
        {"down", 195, 25, 0, 3, true, 0, 2},
        {"down at the bottom", 195, 25, 0, 1, false, 0, 1},
        {"up from a stored 0 steps from 1", 195, 18, 0, 0, true, 0, 2},
        {"down from a stored 200 steps from 100", 195, 25, 0, 200, true, 0, 99},
        {"up from a stored 200 stores 100", 195, 18, 0, 200, true, 0, 100},
        {"arrows work while scrolling by screen", 195, 18, 1, 9, true, 1, 10},
        {"a miss", 100, 40, 1, 9, false, 1, 9},
    };
    for (const Case& c : cases) {
        SettingsRecord record;
        record.setScrollMode(c.mode);
        record.setWheelScrollLines(c.lines);
        SettingsRecord expected = record;
        expected.setScrollMode(c.modeAfter);
        expected.setWheelScrollLines(c.linesAfter);
        EXPECT_EQ(ScrollSpeedRules::click(record, c.x, c.y), c.changed) << c.what;
        EXPECT_EQ(record, expected) << c.what;
    }
}

TEST(ScrollSpeedRules, CommittedTextGivesTheStoredLines)
{
    struct Case
    {
        const char* typed;
        int lines;
        const char* shown;
    };
    const Case cases[] = {
        {"5", 5, "5"},         {"100", 100, "100"},
        {"1", 1, "1"},         {"150", 1, "1"},
        {"101", 1, "1"},       {"0", 1, "1"},
        {"", 1, "1"},          {"abc", 1, "1"},
        {"-5", 1, "1"},        {"+7", 7, "7"},
        {"  42abc", 42, "42"}, {"007", 7, "7"},
        {"4 5", 4, "4"},       {"99999999999999999999999", 1, "1"},
    };
    for (const Case& c : cases) {
        const ScrollSpeedRules::Committed committed = ScrollSpeedRules::commitTyped(c.typed);
        EXPECT_EQ(committed.lines, c.lines) << '"' << c.typed << '"';
        EXPECT_EQ(committed.text, c.shown) << '"' << c.typed << '"';
    }
}

TEST(ScrollSpeedRules, ShowsStoredLinesWithinOneToHundred)
{
    const std::pair<std::uint8_t, int> cases[] = {{0, 1},     {1, 1},     {3, 3},
                                                  {100, 100}, {101, 100}, {255, 100}};
    for (const auto& [stored, shown] : cases)
        EXPECT_EQ(ScrollSpeedRules::shownLines(stored), shown) << int(stored);
}

} // namespace
} // namespace volantra
