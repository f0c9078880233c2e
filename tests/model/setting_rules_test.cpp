#include "model/setting_rules.h"
#include "model/settings_record.h"

#include <gtest/gtest.h>

namespace volantra {
namespace {

using namespace setting_rules;

TEST(ValueRange, HoldsItsEndsAndItsStepsOnly)
{
    struct Case
    {
        ValueRange range;
        int value;
        bool held;
        int nearest;
    } cases[] = {
        {kDpi, 100, true, 100},       {kDpi, 5000, true, 5000},     {kDpi, 150, true, 150},
        {kDpi, 125, false, 125},      {kDpi, 50, false, 100},       {kDpi, 5050, false, 5000},
        {kDpi, -50, false, 100},      {kSpeedDials, 1, true, 1},    {kSpeedDials, 0, false, 1},
        {kSpeedDials, 13, false, 12}, {kLightingModes, 0, true, 0}, {kLightingModes, 4, false, 3},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.range.holds(c.value), c.held) << c.value;
        EXPECT_EQ(c.range.nearest(c.value), c.nearest) << c.value;
    }
}

// The mouse counts milliseconds between reports, users count reports a second.
TEST(SettingRules, EveryReportRateIsAThousandMillisecondsOverItsInterval)
{
    for (const ReportRate& rate : kReportRates) {
        EXPECT_EQ(rate.reportsPerSecond * rate.interval, 1000) << rate.reportsPerSecond;
        EXPECT_TRUE(isReportInterval(rate.interval));
    }
    for (const int other : {0, 3, 5, 16, 255})
        EXPECT_FALSE(isReportInterval(other)) << other;
}

TEST(SettingRules, TheStoredDpiStepsAreTheDpiRange)
{
    EXPECT_EQ(dpiOfStep(kDpiSteps.lowest), kDpi.lowest);
    EXPECT_EQ(dpiOfStep(kDpiSteps.highest), kDpi.highest);
    EXPECT_EQ(kDpi.step, kDpiPerStep);
}

TEST(SettingRules, SomeButtonKeepsTheLeftClick)
{
    SettingsRecord record;
    for (std::size_t button = 0; button < SettingsRecord::kButtonCount; ++button)
        record.setButtonKind(button, 1);
    EXPECT_FALSE(keepsLeftClick(record));
    record.setButtonKind(7, 0);
    EXPECT_TRUE(keepsLeftClick(record));
}

} // namespace
} // namespace volantra
