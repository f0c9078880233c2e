#pragma once

#include "common/rect.h"

#include <cstdint>
#include <optional>
#include <string>

namespace volantra {

class SettingsRecord;

// The Angle Snap section: a picture of the level and a horizontal slider of ten steps.
// Positions are pixels relative to the section's origin (its header's left and bottom
// edge).
class AngleSnapRules
{
public:
    static constexpr const char* kTitle = "Angle Snap";
    static constexpr const char* kBackground = "/AngleSnap/BK_AngleSnap.png";
    // The width of one step of the skin's slider images; the first step is narrower.
    static constexpr int kStepWidth = 21;
    static constexpr int kFirstStepWidth = 9;

    // The level picture; its top-left is where "/AngleSnap/<level>.png" is drawn.
    static constexpr Rect kPictureArea{.left = 20, .top = 10, .right = 227, .bottom = 95};
    // Where the slider answers; its top-left is where "/StageSlider/<level>.png" is drawn.
    static constexpr Rect kSliderArea{.left = 20, .top = 106, .right = 228, .bottom = 115};
    static constexpr int kCaptionsRight = 242;

    // The caption "1" to "10" under the slider's step of `level`, drawn left aligned.
    static Rect captionArea(int level);

    // The level a press at (x, y) picks; nothing outside the slider.
    static std::optional<std::uint8_t> levelAt(int x, int y);
    // Stores the picked level; true when the stored byte changed.
    static bool click(SettingsRecord& record, int x, int y);

    // A profile may hold any byte here: the section shows the nearest level and
    // leaves the byte alone until the user picks a level.
    static std::uint8_t shownLevel(std::uint8_t stored);
    // "/AngleSnap/<level>.png" and "/StageSlider/<level>.png" for the level shown.
    static std::string levelPicture(std::uint8_t stored);
    static std::string sliderImage(std::uint8_t stored);
};

} // namespace volantra
