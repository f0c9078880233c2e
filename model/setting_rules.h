#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace volantra {

class SettingsRecord;

// Whole values from `lowest` to `highest` in steps of `step`, both ends included.
struct ValueRange
{
    int lowest = 0;
    int highest = 0;
    int step = 1;

    constexpr bool holds(int value) const
    {
        return value >= lowest && value <= highest && (value - lowest) % step == 0;
    }
    // The nearest end for a value outside; what a section shows for a stored byte.
    constexpr int nearest(int value) const
    {
        return value < lowest ? lowest : value > highest ? highest : value;
    }
};

// The values a user may give each setting of the record, in the record's own terms, and
// how they turn into what the mouse and the desktop take. The window's sections and
// `volantra-cli set` both check against these; the mouse refuses anything else.
namespace setting_rules {

// Stages 1 to 4, each 100 to 5000 DPI in steps of 50; the record keeps DPI / 50.
inline constexpr ValueRange kDpiStageNumbers{1, 4};
inline constexpr int kDpiPerStep = 50;
inline constexpr ValueRange kDpiSteps{2, 100};
constexpr int dpiOfStep(int step)
{
    return step * kDpiPerStep;
}
inline constexpr ValueRange kDpi{dpiOfStep(kDpiSteps.lowest), dpiOfStep(kDpiSteps.highest),
                                 kDpiPerStep};

// Reports a second and the milliseconds between reports the record keeps, fastest first.
struct ReportRate
{
    int reportsPerSecond;
    std::uint8_t interval;
};
inline constexpr std::array<ReportRate, 4> kReportRates{{{1000, 1}, {500, 2}, {250, 4}, {125, 8}}};
bool isReportInterval(int interval);

// Mode 0 is "no lighting mode chosen"; 1 to 3 are Standard, Respiration and Neon.
inline constexpr ValueRange kLightingModes{0, 3};
inline constexpr std::uint8_t kNoLightingMode = 0;
inline constexpr ValueRange kLightingLevelNumbers{1, 3};
inline constexpr ValueRange kLightingLevels{1, 6};

inline constexpr ValueRange kSensitivityLevels{1, 11};
inline constexpr ValueRange kAngleSnapLevels{1, 10};

// The Mouse Speed and Double Click Speed dials: a profile may hold 1 to 12. The dial's
// ring picks 2 to 12 only, because its left end is the step 2 image; 1 is still a value
// the desktop takes (the slowest pointer, the longest double-click time).
inline constexpr ValueRange kSpeedDials{1, 12};
// What the desktop is given for a dial value the record can hold: the pointer speed 1 for
// 1, else two per step (the fastest value asks for 22 and gets the fastest the desktop
// has), and a double-click time from 900 ms down in steps of 70 ms.
int pointerSpeedOfDial(int dial);
int doubleClickMillisecondsOfDial(int dial);

// The wheel scrolls a number of lines (0) or one screen (1) per step.
inline constexpr std::uint8_t kScrollByLines = 0;
inline constexpr std::uint8_t kScrollByScreen = 1;
inline constexpr ValueRange kScrollLines{1, 100};

inline constexpr ValueRange kButtonNumbers{1, 8};

// Some button must keep the left click, or the mouse could not click at all.
inline constexpr const char* kLeftClickMessage = "Left key must be selected!";
bool keepsLeftClick(const SettingsRecord& record);
// True when `button` (0 to 7) is the only one with the left click: it cannot be changed.
bool holdsTheOnlyLeftClick(const SettingsRecord& record, std::size_t button);

} // namespace setting_rules
} // namespace volantra
