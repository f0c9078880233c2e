#pragma once

#include "common/rect.h"

// Where the profile manager's title, list and buttons stand on its background (panel
// coordinates, right and bottom exclusive), as the default skin draws them.
namespace volantra::profile_manager_areas {

constexpr Rect kTitle{10, 0, 210, 31};
constexpr Rect kClose{240, 8, 255, 23};
// The New row: the whole row is pressable, its image and text stand inside it.
constexpr Rect kNew{0, 575, 263, 598};
constexpr int kNewImageLeft = 14;
constexpr int kNewImageTop = 582;
constexpr Rect kNewText{30, 575, 80, 598};
constexpr Rect kList{0, 31, 263, 575};

} // namespace volantra::profile_manager_areas
