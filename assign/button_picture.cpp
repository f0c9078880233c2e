#include "assign/button_picture.h"

#include <array>

namespace volantra {
namespace {

struct Place
{
    int x;
    int y;
};

// Where each button's mark lies over the picture of the skin's mouse.
constexpr std::array<Place, ButtonPicture::kButtonCount> kFront{{
    {335, 100},
    {515, 100},
    {473, 176},
    {335, 163},
    {335, 189},
    {473, 250},
    {335, 227},
    {335, 262},
}};
constexpr std::array<Place, ButtonPicture::kButtonCount> kSide{{
    {362, 80},
    {480, 88},
    {509, 171},
    {362, 160},
    {362, 186},
    {533, 250},
    {362, 220},
    {362, 265},
}};

} // namespace

ButtonPicture::Mark ButtonPicture::mark(ButtonPictureView view, std::size_t button, bool over)
{
    const bool front = view == ButtonPictureView::Front;
    const Place place = front ? kFront.at(button) : kSide.at(button);
    std::string image = front ? "/Mouse/Front/F-" : "/Mouse/Side/S-";
    image += std::to_string(button + 1);
    image += over ? "-over.png" : "-normal.png";
    return {std::move(image), place.x, place.y};
}

} // namespace volantra
