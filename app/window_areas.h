#pragma once

#include "common/rect.h"

#include <array>
#include <optional>
#include <string_view>

namespace volantra {

// The main window's own buttons, at the spots its skin draws them (window coordinates,
// right and bottom exclusive).
enum class WindowButton { Reset, Cancel, Apply, Help, Minimise, Close, ProfileManager };

// How a button's caption sits in its caption area (always vertically centred).
enum class CaptionAlignment { Centred, Left };

struct WindowButtonLook
{
    WindowButton button;
    Rect area;
    std::string_view normalImage;
    std::string_view overImage;
    std::string_view caption; // English entry of the language tables; empty: none
    Rect captionArea;
    CaptionAlignment captionAlignment = CaptionAlignment::Centred;
};

// In the order a press tests them.
const std::array<WindowButtonLook, 7>& windowButtons();
std::optional<WindowButton> windowButtonAt(int x, int y);
const WindowButtonLook& windowButtonLook(WindowButton button);

// Whether a press at (x, y) closes an open help panel before it acts: every press does but
// those on Reset, Cancel and Save, tested before the help button, and the help button's
// own, which opens and closes the panel itself.
bool pressClosesHelpPanel(int x, int y);

// The bottom bar ends here; nothing of the panels may be drawn below it.
constexpr int kBottomBarTop = 604;

} // namespace volantra
