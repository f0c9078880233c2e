#include "model/settings_record.h"
#include "pages/speed_dial_rules.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>

namespace volantra {
namespace {

// The right panel is 242 pixels wide, so the dial's centre is at (121, 91) of the section.
constexpr int kWidth = 242;
constexpr int kCentreX = 121;
constexpr int kCentreY = 91;

TEST(SpeedDialRules, PlacesTheDialAndCaptionsByTheBackgroundWidth)
{
    EXPECT_EQ(SpeedDialRules::area(kWidth), (Rect{50, 20, 192, 103}));
    EXPECT_EQ(SpeedDialRules::slowCaption(kWidth), (Rect{16, 73, 50, 103}));
    EXPECT_EQ(SpeedDialRules::fastCaption(kWidth), (Rect{192, 73, 226, 103}));
    // Half an odd width is rounded down.
    EXPECT_EQ(SpeedDialRules::area(241), (Rect{49, 20, 191, 103}));
}

TEST(SpeedDialRules, PicksTheValueUnderThePress)
{
    struct Case
    {
        const char* where;
        int dx;
        int dy;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"right horizontal, inner edge", 43, 0, 12},
        {"right horizontal, last column of the dial", 70, 0, 12},
        {"right horizontal, outside the rectangle", 71, 0, std::nullopt},
        {"just above the right horizontal", 60, -1, 11},
        {"17.6 degrees", 60, -19, 11},
        {"18.4 degrees", 60, -20, 10},
        {"45 degrees", 40, -40, 9},
        {"just right of straight up", 1, -60, 7},
        {"straight up, inner edge", 0, -43, 7},
        {"straight up, top row of the dial", 0, -71, 7},
        {"just left of straight up", -1, -60, 6},
        {"135 degrees", -40, -40, 4},
        {"just above the left horizontal", -60, -1, 2},
        {"left horizontal, inner edge", -43, 0, 2},
        {"left horizontal, first column of the dial", -71, 0, 2},
        {"left horizontal, left of the rectangle", -72, 0, std::nullopt},
        {"below the centre, right", 50, 1, std::nullopt},
        {"below the centre, left", -50, 1, std::nullopt},
        {"straight below the centre", 0, 5, std::nullopt},
        {"the centre", 0, 0, std::nullopt},
        {"inside the inner radius", 42, 0, std::nullopt},
        {"inside the inner radius, up", 0, -42, std::nullopt},
        {"inside the inner radius, diagonal", -30, -30, std::nullopt},
        {"beyond the outer radius", 50, -51, std::nullopt},
        {"beyond the outer radius, left", -51, -50, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<std::uint8_t> value =
            SpeedDialRules::valueAt(kCentreX + c.dx, kCentreY + c.dy, kWidth);
        EXPECT_EQ(value ? std::optional<int>(*value) : std::nullopt, c.value) << c.where;
    }
}

// The angle counted with quotients of the two distances, which is defined everywhere above
// the centre except straight up (there 90 degrees): atan2 must give the same value there.
int valueByQuotients(int dx, int dy)
{
    const double toDegrees = 180.0 / 3.1415926;
    double degrees = 90.0;
    if (dx > 0)
        degrees = std::atan(double(-dy) / dx) * toDegrees;
    else if (dx < 0)
        degrees = 90.0 + std::atan(double(-dx) / -dy) * toDegrees;
    return static_cast<int>(12 - degrees / 18);
}

TEST(SpeedDialRules, AgreesWithTheQuotientAngleEverywhereAboveTheCentre)
{
    int compared = 0;
    for (int dy = -71; dy < 0; ++dy) {
        for (int dx = -71; dx < 71; ++dx) {
            const int squared = dx * dx + dy * dy;
            if (squared < 43 * 43 || squared > 71 * 71)
                continue;
            const std::optional<std::uint8_t> value =
                SpeedDialRules::valueAt(kCentreX + dx, kCentreY + dy, kWidth);
            ASSERT_TRUE(value) << dx << "," << dy;
            ASSERT_EQ(*value, valueByQuotients(dx, dy)) << dx << "," << dy;
            ++compared;
        }
    }
    EXPECT_GT(compared, 4000);
}

TEST(SpeedDialRules, ClickStoresTheValueOfItsOwnDial)
{
    struct Case
    {
        SpeedDialRules::Purpose purpose;
        int dx;
        int dy;
        std::uint8_t speedBefore;
        std::uint8_t clickBefore;
        bool changed;
        std::uint8_t speedAfter;
        std::uint8_t clickAfter;
    };
    using P = SpeedDialRules::Purpose;
    const Case cases[] = {
        {P::PointerSpeed, 0, -60, 3, 4, true, 7, 4},
        {P::DoubleClickSpeed, 0, -60, 3, 4, true, 3, 7},
        {P::PointerSpeed, 60, 0, 3, 4, true, 12, 4},
        {P::DoubleClickSpeed, -60, 0, 3, 4, true, 3, 2},
        // The same value again changes nothing, and neither does a miss.
        {P::PointerSpeed, 0, -60, 7, 4, false, 7, 4},
        {P::DoubleClickSpeed, 0, 10, 3, 4, false, 3, 4},
        // A press replaces a value no press can give.
        {P::PointerSpeed, 0, -60, 14, 0, true, 7, 0},
    };
    for (const Case& c : cases) {
        SettingsRecord record;
        record.setPointerSpeed(c.speedBefore);
        record.setDoubleClickSpeed(c.clickBefore);
        SettingsRecord expected = record;
        expected.setPointerSpeed(c.speedAfter);
        expected.setDoubleClickSpeed(c.clickAfter);
        EXPECT_EQ(
            SpeedDialRules::click(record, c.purpose, kCentreX + c.dx, kCentreY + c.dy, kWidth),
            c.changed)
            << c.dx << "," << c.dy;
        EXPECT_EQ(record, expected) << c.dx << "," << c.dy;
    }
}

TEST(SpeedDialRules, ShowsStoredValuesOutsideTheDialAtItsNearestEnd)
{
    struct Case
    {
        std::uint8_t stored;
        int shown;
        const char* image;
    };
    const Case cases[] = {
        {0, 1, "/MouseAttribute/Speed/1.png"},     {1, 1, "/MouseAttribute/Speed/1.png"},
        {2, 2, "/MouseAttribute/Speed/2.png"},     {7, 7, "/MouseAttribute/Speed/7.png"},
        {12, 12, "/MouseAttribute/Speed/12.png"},  {14, 12, "/MouseAttribute/Speed/12.png"},
        {255, 12, "/MouseAttribute/Speed/12.png"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SpeedDialRules::shownValue(c.stored), c.shown) << int(c.stored);
        EXPECT_EQ(SpeedDialRules::imagePath(c.stored), c.image) << int(c.stored);
    }
}

} // namespace
} // namespace volantra
