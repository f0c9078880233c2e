#include "model/settings_record.h"
#include "pages/lighting_rules.h"
#include "support/random_record.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace volantra {
namespace {

// Positions relative to the section's origin: rows start 20, 49 and 78 below it.
struct PressCase
{
    const char* what;
    int x;
    int y;
    std::optional<int> mode; // the mode byte the press stores
    int levelRow = -1;       // the level the press stores, if any
    int level = 0;
};

const PressCase kPressCases[] = {
    {"Standard mark, top left", 10, 20, 1},
    {"Standard mark, bottom right", 19, 28, 1},
    {"right of the Standard mark", 20, 24, std::nullopt},
    {"below the Standard mark", 15, 29, std::nullopt},
    {"left of the Standard mark", 9, 24, std::nullopt},
    {"Respiration mark", 15, 49, 2},
    {"Neon mark, bottom right", 19, 86, 3},
    {"the Standard caption", 40, 24, std::nullopt},
    {"Standard slider, first pixel", 100, 20, std::nullopt, 0, 1},
    {"Standard slider, 3 pixels in", 103, 27, std::nullopt, 0, 1},
    {"Standard slider, 4 pixels in", 104, 20, std::nullopt, 0, 2},
    {"Standard slider, 33 pixels in", 133, 20, std::nullopt, 0, 2},
    {"Standard slider, 34 pixels in", 134, 20, std::nullopt, 0, 3},
    {"Standard slider, 123 pixels in", 223, 20, std::nullopt, 0, 5},
    {"Standard slider, 124 pixels in", 224, 20, std::nullopt, 0, 6},
    {"Standard slider, last pixel", 227, 27, std::nullopt, 0, 6},
    {"right of the Standard slider", 228, 20, std::nullopt},
    {"below the Standard slider", 150, 28, std::nullopt},
    {"Respiration slider, 64 pixels in", 164, 49, std::nullopt, 1, 4},
    {"Neon slider, 94 pixels in", 194, 85, std::nullopt, 2, 5},
    {"between the Respiration and Neon sliders", 150, 60, std::nullopt},
};

TEST(LightingRulesTest, PressStoresOnlyWhatItHits)
{
    for (const auto& c : kPressCases) {
        const SettingsRecord before = test::randomRecord(21);
        SettingsRecord record = before;
        const bool changed = LightingRules::press(record, c.x, c.y);
        SettingsRecord expected = before;
        if (c.mode)
            expected.setLightingMode(static_cast<std::uint8_t>(*c.mode));
        if (c.levelRow >= 0)
            expected.setLightingLevel(static_cast<std::size_t>(c.levelRow),
                                      static_cast<std::uint8_t>(c.level));
        EXPECT_EQ(record, expected) << c.what;
        EXPECT_EQ(changed, !(expected == before)) << c.what;
    }
}

TEST(LightingRulesTest, EachSliderKeepsItsOwnLevelAndTheMode)
{
    SettingsRecord record;
    record.setLightingMode(2);
    for (std::size_t row = 0; row < LightingRules::kRowCount; ++row)
        record.setLightingLevel(row, 3);
    EXPECT_TRUE(LightingRules::press(record, 224, 78)); // Neon slider, highest level
    EXPECT_EQ(record.lightingLevel(2), 6);
    EXPECT_EQ(record.lightingLevel(0), 3);
    EXPECT_EQ(record.lightingLevel(1), 3);
    EXPECT_EQ(record.lightingMode(), 2);
}

TEST(LightingRulesTest, ChoosingTheChosenModeAgainReportsNoChange)
{
    SettingsRecord record;
    record.setLightingMode(0);
    EXPECT_TRUE(LightingRules::press(record, 12, 22));
    EXPECT_EQ(record.lightingMode(), 1);
    EXPECT_FALSE(LightingRules::press(record, 12, 22));
    EXPECT_EQ(record.lightingMode(), 1);
    // Standard at the lowest level is kept as it is; the device image turns it into off.
    EXPECT_TRUE(LightingRules::press(record, 101, 22));
    EXPECT_EQ(record.lightingMode(), 1);
    EXPECT_EQ(record.lightingLevel(0), 1);
}

struct ModeCase
{
    int stored;
    std::optional<std::size_t> row;
};

const ModeCase kModeCases[] = {
    {0, std::nullopt}, {1, 0}, {2, 1}, {3, 2}, {4, std::nullopt}, {255, std::nullopt},
};

TEST(LightingRulesTest, OnlyModesOneToThreeMarkARow)
{
    for (const auto& c : kModeCases)
        EXPECT_EQ(LightingRules::chosenRow(static_cast<std::uint8_t>(c.stored)), c.row) << c.stored;
}

struct LevelImageCase
{
    int stored;
    const char* image;
};

const LevelImageCase kLevelImageCases[] = {
    {0, "/Lighting/1.png"}, {1, "/Lighting/1.png"}, {4, "/Lighting/4.png"},
    {6, "/Lighting/6.png"}, {7, "/Lighting/6.png"}, {255, "/Lighting/6.png"},
};

TEST(LightingRulesTest, OutOfRangeLevelsShowTheNearestBound)
{
    for (const auto& c : kLevelImageCases)
        EXPECT_EQ(LightingRules::sliderImage(static_cast<std::uint8_t>(c.stored)), c.image)
            << c.stored;
}

struct CaptionCase
{
    std::size_t row;
    std::size_t caption;
    const char* text;
    Rect area;
};

const CaptionCase kCaptionCases[] = {
    {0, 0, "0%", {100, 33, 130, 48}},   {0, 1, "25%", {125, 33, 155, 48}},
    {0, 4, "100%", {213, 33, 245, 48}}, {1, 0, "4S", {100, 62, 130, 77}},
    {1, 4, "8S", {220, 62, 250, 77}},   {2, 2, "9S", {160, 91, 190, 106}},
    {2, 4, "15S", {220, 91, 250, 106}},
};

TEST(LightingRulesTest, StepCaptionsSitUnderTheirSliders)
{
    for (const auto& c : kCaptionCases) {
        EXPECT_STREQ(LightingRules::stepCaptions(c.row)[c.caption].text, c.text);
        EXPECT_EQ(LightingRules::stepCaptionArea(c.row, c.caption), c.area) << c.text;
    }
}

} // namespace
} // namespace volantra
