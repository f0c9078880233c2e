#pragma once

#include "common/rect.h"

#include <cstdint>
#include <optional>
#include <string>

namespace volantra {

class SettingsRecord;

// The USB Report Rate section: a round control of four quadrants, one per rate, that
// answers only on its ring. Positions are pixels relative to the section's origin (its
// header's left and bottom edge); the control sits centred in the section's background.
class ReportRateRules
{
public:
    static constexpr const char* kTitle = "USB Report Rate";
    static constexpr const char* kBackground = "/USBReportRate/BK_USBReportRate.png";
    // The ring of the skin's control image, measured from its centre.
    static constexpr int kInnerRadius = 35;
    static constexpr int kOuterRadius = 64;
    static constexpr int kControlSize = 2 * kOuterRadius;
    static constexpr int kControlTop = 5;

    // The control's place depends on the width of the section's background image.
    explicit ReportRateRules(int backgroundWidth);

    // Where the control answers and where its image is drawn.
    Rect controlArea() const { return m_control; }

    // The interval a press at (x, y) picks: nothing outside the control, off the ring, or
    // on one of the axes through its centre, where no quadrant is meant.
    std::optional<std::uint8_t> intervalAt(int x, int y) const;
    // Stores the picked interval; true when the stored byte changed.
    bool click(SettingsRecord& record, int x, int y) const;

    // A profile may hold any byte here, 0 included. The section shows the fastest offered
    // rate that is not faster than the stored one (0 shows 1000 Hz, anything slower than
    // 125 Hz shows 125 Hz) and leaves the byte alone until the user picks a rate.
    static std::uint8_t shownInterval(std::uint8_t stored);
    static int shownRate(std::uint8_t stored);
    // "/USBReportRate/<rate>HZ.png" for the rate shown.
    static std::string rateImage(std::uint8_t stored);

private:
    Rect m_control;
};

} // namespace volantra
