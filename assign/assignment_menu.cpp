#include "assign/assignment_menu.h"

#include "model/function_submenus.h"
#include "model/settings_record.h"

namespace volantra {
namespace {

// The boxes sit one row of 20 pixels apart; the function list starts level with its box
// and reaches past the section into the mouse picture.
constexpr int kRowPitch = 20;
constexpr int kFirstRowTop = 27;
constexpr int kBoxLeft = 100;
constexpr int kBoxRight = 230;
constexpr int kBoxHeight = 16;
constexpr int kCaptionLeft = 10;
constexpr int kListLeft = 242;
constexpr int kListRight = 345;
constexpr int kListHeight = 230;
constexpr int kEntryHeight = 16;
// The two three-entry submenus have taller rows.
constexpr int kShortMenuEntryHeight = 20;

int rowTop(std::size_t button)
{
    return kFirstRowTop + kRowPitch * static_cast<int>(button);
}

AssignmentMenu::ListLayout layout(Rect area, std::size_t rows, int rowHeight)
{
    const int spare = area.height() - static_cast<int>(rows) * rowHeight;
    return {area, rows, rowHeight, spare >= 2 ? 1 : 0};
}

std::size_t submenuRows(ButtonFunctionKind owner)
{
    switch (owner) {
    case ButtonFunctionKind::ScrollSelect:
        return kScrollChoices.size();
    case ButtonFunctionKind::DpiCycle:
        return kDpiChoices.size();
    case ButtonFunctionKind::Multimedia:
        return kMultimediaChoices.size();
    case ButtonFunctionKind::HotKey:
        return kHotKeyChoices.size();
    case ButtonFunctionKind::Windows:
        return kWindowsChoices.size();
    default:
        return 0;
    }
}

} // namespace

Rect AssignmentMenu::box(std::size_t button)
{
    const int top = rowTop(button);
    return {kBoxLeft, top, kBoxRight, top + kBoxHeight};
}

Rect AssignmentMenu::caption(std::size_t button)
{
    const int top = rowTop(button);
    return {kCaptionLeft, top, kBoxLeft - 2, top + kBoxHeight};
}

std::string AssignmentMenu::captionKey(std::size_t button)
{
    return "Button " + std::to_string(button + 1);
}

std::optional<std::size_t> AssignmentMenu::boxAt(int x, int y)
{
    for (std::size_t button = 0; button < kButtonCount; ++button) {
        if (box(button).contains(x, y))
            return button;
    }
    return std::nullopt;
}

AssignmentMenu::ListLayout AssignmentMenu::functionList(std::size_t button)
{
    const int top = rowTop(button);
    return layout({kListLeft, top, kListRight, top + kListHeight}, kButtonFunctionCatalogue.size(),
                  kEntryHeight);
}

bool AssignmentMenu::isSubmenuOwner(ButtonFunctionKind kind)
{
    return kButtonFunctionCatalogue[static_cast<std::size_t>(kind)].style == ChoiceStyle::Submenu;
}

std::optional<AssignmentMenu::ListLayout> AssignmentMenu::submenu(ButtonFunctionKind owner,
                                                                  std::size_t button)
{
    if (!isSubmenuOwner(owner))
        return std::nullopt;
    // The owner entry's rectangle in the list's own coordinates (inside its frame).
    const ListLayout list = functionList(button);
    const Rect l = list.area;
    const int entry = static_cast<int>(owner);
    const int itemTop = entry * list.rowHeight;
    const int itemBottom = itemTop + list.rowHeight;
    const int itemRight = l.width() - 2 * list.frame;
    const std::size_t rows = submenuRows(owner);

    Rect area;
    switch (owner) {
    case ButtonFunctionKind::ScrollSelect:
    case ButtonFunctionKind::DpiCycle: {
        const int left = l.left + itemRight;
        const int width = owner == ButtonFunctionKind::ScrollSelect ? 110 : 60;
        const int top = l.top + itemTop;
        area = {left, top, left + width, top + 60};
        return layout(area, rows, kShortMenuEntryHeight);
    }
    case ButtonFunctionKind::Multimedia:
        area = {l.right, 0, l.right + 90, l.top + itemBottom};
        area.top = area.bottom - 130;
        break;
    case ButtonFunctionKind::HotKey:
        area = {l.right, 0, l.right + 60, l.top + itemBottom};
        area.top = area.bottom - 162;
        break;
    default: // Windows
        area = {l.right, 0, l.right + 90, l.top + itemBottom};
        area.top = area.bottom - 114;
        break;
    }
    return layout(area, rows, kEntryHeight);
}

AssignmentMenu::EntryAction AssignmentMenu::actionOf(std::size_t entry)
{
    if (entry >= kButtonFunctionCatalogue.size())
        return EntryAction::None;
    switch (kButtonFunctionCatalogue[entry].kind) {
    case ButtonFunctionKind::SingleKey:
        return EntryAction::SingleKeyDialog;
    case ButtonFunctionKind::ComboKey:
        return EntryAction::ComboKeyDialog;
    case ButtonFunctionKind::MacroKey:
        return EntryAction::MacroKeyDialog;
    default:
        break;
    }
    return kButtonFunctionCatalogue[entry].style == ChoiceStyle::Submenu ? EntryAction::None
                                                                         : EntryAction::Assign;
}

AssignmentMenu::BoxClick AssignmentMenu::clickBox(std::size_t button, const SettingsRecord& record)
{
    // The pointer is on the box: its look returns to normal once the pointer moves on.
    m_needsRepaint.at(button) = true;
    if (m_openButton == button) {
        closeMenus();
        return BoxClick::Closed;
    }
    closeMenus();
    if (setting_rules::holdsTheOnlyLeftClick(record, button))
        return BoxClick::Refused;
    m_highlighted = button;
    m_openButton = button;
    return BoxClick::Opened;
}

bool AssignmentMenu::closeMenus()
{
    const bool wasOpen = m_openButton.has_value() || m_openSubmenu.has_value();
    m_openButton.reset();
    m_openSubmenu.reset();
    return wasOpen;
}

bool AssignmentMenu::hoverEntry(std::size_t entry)
{
    if (!m_openButton)
        return false;
    std::optional<ButtonFunctionKind> wanted;
    if (entry < kButtonFunctionCatalogue.size() &&
        isSubmenuOwner(kButtonFunctionCatalogue[entry].kind))
        wanted = kButtonFunctionCatalogue[entry].kind;
    if (wanted == m_openSubmenu)
        return false;
    m_openSubmenu = wanted;
    return true;
}

void AssignmentMenu::entryChosen()
{
    if (!m_openButton)
        return;
    m_looks[*m_openButton] = BoxLook::Leave;
    m_needsRepaint[*m_openButton] = true;
    closeMenus();
}

void AssignmentMenu::submenuEntryChosen()
{
    if (!m_openButton)
        return;
    m_looks[*m_openButton] = BoxLook::Normal;
    m_needsRepaint[*m_openButton] = true;
    closeMenus();
}

bool AssignmentMenu::pointerAt(std::optional<std::size_t> box)
{
    bool changed = false;
    if (box) {
        changed = m_looks.at(*box) != BoxLook::Over;
        m_looks[*box] = BoxLook::Over;
        m_needsRepaint[*box] = true;
        return changed;
    }
    for (std::size_t button = 0; button < kButtonCount; ++button) {
        if (!m_needsRepaint[button] || m_openButton == button)
            continue;
        changed = changed || m_looks[button] != BoxLook::Normal || m_highlighted == button;
        m_looks[button] = BoxLook::Normal;
        if (m_highlighted == button)
            m_highlighted.reset();
        m_needsRepaint[button] = false;
    }
    return changed;
}

const char* AssignmentMenu::boxImage(BoxLook look)
{
    switch (look) {
    case BoxLook::Over:
        return kBoxOverImage;
    case BoxLook::Leave:
        return kBoxLeaveImage;
    case BoxLook::Normal:
        break;
    }
    return kBoxNormalImage;
}

void AssignmentMenu::reset()
{
    m_openButton.reset();
    m_openSubmenu.reset();
    m_highlighted.reset();
    m_looks.fill(BoxLook::Normal);
    m_needsRepaint.fill(false);
}

} // namespace volantra
