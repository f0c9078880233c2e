#include "pages/angle_snap_rules.h"

#include "model/setting_rules.h"
#include "model/settings_record.h"

#include <algorithm>

namespace volantra {
namespace {

constexpr int kCaptionTop = 115;
constexpr int kCaptionBottom = 135;
// The captions start a little right of their step, under the slider's marks.
constexpr int kFirstCaptionLeft = 26;

} // namespace

Rect AngleSnapRules::captionArea(int level)
{
    return {.left = kFirstCaptionLeft + kStepWidth * (level - 1),
            .top = kCaptionTop,
            // To the section's right edge: "10" is wider than the slider's last step.
            .right = kCaptionsRight,
            .bottom = kCaptionBottom};
}

std::optional<std::uint8_t> AngleSnapRules::levelAt(int x, int y)
{
    if (!kSliderArea.contains(x, y))
        return std::nullopt;
    const int intoSteps = x - kSliderArea.left - kFirstStepWidth;
    if (intoSteps < 0)
        return static_cast<std::uint8_t>(setting_rules::kAngleSnapLevels.lowest);
    // Past the first step each 21 pixels is one level; the slider's last pixels are wider
    // than a step and stay at the highest level.
    const int level = intoSteps / kStepWidth + 2;
    return static_cast<std::uint8_t>(std::min(level, setting_rules::kAngleSnapLevels.highest));
}

bool AngleSnapRules::click(SettingsRecord& record, int x, int y)
{
    const std::optional<std::uint8_t> picked = levelAt(x, y);
    if (!picked || *picked == record.angleSnapLevel())
        return false;
    record.setAngleSnapLevel(*picked);
    return true;
}

std::uint8_t AngleSnapRules::shownLevel(std::uint8_t stored)
{
    return static_cast<std::uint8_t>(setting_rules::kAngleSnapLevels.nearest(stored));
}

std::string AngleSnapRules::levelPicture(std::uint8_t stored)
{
    return "/AngleSnap/" + std::to_string(shownLevel(stored)) + ".png";
}

std::string AngleSnapRules::sliderImage(std::uint8_t stored)
{
    return "/StageSlider/" + std::to_string(shownLevel(stored)) + ".png";
}

} // namespace volantra
