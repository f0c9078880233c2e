#pragma once

#include <cstddef>
#include <string>

namespace volantra {

// The two views of the mouse picture in the middle of the main window.
enum class ButtonPictureView { Front, Side };

// The marks of the eight buttons on the mouse picture: one image per button and view,
// drawn over the picture, in a normal look and in an "over" look for the button whose
// menu is open. Positions are main-window pixels.
class ButtonPicture
{
public:
    static constexpr std::size_t kButtonCount = 8;

    struct Mark
    {
        std::string image;
        int x = 0;
        int y = 0;
    };

    // "/Mouse/Front/F-<n>-normal.png" or "-over.png" at its place, n = button + 1.
    static Mark mark(ButtonPictureView view, std::size_t button, bool over);
};

} // namespace volantra
