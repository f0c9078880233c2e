#include "app/window_areas.h"

namespace volantra {

const std::array<WindowButtonLook, 7>& windowButtons()
{
    static const std::array<WindowButtonLook, 7> buttons{{
        {WindowButton::Reset,
         {798, 604, 855, 634},
         "/button-cancel-normal.png",
         "/button-cancel-over.png",
         "Reset",
         {798, 604, 855, 634}},
        {WindowButton::Cancel,
         {860, 604, 917, 634},
         "/button-cancel-normal.png",
         "/button-cancel-over.png",
         "Cancel",
         {860, 604, 917, 634}},
        {WindowButton::Apply,
         {923, 604, 980, 634},
         "/button-save-normal.png",
         "/button-save-over.png",
         "Save",
         {923, 604, 980, 634}},
        {WindowButton::Help,
         {937, 5, 952, 20},
         "/button-help-normal.png",
         "/button-help-over.png",
         "",
         {}},
        {WindowButton::Minimise,
         {958, 5, 973, 20},
         "/button-min-normal.png",
         "/button-min-over.png",
         "",
         {}},
        {WindowButton::Close,
         {979, 5, 994, 20},
         "/button-close-normal.png",
         "/button-close-over.png",
         "",
         {}},
        {WindowButton::ProfileManager,
         {18, 604, 90, 634},
         "/button-config-normal.png",
         "/button-config-over.png",
         "Config",
         {43, 604, 90, 634},
         CaptionAlignment::Left},
    }};
    return buttons;
}

std::optional<WindowButton> windowButtonAt(int x, int y)
{
    for (const WindowButtonLook& look : windowButtons()) {
        if (look.area.contains(x, y))
            return look.button;
    }
    return std::nullopt;
}

bool pressClosesHelpPanel(int x, int y)
{
    switch (windowButtonAt(x, y).value_or(WindowButton::Close)) {
    case WindowButton::Reset:
    case WindowButton::Cancel:
    case WindowButton::Apply:
    case WindowButton::Help:
        return false;
    case WindowButton::Minimise:
    case WindowButton::Close:
    case WindowButton::ProfileManager:
        break;
    }
    return true;
}

const WindowButtonLook& windowButtonLook(WindowButton button)
{
    for (const WindowButtonLook& look : windowButtons()) {
        if (look.button == button)
            return look;
    }
    return windowButtons().front();
}

} // namespace volantra
