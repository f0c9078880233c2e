#pragma once

#include <QPoint>
#include <QSize>

namespace volantra {

class SkinImageSet;

// The mouse pictures of the middle panel, seen from above (Front) and from its left side
// (Side), and the marks of its eight buttons: a numbered badge joined by a line to the
// button. Each mark's image has its top-left corner where the button-assignment panel
// draws it; the "normal" image is the picture itself at that spot and the "over" image
// the same spot with the mark lit, so the two can be drawn over each other in any order.
// The pictures are painted on the middle panel's background, which must already be in
// the set.
class MouseArt
{
public:
    static constexpr QPoint kFrontOrigin{335, 58};
    static constexpr QSize kFrontSize{328, 440};
    static constexpr QPoint kSideOrigin{362, 59};
    static constexpr QSize kSideSize{274, 440};

    static void paint(SkinImageSet& images);
};

} // namespace volantra
