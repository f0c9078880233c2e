#pragma once

namespace volantra {

// A rectangle of the main window in client pixels: left and top inclusive, right and
// bottom exclusive, the way the window's hit areas are given.
struct PanelRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr PanelRect sized(int left, int top, int width, int height)
    {
        return {left, top, left + width, top + height};
    }

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool contains(int x, int y) const
    {
        return x >= left && x < right && y >= top && y < bottom;
    }

    friend constexpr bool operator==(const PanelRect&, const PanelRect&) = default;
};

} // namespace volantra
