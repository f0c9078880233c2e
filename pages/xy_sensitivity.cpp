#include "pages/xy_sensitivity.h"

#include "model/setting_rules.h"
#include "model/settings_record.h"

#include <algorithm>

namespace volantra::XySensitivity {

namespace {

using setting_rules::kSensitivityLevels;

// The Y rows sit 60 pixels below the X rows.
int rowOffset(Axis axis)
{
    return axis == Axis::X ? 0 : 60;
}

constexpr int kSliderInset = 17;
constexpr int kSliderWidth = 208;
constexpr int kSliderHeight = 9;
constexpr int kSectionWidth = 242; // the captions run to the panel's right edge
constexpr int kFirstStepPixels = 9;
constexpr int kStepPixels = 21;

} // namespace

Rect sliderRect(Axis axis, int x0, int y0)
{
    return Rect::sized(x0 + kSliderInset, y0 + 40 + rowOffset(axis), kSliderWidth, kSliderHeight);
}

Rect axisCaptionRect(Axis axis, int x0, int y0)
{
    const int top = y0 + 20 + rowOffset(axis);
    return {x0 + kSliderInset, top, x0 + kSectionWidth, top + 20};
}

Rect stepCaptionRect(Axis axis, int step, int x0, int y0)
{
    const int top = y0 + 57 + rowOffset(axis);
    return {x0 + 24 + kStepPixels * (step - 1), top, x0 + kSectionWidth, top + 20};
}

int levelAt(int x, int sliderLeft)
{
    const int d = x - sliderLeft - kFirstStepPixels;
    if (d < 0)
        return kSensitivityLevels.lowest;
    return std::min(d / kStepPixels + 2, kSensitivityLevels.highest);
}

int shownLevel(std::uint8_t stored)
{
    return kSensitivityLevels.nearest(stored);
}

std::uint8_t storedLevel(const SettingsRecord& record, Axis axis)
{
    return axis == Axis::X ? record.xSensitivity() : record.ySensitivity();
}

std::string sliderImage(std::uint8_t stored)
{
    return "/StageSlider/" + std::to_string(shownLevel(stored)) + ".png";
}

bool click(SettingsRecord& record, int x, int y, int x0, int y0)
{
    for (const Axis axis : {Axis::X, Axis::Y}) {
        const Rect slider = sliderRect(axis, x0, y0);
        if (!slider.contains(x, y))
            continue;
        const auto level = static_cast<std::uint8_t>(levelAt(x, slider.left));
        if (axis == Axis::X)
            record.setXSensitivity(level);
        else
            record.setYSensitivity(level);
        return true;
    }
    return false;
}

} // namespace volantra::XySensitivity
