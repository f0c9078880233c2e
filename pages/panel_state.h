#pragma once

#include "common/rect.h"

#include <array>
#include <cstddef>
#include <optional>
#include <variant>
#include <vector>

namespace volantra {

// The seven sections of the right-hand panel, top to bottom.
enum class RightSection {
    Dpi,
    Lighting,
    ReportRate,
    MouseSpeed,
    DoubleClick,
    ScrollSpeed,
    AngleSnap
};
inline constexpr std::size_t kRightSectionCount = 7;
constexpr std::size_t indexOf(RightSection section)
{
    return static_cast<std::size_t>(section);
}
constexpr RightSection rightSectionAt(std::size_t index)
{
    return static_cast<RightSection>(index);
}

// The two sections of the left-hand panel that open and close; the Macro Manager item
// between them never opens.
enum class LeftSection { ButtonAssignment, XySensitivity };
using PanelSection = std::variant<LeftSection, RightSection>;

// The fixed-height items of the left panel, which a press reaches before anything else.
enum class LeftItem { AssignmentHeader, MacroManager, XyHeader };

// Top: the panel starts with DPI, Lighting and Report Rate. Bottom: it starts with
// Mouse Speed and shows the four lower sections only.
enum class PanelView { Top, Bottom };
enum class MouseView { Front, Side };

// Heights of the section contents, measured from their background images (0 when an
// image is missing).
struct ContentHeights
{
    int buttonAssignment = 0;
    int xySensitivity = 0;
    std::array<int, kRightSectionCount> right{};

    int& operator[](RightSection section) { return right[indexOf(section)]; }
    int operator[](RightSection section) const { return right[indexOf(section)]; }
};

// The English title of a section header (a language-table entry) and the skin image
// under the section's content, whose height sets the layout.
const char* sectionTitle(RightSection section);
const char* sectionTitle(LeftSection section);
const char* contentBackground(RightSection section);
const char* contentBackground(LeftSection section);

// What a press at one point of the window reaches in the panels. A view button or one of
// the left items is a first match: nothing else is looked at. Otherwise a visible header
// and the section contents are tested independently.
struct PanelHits
{
    std::optional<MouseView> viewButton;
    std::optional<LeftItem> leftItem;
    std::optional<RightSection> header;
    // Sections whose content takes the press, in the order they are asked.
    std::vector<PanelSection> contents;
    // The press lies on the content of an open section (one of the eight button boxes
    // included): its controls may follow the held button, so it must not move the window.
    bool onSectionContent = false;

    bool firstMatch() const { return viewButton.has_value() || leftItem.has_value(); }
    // Nothing of the panels is under the press: the window may be dragged from here.
    bool freeSpot() const { return !firstMatch() && !header && !onSectionContent; }
};

// The state of the main window's two accordion panels and of its mouse picture: which
// sections are open, where every header sits, which headers the current layout shows,
// the view of the right panel and the position of its scroll thumb.
//
// The right panel is taller than the window when several sections are open, so its
// layout rules hide the sections that would not fit; the scroll thumb switches to a
// bottom view that starts with Mouse Speed. Two rules lay out the top view: one after a
// header click or a scroll back to the top, another for a full repaint (after a profile
// is loaded). They differ for some sets of open sections, as the window always did.
class PanelState
{
public:
    // Positions of the panels in the window, fixed by the window background.
    static constexpr int kHeaderHeight = 20;
    static constexpr int kSectionGap = 5;
    static constexpr int kMacroItemHeight = 38;
    static constexpr int kLeftPanelLeft = 20;
    static constexpr int kLeftPanelRight = 262;
    static constexpr int kAssignmentTop = 107;
    static constexpr int kRightPanelLeft = 734;
    static constexpr int kRightPanelRight = 976;
    static constexpr int kRightPanelTop = 32;
    // The bottom bar of the window starts here; no section may reach below it.
    static constexpr int kRightPanelLimit = 604;
    static constexpr Rect kFrontViewButton{437, 527, 499, 556};
    static constexpr Rect kSideViewButton{500, 527, 562, 556};
    // The scroll thumb runs in a track right of the panel.
    static constexpr int kThumbLeft = 984;
    static constexpr int kThumbWidth = 7;
    static constexpr int kThumbHeight = 114;
    static constexpr int kThumbTrackTop = 32;
    static constexpr int kThumbTrackBottom = 595;
    static constexpr int kThumbLowestTop = kThumbTrackBottom - kThumbHeight;
    // A thumb whose top lies less than this below the track's top asks for the top view,
    // any lower one for the bottom view.
    static constexpr int kTopHalf = (kThumbTrackBottom - kThumbTrackTop) / 2;
    // Where the mouse wheel scrolls the right panel: the panel and its track.
    static constexpr Rect kWheelArea{kRightPanelLeft, kRightPanelTop, kThumbLeft + kThumbWidth,
                                     kRightPanelLimit};
    static constexpr std::size_t kAssignmentBoxCount = 8;

    PanelState();

    // The sections' content heights; they take effect at the next layout.
    void setContentHeights(const ContentHeights& heights) { m_heights = heights; }
    const ContentHeights& contentHeights() const { return m_heights; }

    // Left panel.
    bool expanded(LeftSection section) const;
    Rect assignmentHeader() const;
    Rect macroManagerItem() const;
    Rect xyHeader() const;
    // Where a left section's content lies: below its header, its measured height.
    Rect contentRect(LeftSection section) const;
    void toggle(LeftSection section);
    // The box that shows button 1 to 8 (index 0 to 7) in the Button Assignment content.
    static Rect assignmentBox(std::size_t index);

    // Right panel.
    bool expanded(RightSection section) const { return m_expanded[indexOf(section)]; }
    bool headerVisible(RightSection section) const { return m_visible[indexOf(section)]; }
    // The content is on screen: the header is drawn and the section is open.
    bool contentShown(RightSection section) const;
    Rect header(RightSection section) const { return m_headers[indexOf(section)]; }
    Rect contentRect(RightSection section) const;
    int expandedCount() const;
    PanelView panelView() const { return m_view; }
    int thumbTop() const { return m_thumbTop; }

    // A click on a right-panel header. Returns false when the section does not answer in
    // the current view (DPI, Lighting and Report Rate only answer in the top view).
    bool toggle(RightSection section);
    // The scroll thumb moved to `top` (clamped to the track). Returns true when the panel
    // changed its view and must be drawn again; the thumb stays where it was moved, or
    // goes back to the top when the new layout stops early.
    bool scrollThumbTo(int top);
    // The mouse wheel at (x, y): over the right panel, a turn away from the user moves the
    // thumb to the end of its track and a turn towards the user to its top, as a drag
    // there would. Returns true when the panel changed its view.
    bool wheel(int x, int y, int angleDelta);
    // The layout of a full repaint, after a profile was loaded: the full-repaint rule in
    // the top view, the bottom view as it is.
    void layOutForRepaint();

    MouseView mouseView() const { return m_mouseView; }
    void showMouseView(MouseView view) { m_mouseView = view; }

    // Everything closed, the top view and the front view, every header where it starts.
    void reset();

    // What a press at (x, y) reaches, from the current positions.
    PanelHits hitsAt(int x, int y) const;

    static int clampThumbTop(int top);

private:
    void layOutAfterToggle();
    void layOutBottomView();
    void stopTopView();

    bool m_assignExpanded = false;
    bool m_xyExpanded = false;
    std::array<bool, kRightSectionCount> m_expanded{};
    std::array<bool, kRightSectionCount> m_visible{};
    std::array<Rect, kRightSectionCount> m_headers{};
    PanelView m_view = PanelView::Top;
    MouseView m_mouseView = MouseView::Front;
    int m_thumbTop = kThumbTrackTop;
    ContentHeights m_heights;
};

} // namespace volantra
