#pragma once

#include "common/rect.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace volantra {

class SettingsRecord;

// The Scroll Speed section: two marks choose between scrolling a number of lines and one
// screen per wheel step, an edit box with up and down arrows holds the number of lines.
// Positions are pixels relative to the section's origin (its header's left and bottom
// edge), rectangles with exclusive right and bottom edges.
class ScrollSpeedRules
{
public:
    static constexpr const char* kTitle = "Scroll Speed";
    static constexpr const char* kBackground = "/MouseAttribute/BK_ScrollSpeed.png";
    static constexpr const char* kLinesCaption = "The number of rows";
    static constexpr const char* kScreenCaption = "Scroll one screen";
    static constexpr const char* kLinesFrame = "/MouseAttribute/ScrollSpeed/ScrollLines.png";
    static constexpr const char* kChosenMark = "/MouseAttribute/ScrollSpeed/Enable.png";
    static constexpr const char* kOtherMark = "/MouseAttribute/ScrollSpeed/Disable.png";

    static constexpr Rect kLinesMark{10, 15, 22, 27};
    static constexpr Rect kScreenMark{10, 50, 22, 62};
    static constexpr Rect kLinesCaptionArea{27, 15, 142, 27};
    static constexpr Rect kScreenCaptionArea{27, 50, 142, 62};
    // The frame image and the edit box over it.
    static constexpr Rect kLinesBox{150, 15, 186, 29};
    static constexpr Rect kUpArrow{190, 15, 200, 21};
    static constexpr Rect kDownArrow{190, 23, 200, 29};

    enum class Target { None, LinesMark, ScreenMark, UpArrow, DownArrow };
    static Target targetAt(int x, int y);

    // A press at (x, y): a mark stores its mode, an arrow one line more or fewer within
    // 1 to 100. True when the record changed.
    static bool click(SettingsRecord& record, int x, int y);

    // Any mode other than 0 scrolls by screen, as when the settings are applied.
    static bool scrollsByScreen(std::uint8_t storedMode);
    // A profile may hold any byte: the box shows the nearest count from 1 to 100, which is
    // also what is applied, and the byte stays until the user edits it.
    static int shownLines(std::uint8_t stored);

    // What typed text gives when the edit is committed (Enter or leaving the box), read
    // the way the platform reads numbers: leading blanks and a sign, then the digits up to
    // the first other character; no digits give 0. A count outside 1 to 100 gives 1. The
    // box then shows `text`, the stored count in decimal.
    struct Committed
    {
        std::uint8_t lines = 1;
        std::string text;
        friend bool operator==(const Committed&, const Committed&) = default;
    };
    static Committed commitTyped(std::string_view typed);
};

} // namespace volantra
