#pragma once

#include "common/rect.h"

// Where the macro manager's lists, buttons, option boxes and texts stand on its background
// (dialog coordinates, right and bottom exclusive), as the default skin draws them.
namespace volantra::macro_manager_areas {

constexpr Rect kMacroList{21, 82, 130, 353};
constexpr Rect kEventList{153, 82, 262, 353};
constexpr Rect kLoopBox{298, 333, 379, 345};
constexpr Rect kClose{427, 17, 478, 41};
constexpr Rect kOk{298, 394, 352, 422};
constexpr Rect kCancel{354, 394, 408, 422};
constexpr Rect kNew{17, 367, 75, 392};
constexpr Rect kDelete{77, 367, 135, 392};
constexpr Rect kRecord{295, 87, 384, 111};
constexpr Rect kDelayOption{370, 144, 384, 158};
constexpr Rect kLoopOption{296, 314, 310, 328};
constexpr Rect kTitle{15, 0, 414, 31};
constexpr Rect kMacroHeading{16, 60, 134, 78};
constexpr Rect kEventHeading{148, 60, 266, 78};
constexpr Rect kOptionsHeading{279, 60, 397, 78};
constexpr Rect kLoopText{315, 314, 390, 328};
constexpr Rect kDelayText{290, 136, 370, 166};

} // namespace volantra::macro_manager_areas
