#include "model/settings_record.h"
#include "pages/apply_pointer_settings.h"
#include "pages/unsupported_setting_notice.h"
#include "support/memory_pointer_settings.h"

#include <gtest/gtest.h>

namespace volantra {
namespace {

constexpr std::size_t kPrecisionOffset = 0x033;

SettingsRecord recordWith(std::uint8_t precision, std::uint8_t speedDial, std::uint8_t mode,
                          std::uint8_t lines, std::uint8_t clickDial)
{
    SettingsRecord::Bytes bytes{};
    bytes[kPrecisionOffset] = precision;
    SettingsRecord record(bytes);
    record.setPointerSpeed(speedDial);
    record.setScrollMode(mode);
    record.setWheelScrollLines(lines);
    record.setDoubleClickSpeed(clickDial);
    return record;
}

TEST(ApplyPointerSettings, TurnsTheProfileIntoDesktopValues)
{
    struct Case
    {
        const char* what;
        std::uint8_t precision, speedDial, mode, lines, clickDial;
        PointerValues expected;
    };
    const Case cases[] = {
        {"straight up on both dials", 1, 7, 0, 3, 7, {true, 12, false, 3, 480}},
        {"slow ends from a profile", 0, 1, 0, 1, 1, {false, 1, false, 1, 900}},
        {"lowest dial picks", 1, 2, 0, 100, 2, {true, 2, false, 100, 830}},
        {"second fastest dial", 1, 11, 0, 3, 11, {true, 20, false, 3, 200}},
        // 2 x 12 - 2 = 22 is beyond the fastest speed.
        {"fastest dial", 1, 12, 0, 3, 12, {true, 20, false, 3, 130}},
        // Only 1 means on.
        {"precision byte 2 is off", 2, 7, 0, 3, 7, {false, 12, false, 3, 480}},
        {"scroll by screen", 1, 7, 1, 9, 7, {true, 12, true, 9, 480}},
        {"unknown scroll mode scrolls by screen", 1, 7, 5, 9, 7, {true, 12, true, 9, 480}},
        // Bytes no page can store: the nearest end, never a negative time or speed.
        {"dials at 0", 1, 0, 0, 3, 0, {true, 1, false, 3, 900}},
        {"dials at 14", 1, 14, 0, 3, 14, {true, 20, false, 3, 130}},
        {"dials at 255", 1, 255, 0, 3, 255, {true, 20, false, 3, 130}},
        {"no lines", 1, 7, 0, 0, 7, {true, 12, false, 1, 480}},
        {"too many lines", 1, 7, 0, 200, 7, {true, 12, false, 100, 480}},
    };
    for (const Case& c : cases) {
        const SettingsRecord record =
            recordWith(c.precision, c.speedDial, c.mode, c.lines, c.clickDial);
        const SettingsRecord before = record;
        EXPECT_EQ(pointerValuesFor(record), c.expected) << c.what;
        EXPECT_EQ(record, before) << c.what;
    }
}

TEST(ApplyPointerSettings, WritesEverySettingTheDesktopHasAndKeepsTheDials)
{
    MemoryPointerSettings desktop;
    SettingsRecord record = recordWith(1, 12, 0, 8, 12);
    const PointerReport report = applyPointerSettings(record, desktop);

    for (PointerSetting setting : kPointerSettings)
        EXPECT_TRUE(report[setting].applied()) << pointerSettingName(setting);
    EXPECT_EQ(desktop.current(), (PointerValues{true, 20, false, 8, 130}));
    EXPECT_EQ(desktop.applyCount(), 1);
    EXPECT_TRUE(report.failures().empty());
    // The dial keeps its stored 12, though the desktop was given 20.
    EXPECT_EQ(record.pointerSpeed(), 12);
}

TEST(ApplyPointerSettings, LeavesSettingsTheDesktopLacksAndSaysWhich)
{
    MemoryPointerSettings desktop("Plain", {PointerSetting::WheelScroll});
    const PointerValues before = desktop.current();
    const PointerReport report = applyPointerSettings(recordWith(0, 3, 1, 40, 9), desktop);

    EXPECT_TRUE(report[PointerSetting::WheelScroll].isUnsupported());
    EXPECT_EQ(report[PointerSetting::WheelScroll].message(),
              "Plain has no setting for how far a wheel step scrolls.");
    EXPECT_TRUE(report[PointerSetting::WheelScroll].status().ok());
    EXPECT_TRUE(report[PointerSetting::Speed].applied());
    EXPECT_EQ(desktop.current().scrollByScreen, before.scrollByScreen);
    EXPECT_EQ(desktop.current().scrollLines, before.scrollLines);
    EXPECT_EQ(desktop.current().speed, 4);
    EXPECT_EQ(desktop.current().doubleClickMilliseconds, 340);
    EXPECT_TRUE(report.failures().empty());
}

TEST(PointerReport, ListsFailuresInApplyOrder)
{
    PointerReport report;
    report.set(PointerSetting::DoubleClickTime,
               SettingOutcome::failed({Error::Kind::Permission, "double-click is locked"}));
    report.set(PointerSetting::WheelScroll, SettingOutcome::unsupported("no wheel setting"));
    report.set(PointerSetting::Speed, SettingOutcome::failed({Error::Kind::Io, "speed failed"}));

    EXPECT_EQ(report.failures(),
              (std::vector<std::string>{"speed failed", "double-click is locked"}));
    EXPECT_FALSE(report[PointerSetting::Speed].status().ok());
    EXPECT_EQ(report[PointerSetting::DoubleClickTime].status().error().kind,
              Error::Kind::Permission);
    EXPECT_TRUE(report[PointerSetting::Acceleration].applied());
}

TEST(UnsupportedSettingNotice, TellsEachMissingSettingOnce)
{
    UnsupportedSettingNotice notice;
    MemoryPointerSettings full;
    EXPECT_EQ(notice.take(applyPointerSettings(SettingsRecord(), full)), "");

    MemoryPointerSettings lacking("Plain",
                                  {PointerSetting::WheelScroll, PointerSetting::Acceleration});
    const SettingsRecord record = recordWith(1, 7, 0, 3, 7);
    EXPECT_EQ(notice.take(applyPointerSettings(record, lacking)),
              "Plain has no setting for the pointer acceleration (enhanced precision).\n"
              "Plain has no setting for how far a wheel step scrolls.\n"
              "The profile keeps these values.");
    EXPECT_EQ(notice.take(applyPointerSettings(record, lacking)), "");

    // A setting found missing later is told then, the others not again.
    MemoryPointerSettings lackingMore("Plain",
                                      {PointerSetting::WheelScroll, PointerSetting::Speed});
    EXPECT_EQ(notice.take(applyPointerSettings(record, lackingMore)),
              "Plain has no setting for the pointer speed.\nThe profile keeps these values.");
}

TEST(UnsupportedSettingNotice, GivesOneReasonSharedBySeveralSettingsOnce)
{
    PointerReport report;
    for (PointerSetting setting : kPointerSettings)
        report.set(setting, SettingOutcome::unsupported("This desktop has no pointer settings."));
    UnsupportedSettingNotice notice;
    EXPECT_EQ(notice.take(report),
              "This desktop has no pointer settings.\nThe profile keeps these values.");
}

} // namespace
} // namespace volantra
