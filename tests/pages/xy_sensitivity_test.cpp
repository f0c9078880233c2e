#include "model/settings_record.h"
#include "pages/panel_state.h"
#include "pages/xy_sensitivity.h"

#include <gtest/gtest.h>

namespace volantra {
namespace {

using XySensitivity::Axis;

TEST(XySensitivityTest, LevelOfAPixelOfTheSlider)
{
    struct Case
    {
        int pixel; // from the slider's left edge
        int level;
    };
    const Case cases[] = {{0, 1},   {8, 1},    {9, 2},    {29, 2},   {30, 3},   {50, 3}, {51, 4},
                          {176, 9}, {177, 10}, {197, 10}, {198, 11}, {207, 11}, {-5, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(XySensitivity::levelAt(37 + c.pixel, 37), c.level) << c.pixel;
}

TEST(XySensitivityTest, ClickStoresTheLevelOfTheSliderHit)
{
    // The section below the X/Y header of a closed Button Assignment: origin (20, 195).
    // X slider (37, 235)-(245, 244), Y slider (37, 295)-(245, 304).
    struct Case
    {
        int x;
        int y;
        bool hit;
        int xLevel;
        int yLevel;
    };
    const Case cases[] = {
        {37 + 8, 235, true, 1, 7},    {37 + 9, 243, true, 2, 7}, {37 + 197, 240, true, 10, 7},
        {37 + 198, 240, true, 11, 7}, {37 + 9, 295, true, 5, 2}, {37 + 207, 303, true, 5, 11},
        {245, 240, false, 5, 7},      {36, 240, false, 5, 7},    {40, 234, false, 5, 7},
        {40, 244, false, 5, 7},       {40, 294, false, 5, 7},    {40, 304, false, 5, 7},
        {40, 270, false, 5, 7}, // between the sliders, on the step captions
    };
    for (const Case& c : cases) {
        SettingsRecord record;
        record.setXSensitivity(5);
        record.setYSensitivity(7);
        const SettingsRecord before = record;
        EXPECT_EQ(XySensitivity::click(record, c.x, c.y, 20, 195), c.hit) << c.x << "," << c.y;
        EXPECT_EQ(record.xSensitivity(), c.xLevel) << c.x << "," << c.y;
        EXPECT_EQ(record.ySensitivity(), c.yLevel) << c.x << "," << c.y;
        // Nothing else of the record moves.
        SettingsRecord expected = before;
        expected.setXSensitivity(static_cast<std::uint8_t>(c.xLevel));
        expected.setYSensitivity(static_cast<std::uint8_t>(c.yLevel));
        EXPECT_EQ(record, expected);
    }
}

TEST(XySensitivityTest, SlidersMoveWithTheLeftPanel)
{
    PanelState state;
    ContentHeights heights;
    heights.buttonAssignment = 183;
    heights.xySensitivity = 137;
    state.setContentHeights(heights);
    state.toggle(LeftSection::ButtonAssignment);
    const Rect header = state.xyHeader();
    ASSERT_EQ(header.bottom, 378);

    const Rect x = XySensitivity::sliderRect(Axis::X, header.left, header.bottom);
    EXPECT_EQ(x, (Rect{37, 418, 245, 427}));
    EXPECT_EQ(XySensitivity::sliderRect(Axis::Y, header.left, header.bottom),
              (Rect{37, 478, 245, 487}));

    SettingsRecord record;
    record.setXSensitivity(4);
    // Where the X slider was with Button Assignment closed: nothing happens.
    EXPECT_FALSE(XySensitivity::click(record, 37 + 30, 240, header.left, header.bottom));
    EXPECT_EQ(record.xSensitivity(), 4);
    EXPECT_TRUE(XySensitivity::click(record, 37 + 30, 420, header.left, header.bottom));
    EXPECT_EQ(record.xSensitivity(), 3);
}

// A profile may hold any byte: the slider shows the nearest level it has an image for and
// the byte stays as loaded until the user clicks.
TEST(XySensitivityTest, StoredValuesOutsideTheSliderAreShownClamped)
{
    struct Case
    {
        std::uint8_t stored;
        int shown;
        const char* image;
    };
    const Case cases[] = {{0, 1, "/StageSlider/1.png"},    {1, 1, "/StageSlider/1.png"},
                          {6, 6, "/StageSlider/6.png"},    {11, 11, "/StageSlider/11.png"},
                          {12, 11, "/StageSlider/11.png"}, {255, 11, "/StageSlider/11.png"}};
    for (const Case& c : cases) {
        EXPECT_EQ(XySensitivity::shownLevel(c.stored), c.shown) << int(c.stored);
        EXPECT_EQ(XySensitivity::sliderImage(c.stored), c.image) << int(c.stored);
    }
}

} // namespace
} // namespace volantra
