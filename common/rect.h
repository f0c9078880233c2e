#pragma once

namespace volantra {

// A rectangle in pixels, as every geometry table of the window and its dialogs gives it:
// left and top inclusive, right and bottom exclusive.
struct Rect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect sized(int left, int top, int width, int height)
    {
        return {left, top, left + width, top + height};
    }

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool contains(int x, int y) const
    {
        return x >= left && x < right && y >= top && y < bottom;
    }

    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

} // namespace volantra
