#include "pages/lighting_rules.h"

#include "model/setting_rules.h"
#include "model/settings_record.h"

#include <algorithm>
#include <stdexcept>

namespace volantra {
namespace {

using setting_rules::kLightingLevels;

constexpr int kFirstRowTop = 20;
constexpr int kRowPitch = 29;
constexpr int kMarkLeft = 10;
constexpr int kMarkRight = 20;
constexpr int kMarkHeight = 9;
// The mode captions reach to just before the sliders, so "Respiration" fits.
constexpr int kCaptionLeft = 23;
constexpr int kCaptionRight = 99;
constexpr int kSliderLeft = 100;
constexpr int kSliderRight = 228;
constexpr int kSliderHeight = 8;
constexpr int kStepCaptionTop = 13; // below the row's top
constexpr int kStepCaptionHeight = 15;
// The slider image's first step begins this many pixels in; each later step is 30 wide.
constexpr int kSliderLead = 4;
constexpr int kStepWidth = 30;

using Captions = std::array<LightingRules::StepCaption, LightingRules::kStepCaptionCount>;
constexpr std::array<Captions, LightingRules::kRowCount> kStepCaptions{{
    // "100%" starts two pixels early, so that it ends inside the section.
    {{{"0%", 0, 30}, {"25%", 25, 55}, {"50%", 55, 85}, {"75%", 85, 115}, {"100%", 113, 145}}},
    {{{"4S", 0, 30}, {"5S", 30, 60}, {"6S", 60, 90}, {"7S", 90, 120}, {"8S", 120, 150}}},
    {{{"3S", 0, 30}, {"6S", 30, 60}, {"9S", 60, 90}, {"12S", 90, 120}, {"15S", 120, 150}}},
}};

std::size_t checkedRow(std::size_t row)
{
    if (row >= LightingRules::kRowCount)
        throw std::out_of_range("lighting row");
    return row;
}

int rowTop(std::size_t row)
{
    return kFirstRowTop + kRowPitch * static_cast<int>(checkedRow(row));
}

} // namespace

const std::array<LightingRules::StepCaption, LightingRules::kStepCaptionCount>&
LightingRules::stepCaptions(std::size_t row)
{
    return kStepCaptions[checkedRow(row)];
}

Rect LightingRules::modeMark(std::size_t row)
{
    const int top = rowTop(row);
    return {kMarkLeft, top, kMarkRight, top + kMarkHeight};
}

Rect LightingRules::modeCaption(std::size_t row)
{
    const int top = rowTop(row);
    return {kCaptionLeft, top - 5, kCaptionRight, top + 14};
}

Rect LightingRules::slider(std::size_t row)
{
    const int top = rowTop(row);
    return {kSliderLeft, top, kSliderRight, top + kSliderHeight};
}

Rect LightingRules::stepCaptionArea(std::size_t row, std::size_t caption)
{
    if (caption >= kStepCaptionCount)
        throw std::out_of_range("lighting step caption");
    const StepCaption& step = stepCaptions(row)[caption];
    const int top = rowTop(row) + kStepCaptionTop;
    return {kSliderLeft + step.left, top, kSliderLeft + step.right, top + kStepCaptionHeight};
}

std::optional<std::size_t> LightingRules::modeMarkAt(int x, int y)
{
    for (std::size_t row = 0; row < kRowCount; ++row) {
        if (modeMark(row).contains(x, y))
            return row;
    }
    return std::nullopt;
}

std::optional<std::size_t> LightingRules::sliderAt(int x, int y)
{
    for (std::size_t row = 0; row < kRowCount; ++row) {
        if (slider(row).contains(x, y))
            return row;
    }
    return std::nullopt;
}

std::uint8_t LightingRules::levelAt(int offset)
{
    const int d = offset - kSliderLead;
    if (d < 0)
        return static_cast<std::uint8_t>(kLightingLevels.lowest);
    return static_cast<std::uint8_t>(std::min(d / kStepWidth + 2, kLightingLevels.highest));
}

std::optional<std::size_t> LightingRules::chosenRow(std::uint8_t mode)
{
    if (!setting_rules::kLightingModes.holds(mode) || mode == setting_rules::kNoLightingMode)
        return std::nullopt;
    return std::size_t{mode} - 1;
}

std::uint8_t LightingRules::shownLevel(std::uint8_t stored)
{
    return static_cast<std::uint8_t>(kLightingLevels.nearest(stored));
}

std::string LightingRules::sliderImage(std::uint8_t stored)
{
    return "/Lighting/" + std::to_string(shownLevel(stored)) + ".png";
}

bool LightingRules::press(SettingsRecord& record, int x, int y)
{
    if (const auto row = modeMarkAt(x, y)) {
        const auto mode = static_cast<std::uint8_t>(*row + 1);
        if (record.lightingMode() == mode)
            return false;
        record.setLightingMode(mode);
        return true;
    }
    if (const auto row = sliderAt(x, y)) {
        const std::uint8_t level = levelAt(x - slider(*row).left);
        if (record.lightingLevel(*row) == level)
            return false;
        record.setLightingLevel(*row, level);
        return true;
    }
    return false;
}

} // namespace volantra
