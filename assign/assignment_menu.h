#pragma once

#include "common/rect.h"
#include "model/button_function.h"
#include "model/setting_rules.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace volantra {

class SettingsRecord;

// The menus of the Button Assignment section: a box per button that shows its label and
// opens the button's function list, the submenus of five entries of that list, the rule
// that keeps one button on the left click, and which button the mouse picture marks.
//
// Positions are pixels relative to the section's origin (its header's left and bottom
// edge). The lists are child windows of the main window and reach past the section.
class AssignmentMenu
{
public:
    static constexpr std::size_t kButtonCount = 8;
    static constexpr const char* kTitle = "Button Assignment";
    static constexpr const char* kBackground = "/ButtonAssignment/BK_ButtonAssignment.png";
    static constexpr const char* kBoxNormalImage = "/ButtonAssignment/DropdownBox-normal.png";
    static constexpr const char* kBoxOverImage = "/ButtonAssignment/DropdownBox-over.png";
    static constexpr const char* kBoxLeaveImage = "/ButtonAssignment/DropdownBox-leave.png";
    static constexpr const char* kLeftClickGuardMessage = setting_rules::kLeftClickMessage;
    static constexpr const char* kLeftClickGuardCaption = "Warning";

    // A list window: where it sits, its rows and their height, and the width of its frame
    // (none where the rows fill the whole height, so no scroll bar is ever needed).
    struct ListLayout
    {
        Rect area;
        std::size_t rows = 0;
        int rowHeight = 0;
        int frame = 0;
    };

    enum class BoxLook { Normal, Over, Leave };
    enum class BoxClick {
        Opened,  // the button's function list opened
        Closed,  // its list was open and closed
        Refused, // the left-click guard kept the list closed
    };
    // What a click on a function list entry leads to.
    enum class EntryAction { Assign, None, SingleKeyDialog, ComboKeyDialog, MacroKeyDialog };

    static Rect box(std::size_t button);
    // Where "Button 1" to "Button 8" stand, left of the boxes.
    static Rect caption(std::size_t button);
    static std::string captionKey(std::size_t button);
    static std::optional<std::size_t> boxAt(int x, int y);

    // The fourteen entries of a button's function list, one per kind in kind order.
    static ListLayout functionList(std::size_t button);
    static bool isSubmenuOwner(ButtonFunctionKind kind);
    // The submenu of `owner` for the list of `button`: "Scroll Select" and "CPI Cycle"
    // open downward from their entry, the other three upward to the entry's bottom edge.
    // Nothing for a kind without a submenu.
    static std::optional<ListLayout> submenu(ButtonFunctionKind owner, std::size_t button);
    static EntryAction actionOf(std::size_t entry);

    // A press in a box: opens the button's list, or closes it when it is open. Any other
    // button's list closes first; a button that is the only one with the left click
    // (setting_rules::holdsTheOnlyLeftClick) then does not open its list.
    BoxClick clickBox(std::size_t button, const SettingsRecord& record);
    // A press anywhere else in the window closes the open list and submenu; true when
    // something closed.
    bool closeMenus();

    std::optional<std::size_t> openButton() const { return m_openButton; }
    std::optional<ButtonFunctionKind> openSubmenu() const { return m_openSubmenu; }

    // The pointer rests on `entry` of the open function list: an owner entry opens its
    // submenu, any other entry closes the one open. True when the open submenu changed.
    bool hoverEntry(std::size_t entry);

    // The open list's entry was chosen (assigned, or its dialog ended): the list and its
    // submenu close and the box shows the "leave" look until the pointer moves on.
    void entryChosen();
    // An entry of the open submenu was chosen: both lists close, the box looks normal.
    void submenuEntryChosen();

    // The pointer moved to `box` (nothing: no box). A box under the pointer looks "over";
    // when the pointer is over no box, every box it visited whose list is closed looks
    // normal again and the mouse picture drops its mark. True when a look changed.
    bool pointerAt(std::optional<std::size_t> box);
    BoxLook boxLook(std::size_t button) const { return m_looks.at(button); }
    static const char* boxImage(BoxLook look);
    // The button marked on the mouse picture: the one whose list was opened last, until
    // the pointer leaves the boxes with its list closed.
    std::optional<std::size_t> highlightedButton() const { return m_highlighted; }

    // The section was drawn anew: every box normal, no list open, no mark.
    void reset();

private:
    std::optional<std::size_t> m_openButton;
    std::optional<ButtonFunctionKind> m_openSubmenu;
    std::optional<std::size_t> m_highlighted;
    std::array<BoxLook, kButtonCount> m_looks{};
    std::array<bool, kButtonCount> m_needsRepaint{};
};

} // namespace volantra
