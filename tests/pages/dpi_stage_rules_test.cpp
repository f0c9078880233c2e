#include "model/settings_record.h"
#include "pages/dpi_stage_rules.h"
#include "support/random_record.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace volantra {
namespace {

// The DPI section always sits at the top of the right panel: its origin is the bottom left
// of the first header, so the cases below are written in window coordinates.
constexpr int kOriginX = 734;
constexpr int kOriginY = 52;

struct HitCase
{
    const char* what;
    int x;
    int y;
    std::optional<std::size_t> stage;
};

const HitCase kBarCases[] = {
    {"stage 1, top left corner", 775, 90, 0},
    {"stage 1, bottom right corner", 784, 202, 0},
    {"stage 1, right edge is outside", 785, 150, std::nullopt},
    {"stage 1, left of the bar", 774, 150, std::nullopt},
    {"stage 1, above the bar", 775, 89, std::nullopt},
    {"stage 1, bottom edge is outside", 775, 203, std::nullopt},
    {"stage 2", 830, 120, 1},
    {"stage 3", 885, 150, 2},
    {"stage 4, bottom right corner", 944, 202, 3},
    {"between stages 2 and 3", 860, 150, std::nullopt},
    {"the value box of stage 1", 780, 225, std::nullopt},
    {"the colour box of stage 1", 780, 260, std::nullopt},
};

TEST(DpiStageRulesTest, BarsAnswerInsideTheirRectangles)
{
    for (const auto& c : kBarCases)
        EXPECT_EQ(DpiStageRules::barAt(c.x - kOriginX, c.y - kOriginY), c.stage) << c.what;
}

const HitCase kColourBoxCases[] = {
    {"stage 1, top left corner", 775, 255, 0},
    {"stage 1, bottom right corner", 784, 264, 0},
    {"stage 1, right edge is outside", 785, 260, std::nullopt},
    {"stage 1, bottom edge is outside", 780, 265, std::nullopt},
    {"stage 1, above the box", 780, 254, std::nullopt},
    {"stage 2", 830, 260, 1},
    {"stage 3", 890, 260, 2},
    {"stage 4", 935, 255, 3},
    {"the bar of stage 4", 940, 150, std::nullopt},
};

TEST(DpiStageRulesTest, ColourBoxesAnswerInsideTheirRectangles)
{
    for (const auto& c : kColourBoxCases)
        EXPECT_EQ(DpiStageRules::colourBoxAt(c.x - kOriginX, c.y - kOriginY), c.stage) << c.what;
}

struct HeightCase
{
    int y; // window coordinates
    int step;
};

const HeightCase kHeightCases[] = {
    {90, 100}, {102, 100}, // the top thirteen rows all give the highest step
    {103, 99}, {150, 52},  {199, 3},
    {200, 2},  {201, 2},   {202, 2}, // the bar's image would show 50 DPI here; the stage holds 100
    {203, 2},  {600, 2},             // dragged below the bar
    {89, 100}, {-40, 100},           // dragged above the bar
};

TEST(DpiStageRulesTest, HeightGivesOneStepPerRow)
{
    for (const auto& c : kHeightCases)
        EXPECT_EQ(DpiStageRules::stepAtHeight(c.y - kOriginY), c.step) << "y " << c.y;
}

TEST(DpiStageRulesTest, PressInABarStoresOnlyThatStage)
{
    const SettingsRecord before = test::randomRecord(7);
    for (std::size_t stage = 0; stage < DpiStageRules::kStageCount; ++stage) {
        SettingsRecord record = before;
        DpiStageRules rules;
        const Rect bar = DpiStageRules::levelBar(stage);
        EXPECT_TRUE(rules.press(record, bar.left + 3, bar.bottom - 1)) << "stage " << stage + 1;
        SettingsRecord expected = before;
        expected.setDpiStage(stage, 2);
        EXPECT_EQ(record, expected) << "stage " << stage + 1;
        EXPECT_EQ(rules.draggedStage(), stage);
    }
}

TEST(DpiStageRulesTest, PressOutsideTheBarsChangesNothing)
{
    const SettingsRecord before = test::randomRecord(8);
    const HitCase misses[] = {kBarCases[2], kBarCases[3],  kBarCases[4], kBarCases[5],
                              kBarCases[9], kBarCases[10], kBarCases[11]};
    for (const auto& c : misses) {
        SettingsRecord record = before;
        DpiStageRules rules;
        EXPECT_FALSE(rules.press(record, c.x - kOriginX, c.y - kOriginY)) << c.what;
        EXPECT_EQ(record, before) << c.what;
        EXPECT_FALSE(rules.draggedStage()) << c.what;
        EXPECT_FALSE(rules.drag(record, 0)) << c.what;
        EXPECT_EQ(record, before) << c.what;
    }
}

TEST(DpiStageRulesTest, DragFollowsTheHeightUntilRelease)
{
    SettingsRecord record;
    for (std::size_t stage = 0; stage < DpiStageRules::kStageCount; ++stage)
        record.setDpiStage(stage, 20);
    DpiStageRules rules;
    ASSERT_TRUE(rules.press(record, 890 - kOriginX, 150 - kOriginY));
    EXPECT_EQ(record.dpiStage(2), 52);

    // Only the height counts while dragging: the pointer may leave the bar sideways.
    EXPECT_TRUE(rules.drag(record, 120 - kOriginY));
    EXPECT_EQ(record.dpiStage(2), 82);
    EXPECT_FALSE(rules.drag(record, 120 - kOriginY));
    EXPECT_TRUE(rules.drag(record, 10 - kOriginY));
    EXPECT_EQ(record.dpiStage(2), 100);
    EXPECT_TRUE(rules.drag(record, 630 - kOriginY));
    EXPECT_EQ(record.dpiStage(2), 2);
    for (std::size_t other : {0u, 1u, 3u})
        EXPECT_EQ(record.dpiStage(other), 20) << "stage " << other + 1;

    rules.release();
    EXPECT_FALSE(rules.draggedStage());
    EXPECT_FALSE(rules.drag(record, 120 - kOriginY));
    EXPECT_EQ(record.dpiStage(2), 2);
}

TEST(DpiStageRulesTest, AMissedPressEndsAnEarlierDrag)
{
    SettingsRecord record;
    DpiStageRules rules;
    ASSERT_TRUE(rules.press(record, 780 - kOriginX, 150 - kOriginY));
    EXPECT_FALSE(rules.press(record, 860 - kOriginX, 150 - kOriginY));
    EXPECT_FALSE(rules.drag(record, 100 - kOriginY));
    EXPECT_EQ(record.dpiStage(0), 52);
}

struct TypedCase
{
    const char* text;
    int dpi;
};

const TypedCase kTypedCases[] = {
    {"800", 800},
    {"", 100},
    {"5", 100},
    {"12345", 5000},
    {"149", 149},
    {"150", 150},
    {"  2500", 2500},
    {"\t\n 450", 450},
    {"+300", 300},
    {"-300", 100},
    {"- 300", 100},
    {"3000abc", 3000},
    {"3 000", 100},
    {"abc", 100},
    {"++300", 100},
    {"99", 100},
    {"100", 100},
    {"5000", 5000},
    {"5001", 5000},
    {"000001250", 1250},
    {"99999999999999999999999", 5000},
    {"-99999999999999999999999", 100},
};

TEST(DpiStageRulesTest, TypedTextIsReadLikeADecimalNumberAndLimited)
{
    for (const auto& c : kTypedCases)
        EXPECT_EQ(DpiStageRules::typedDpi(c.text), c.dpi) << '"' << c.text << '"';
}

TEST(DpiStageRulesTest, CommittedTextStoresTheDpiDividedByFifty)
{
    for (const auto& c : kTypedCases) {
        const SettingsRecord before = test::randomRecord(11);
        SettingsRecord record = before;
        const bool changed = DpiStageRules::commitTypedText(record, 3, c.text);
        SettingsRecord expected = before;
        expected.setDpiStage(3, static_cast<std::uint8_t>(c.dpi / 50));
        EXPECT_EQ(record, expected) << '"' << c.text << '"';
        EXPECT_EQ(changed, before.dpiStage(3) != c.dpi / 50) << '"' << c.text << '"';
    }
}

TEST(DpiStageRulesTest, CommittingTheStoredValueReportsNoChange)
{
    SettingsRecord record;
    record.setDpiStage(0, 3);
    EXPECT_FALSE(DpiStageRules::commitTypedText(record, 0, "150"));
    EXPECT_FALSE(DpiStageRules::commitTypedText(record, 0, "199"));
    EXPECT_TRUE(DpiStageRules::commitTypedText(record, 0, "200"));
    EXPECT_EQ(record.dpiStage(0), 4);
}

struct ShownCase
{
    int stored;
    const char* image;
    const char* text;
};

const ShownCase kShownCases[] = {
    {0, "/DPISetting/DPIStage/2.png", "100"},      {1, "/DPISetting/DPIStage/2.png", "100"},
    {2, "/DPISetting/DPIStage/2.png", "100"},      {57, "/DPISetting/DPIStage/57.png", "2850"},
    {100, "/DPISetting/DPIStage/100.png", "5000"}, {101, "/DPISetting/DPIStage/100.png", "5000"},
    {255, "/DPISetting/DPIStage/100.png", "5000"},
};

TEST(DpiStageRulesTest, OutOfRangeStoredValuesShowTheNearestBound)
{
    for (const auto& c : kShownCases) {
        const auto stored = static_cast<std::uint8_t>(c.stored);
        EXPECT_EQ(DpiStageRules::barImage(stored), c.image) << c.stored;
        EXPECT_EQ(DpiStageRules::stageText(stored), c.text) << c.stored;
    }
}

} // namespace
} // namespace volantra
