#include "model/settings_record.h"
#include "pages/report_rate_rules.h"
#include "support/random_record.h"

#include <gtest/gtest.h>
#include <optional>
#include <set>
#include <string>

namespace volantra {
namespace {

// The shipped background is as wide as the right panel's headers.
constexpr int kPanelWidth = 242;
constexpr std::uint8_t kUnchanged = 0xEE;

struct RingCase
{
    const char* what;
    int dx; // from the control's centre, screen y downwards
    int dy;
    std::optional<std::uint8_t> interval;
};

const RingCase kRingCases[] = {
    {"upper right, 40 right and 40 above", 40, -40, 1},
    {"upper left, 40 left and 40 above", -40, -40, 8},
    {"lower left", -40, 40, 4},
    {"lower right", 40, 40, 2},
    {"30 from the centre", 18, -24, std::nullopt},
    {"70 from the centre", 42, -56, std::nullopt},
    {"the centre", 0, 0, std::nullopt},
    {"inner edge, exactly 35", 21, -28, 1},
    {"inner edge, exactly 35, lower left", -28, 21, 4},
    {"just inside the hole", 21, -27, std::nullopt},
    {"outer edge, 45 by 45", 45, -45, 1},
    {"outer edge, 45 by 45 upper left", -45, -45, 8},
    {"just past the outer edge", 45, -46, std::nullopt},
    {"just past the outer edge, lower left", -46, 45, std::nullopt},
    {"right on the horizontal axis", 50, 0, std::nullopt},
    {"left on the horizontal axis", -50, 0, std::nullopt},
    {"top on the vertical axis", 0, -50, std::nullopt},
    {"bottom on the vertical axis", 0, 50, std::nullopt},
    {"left edge of the control on the axis", -64, 0, std::nullopt},
    {"top edge of the control on the axis", 0, -64, std::nullopt},
    {"one right of the vertical axis, above", 1, -50, 1},
    {"one left of the vertical axis, above", -1, -50, 8},
    {"one left of the vertical axis, below", -1, 50, 4},
    {"one right of the vertical axis, below", 1, 50, 2},
    {"one above the horizontal axis, right", 50, -1, 1},
    {"one below the horizontal axis, right", 50, 1, 2},
    {"one above the horizontal axis, left", -50, -1, 8},
    {"one below the horizontal axis, left", -50, 1, 4},
};

TEST(ReportRateRulesTest, ControlIsCentredFiveBelowTheHeader)
{
    struct Case
    {
        int backgroundWidth;
        Rect area;
    };
    const Case cases[] = {
        {kPanelWidth, {.left = 57, .top = 5, .right = 185, .bottom = 133}},
        {241, {.left = 56, .top = 5, .right = 184, .bottom = 133}},
        {128, {.left = 0, .top = 5, .right = 128, .bottom = 133}},
        // A missing background measures 0 wide: the control hangs left of the origin.
        {0, {.left = -64, .top = 5, .right = 64, .bottom = 133}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReportRateRules(c.backgroundWidth).controlArea(), c.area) << c.backgroundWidth;
}

TEST(ReportRateRulesTest, RingQuadrantsAndAxes)
{
    for (const int width : {kPanelWidth, 241, 0}) {
        const ReportRateRules rules(width);
        const int centreX = rules.controlArea().left + 64;
        const int centreY = 5 + 64;
        for (const RingCase& c : kRingCases) {
            EXPECT_EQ(rules.intervalAt(centreX + c.dx, centreY + c.dy), c.interval)
                << c.what << " (background " << width << " wide)";
        }
    }
}

TEST(ReportRateRulesTest, ClickStoresThePickedIntervalAndNothingElse)
{
    const ReportRateRules rules(kPanelWidth);
    for (const RingCase& c : kRingCases) {
        SettingsRecord record = test::randomRecord(7);
        record.setReportInterval(kUnchanged);
        const SettingsRecord before = record;
        const bool changed = rules.click(record, 121 + c.dx, 69 + c.dy);
        EXPECT_EQ(changed, c.interval.has_value()) << c.what;
        SettingsRecord expected = before;
        expected.setReportInterval(c.interval.value_or(kUnchanged));
        EXPECT_EQ(record, expected) << c.what;
    }
}

TEST(ReportRateRulesTest, PickingTheStoredRateIsNoChange)
{
    const ReportRateRules rules(kPanelWidth);
    SettingsRecord record;
    record.setReportInterval(8);
    EXPECT_FALSE(rules.click(record, 121 - 40, 69 - 40));
    EXPECT_EQ(record.reportInterval(), 8);
    EXPECT_TRUE(rules.click(record, 121 + 40, 69 + 40));
    EXPECT_EQ(record.reportInterval(), 2);
}

TEST(ReportRateRulesTest, StoredIntervalOfZeroIsShownAsFastestAndKeptUntilEdited)
{
    const ReportRateRules rules(kPanelWidth);
    SettingsRecord record;
    record.setReportInterval(0);
    EXPECT_EQ(ReportRateRules::rateImage(record.reportInterval()), "/USBReportRate/1000HZ.png");

    EXPECT_FALSE(rules.click(record, 121, 69)); // the hole in the ring
    EXPECT_FALSE(rules.click(record, 121 + 50, 69));
    EXPECT_EQ(record.reportInterval(), 0);

    // Picking the rate already shown still repairs the byte: the user chose it.
    EXPECT_TRUE(rules.click(record, 121 + 40, 69 - 40));
    EXPECT_EQ(record.reportInterval(), 1);
}

TEST(ReportRateRulesTest, ShownRateForEveryStoredByte)
{
    struct Case
    {
        std::uint8_t stored;
        int rate;
        const char* image;
    };
    const Case cases[] = {
        {0, 1000, "/USBReportRate/1000HZ.png"}, {1, 1000, "/USBReportRate/1000HZ.png"},
        {2, 500, "/USBReportRate/500HZ.png"},   {3, 250, "/USBReportRate/250HZ.png"},
        {4, 250, "/USBReportRate/250HZ.png"},   {5, 125, "/USBReportRate/125HZ.png"},
        {7, 125, "/USBReportRate/125HZ.png"},   {8, 125, "/USBReportRate/125HZ.png"},
        {9, 125, "/USBReportRate/125HZ.png"},   {255, 125, "/USBReportRate/125HZ.png"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReportRateRules::shownRate(c.stored), c.rate) << int(c.stored);
        EXPECT_EQ(ReportRateRules::rateImage(c.stored), c.image) << int(c.stored);
    }

    // Whatever a profile holds, the image is one the skin provides.
    const std::set<std::string> skinImages = {
        "/USBReportRate/1000HZ.png", "/USBReportRate/500HZ.png", "/USBReportRate/250HZ.png",
        "/USBReportRate/125HZ.png"};
    for (int stored = 0; stored <= 255; ++stored) {
        EXPECT_TRUE(skinImages.contains(ReportRateRules::rateImage(std::uint8_t(stored))))
            << stored;
    }
}

} // namespace
} // namespace volantra
