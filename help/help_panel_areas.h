#pragma once

#include "common/rect.h"

// Where the help panel's lines and buttons stand on its background (panel coordinates,
// right and bottom exclusive), as the default skin draws them.
namespace volantra::help_panel_areas {

constexpr Rect kWebAddress{0, 0, 166, 25};
constexpr Rect kUpdate{0, 26, 166, 49};
constexpr Rect kVersion{0, 50, 166, 77};
constexpr Rect kClose{352, 6, 370, 24};
constexpr Rect kOk{250, 250, 308, 275};
constexpr Rect kCancel{314, 250, 372, 275};

} // namespace volantra::help_panel_areas
