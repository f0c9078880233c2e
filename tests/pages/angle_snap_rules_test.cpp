#include "model/settings_record.h"
#include "pages/angle_snap_rules.h"
#include "support/random_record.h"

#include <gtest/gtest.h>
#include <optional>

namespace volantra {
namespace {

constexpr int kSliderLeft = 20;
constexpr int kSliderTop = 106;
constexpr std::uint8_t kUnchanged = 0xEE;

struct SliderCase
{
    const char* what;
    int pixel; // from the slider's left edge
    int y;     // relative to the section's origin
    std::optional<std::uint8_t> level;
};

const SliderCase kSliderCases[] = {
    {"first pixel", 0, kSliderTop, 1},
    {"last pixel of the first step", 8, kSliderTop, 1},
    {"pixel 9 starts level 2", 9, kSliderTop, 2},
    {"last pixel of level 2", 29, kSliderTop, 2},
    {"first pixel of level 3", 30, kSliderTop, 3},
    {"last pixel of level 9", 176, kSliderTop, 9},
    {"first pixel of level 10", 177, kSliderTop, 10},
    {"pixel 197", 197, kSliderTop, 10},
    {"the last ten pixels stay at 10", 198, kSliderTop, 10},
    {"the slider's last pixel", 207, kSliderTop, 10},
    {"past the right edge", 208, kSliderTop, std::nullopt},
    {"left of the slider", -1, kSliderTop, std::nullopt},
    {"bottom row", 100, kSliderTop + 8, 6},
    {"below the slider, on the captions", 100, kSliderTop + 9, std::nullopt},
    {"above the slider", 100, kSliderTop - 1, std::nullopt},
    {"on the level picture", 100, 50, std::nullopt},
};

TEST(AngleSnapRulesTest, SliderSteps)
{
    for (const SliderCase& c : kSliderCases)
        EXPECT_EQ(AngleSnapRules::levelAt(kSliderLeft + c.pixel, c.y), c.level) << c.what;
}

TEST(AngleSnapRulesTest, EveryStepIsTwentyOnePixelsAfterTheFirst)
{
    for (int level = 2; level <= 10; ++level) {
        const int first = 9 + 21 * (level - 2);
        EXPECT_EQ(AngleSnapRules::levelAt(kSliderLeft + first, kSliderTop), level);
        EXPECT_EQ(AngleSnapRules::levelAt(kSliderLeft + first - 1, kSliderTop), level - 1);
    }
}

TEST(AngleSnapRulesTest, ClickStoresThePickedLevelAndNothingElse)
{
    for (const SliderCase& c : kSliderCases) {
        SettingsRecord record = test::randomRecord(11);
        record.setAngleSnapLevel(kUnchanged);
        const SettingsRecord before = record;
        EXPECT_EQ(AngleSnapRules::click(record, kSliderLeft + c.pixel, c.y), c.level.has_value())
            << c.what;
        SettingsRecord expected = before;
        expected.setAngleSnapLevel(c.level.value_or(kUnchanged));
        EXPECT_EQ(record, expected) << c.what;
    }
}

TEST(AngleSnapRulesTest, PickingTheStoredLevelIsNoChange)
{
    SettingsRecord record;
    record.setAngleSnapLevel(2);
    EXPECT_FALSE(AngleSnapRules::click(record, kSliderLeft + 9, kSliderTop));
    EXPECT_TRUE(AngleSnapRules::click(record, kSliderLeft + 30, kSliderTop));
    EXPECT_EQ(record.angleSnapLevel(), 3);
}

TEST(AngleSnapRulesTest, OutOfRangeLevelsAreShownClampedAndKeptUntilEdited)
{
    struct Case
    {
        std::uint8_t stored;
        const char* picture;
        const char* slider;
    };
    const Case cases[] = {
        {0, "/AngleSnap/1.png", "/StageSlider/1.png"},
        {1, "/AngleSnap/1.png", "/StageSlider/1.png"},
        {5, "/AngleSnap/5.png", "/StageSlider/5.png"},
        {10, "/AngleSnap/10.png", "/StageSlider/10.png"},
        {11, "/AngleSnap/10.png", "/StageSlider/10.png"},
        {255, "/AngleSnap/10.png", "/StageSlider/10.png"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AngleSnapRules::levelPicture(c.stored), c.picture) << int(c.stored);
        EXPECT_EQ(AngleSnapRules::sliderImage(c.stored), c.slider) << int(c.stored);

        SettingsRecord record;
        record.setAngleSnapLevel(c.stored);
        EXPECT_FALSE(AngleSnapRules::click(record, kSliderLeft + 100, kSliderTop + 20));
        EXPECT_EQ(record.angleSnapLevel(), c.stored);
    }

    // Choosing the level already shown for a 0 stores it.
    SettingsRecord record;
    record.setAngleSnapLevel(0);
    EXPECT_TRUE(AngleSnapRules::click(record, kSliderLeft, kSliderTop));
    EXPECT_EQ(record.angleSnapLevel(), 1);
}

TEST(AngleSnapRulesTest, CaptionsStartUnderTheirStepsAndShareTheRightEdge)
{
    struct Case
    {
        int level;
        Rect area;
    };
    const Case cases[] = {
        {1, {.left = 26, .top = 115, .right = 242, .bottom = 135}},
        {2, {.left = 47, .top = 115, .right = 242, .bottom = 135}},
        {10, {.left = 215, .top = 115, .right = 242, .bottom = 135}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AngleSnapRules::captionArea(c.level), c.area) << c.level;
}

} // namespace
} // namespace volantra
