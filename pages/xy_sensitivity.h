#pragma once

#include "common/rect.h"

#include <cstdint>
#include <string>

namespace volantra {

class SettingsRecord;

// The rules of the X/Y Sensitivity section: two ten-step sliders, one per axis, laid out
// below the section's header. Positions are given from the content's top-left (x0, y0),
// which is the header's left edge and bottom, so they move with the left panel.
namespace XySensitivity {

enum class Axis { X, Y };

// The slider images number the levels setting_rules allows, 1 to 11: the first nine pixels
// give 1, each following 21-pixel step one more, and the last ten pixels 11.
constexpr int kStepCaptionCount = 10;
constexpr const char* kBackground = "/XYSensitivity/BK_XYSensSetting.png";

Rect sliderRect(Axis axis, int x0, int y0);
// The caption "X axis" or "Y axis" above the slider.
Rect axisCaptionRect(Axis axis, int x0, int y0);
// Step caption 1 to 10 below the slider.
Rect stepCaptionRect(Axis axis, int step, int x0, int y0);

// The level a click at x gives on a slider whose left edge is sliderLeft.
int levelAt(int x, int sliderLeft);

// The level drawn for a stored byte: a profile may hold any byte, the slider shows the
// nearest level it has an image for.
int shownLevel(std::uint8_t stored);
std::uint8_t storedLevel(const SettingsRecord& record, Axis axis);
// "/StageSlider/<level>.png" for the level shown.
std::string sliderImage(std::uint8_t stored);

// A press at (x, y): on a slider it stores that axis's level and returns true; anywhere
// else nothing changes.
bool click(SettingsRecord& record, int x, int y, int x0, int y0);

} // namespace XySensitivity
} // namespace volantra
