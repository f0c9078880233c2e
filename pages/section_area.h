#pragma once

namespace volantra {

// A rectangle of a section's content in pixels relative to the section's origin (its
// header's left and bottom edge): left and top inclusive, right and bottom exclusive.
struct SectionArea
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool contains(int x, int y) const
    {
        return x >= left && x < right && y >= top && y < bottom;
    }
    friend bool operator==(const SectionArea&, const SectionArea&) = default;
};

} // namespace volantra
