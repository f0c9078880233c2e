#pragma once

namespace volantra {

class SkinImageSet;

// The main window's frame: its background with the title and bottom bars, the logo, the
// three panel backgrounds, the section headers, the scroll track and every button the
// window draws itself.
class MainWindowArt
{
public:
    static constexpr int kWidth = 994;  // the close button ends at x 994
    static constexpr int kHeight = 634; // the bottom buttons end at y 634
    static constexpr int kPanelTop = 32;
    static constexpr int kPanelBottom = 604; // where the bottom bar starts

    static void paint(SkinImageSet& images);
};

} // namespace volantra
