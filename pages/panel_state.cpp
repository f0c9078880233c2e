#include "pages/panel_state.h"

#include <algorithm>

namespace volantra {

namespace {

Rect rightHeaderAt(int top)
{
    return {PanelState::kRightPanelLeft, top, PanelState::kRightPanelRight,
            top + PanelState::kHeaderHeight};
}

// Lays out right-panel sections one after the other: drawing a section shows its header
// and sets the next header's top. A section that would reach past the bottom bar is not
// drawn, and nothing after it either.
class SectionChain
{
public:
    SectionChain(std::array<Rect, kRightSectionCount>& headers,
                 std::array<bool, kRightSectionCount>& visible,
                 const std::array<bool, kRightSectionCount>& expanded,
                 const ContentHeights& heights)
        : m_headers(headers), m_visible(visible), m_expanded(expanded), m_heights(heights)
    {
    }

    // Draws section 1 to 7; false when it did not fit.
    bool draw(int number)
    {
        const std::size_t index = static_cast<std::size_t>(number - 1);
        const Rect header = m_headers[index];
        const int contentHeight = m_expanded[index] ? m_heights.right[index] : 0;
        if (header.bottom + contentHeight > PanelState::kRightPanelLimit)
            return false;
        m_visible[index] = true;
        if (m_expanded[index])
            ++m_expandedDrawn;
        if (index + 1 < kRightSectionCount)
            m_headers[index + 1] =
                rightHeaderAt(header.bottom + contentHeight + PanelState::kSectionGap);
        return true;
    }

    // Open sections among those drawn so far.
    int expandedDrawn() const { return m_expandedDrawn; }

private:
    std::array<Rect, kRightSectionCount>& m_headers;
    std::array<bool, kRightSectionCount>& m_visible;
    const std::array<bool, kRightSectionCount>& m_expanded;
    const ContentHeights& m_heights;
    int m_expandedDrawn = 0;
};

} // namespace

const char* sectionTitle(RightSection section)
{
    static constexpr const char* kTitles[kRightSectionCount] = {
        "DPI Setting",        "Lighting",     "USB Report Rate", "Mouse Speed",
        "Double Click Speed", "Scroll Speed", "Angle Snap"};
    return kTitles[indexOf(section)];
}

const char* sectionTitle(LeftSection section)
{
    return section == LeftSection::ButtonAssignment ? "Button Assignment"
                                                    : "X/Y Sensitivity Setting";
}

const char* contentBackground(RightSection section)
{
    static constexpr const char* kBackgrounds[kRightSectionCount] = {
        "/DPISetting/BK_DPISetting.png",
        "/Lighting/BK_Lighting.png",
        "/USBReportRate/BK_USBReportRate.png",
        "/MouseAttribute/BK_MouseAttribute.png",
        "/MouseAttribute/BK_MouseAttribute.png",
        "/MouseAttribute/BK_ScrollSpeed.png",
        "/AngleSnap/BK_AngleSnap.png"};
    return kBackgrounds[indexOf(section)];
}

const char* contentBackground(LeftSection section)
{
    return section == LeftSection::ButtonAssignment ? "/ButtonAssignment/BK_ButtonAssignment.png"
                                                    : "/XYSensitivity/BK_XYSensSetting.png";
}

PanelState::PanelState()
{
    reset();
}

void PanelState::reset()
{
    m_assignExpanded = false;
    m_xyExpanded = false;
    m_expanded.fill(false);
    m_visible.fill(true);
    for (std::size_t i = 0; i < kRightSectionCount; ++i)
        m_headers[i] =
            rightHeaderAt(kRightPanelTop + static_cast<int>(i) * (kHeaderHeight + kSectionGap));
    m_view = PanelView::Top;
    m_mouseView = MouseView::Front;
    m_thumbTop = kThumbTrackTop;
}

bool PanelState::expanded(LeftSection section) const
{
    return section == LeftSection::ButtonAssignment ? m_assignExpanded : m_xyExpanded;
}

Rect PanelState::assignmentHeader() const
{
    return {kLeftPanelLeft, kAssignmentTop, kLeftPanelRight, kAssignmentTop + kHeaderHeight};
}

Rect PanelState::macroManagerItem() const
{
    const int assignmentBottom = assignmentHeader().bottom;
    const int top = m_assignExpanded ? assignmentBottom + m_heights.buttonAssignment + kSectionGap
                                     : assignmentBottom + kSectionGap;
    return {kLeftPanelLeft, top, kLeftPanelRight, top + kMacroItemHeight};
}

Rect PanelState::xyHeader() const
{
    const int top = macroManagerItem().bottom + kSectionGap;
    return {kLeftPanelLeft, top, kLeftPanelRight, top + kHeaderHeight};
}

Rect PanelState::contentRect(LeftSection section) const
{
    const Rect header = section == LeftSection::ButtonAssignment ? assignmentHeader() : xyHeader();
    const int height = section == LeftSection::ButtonAssignment ? m_heights.buttonAssignment
                                                                : m_heights.xySensitivity;
    return {header.left, header.bottom, header.right, header.bottom + height};
}

void PanelState::toggle(LeftSection section)
{
    bool& flag = section == LeftSection::ButtonAssignment ? m_assignExpanded : m_xyExpanded;
    flag = !flag;
}

Rect PanelState::assignmentBox(std::size_t index)
{
    const int top = 154 + 20 * static_cast<int>(index);
    return {120, top, 250, top + 16};
}

bool PanelState::contentShown(RightSection section) const
{
    return headerVisible(section) && expanded(section);
}

Rect PanelState::contentRect(RightSection section) const
{
    const Rect h = header(section);
    return {h.left, h.bottom, h.right, h.bottom + m_heights[section]};
}

int PanelState::expandedCount() const
{
    return static_cast<int>(std::count(m_expanded.begin(), m_expanded.end(), true));
}

void PanelState::stopTopView()
{
    m_view = PanelView::Top;
    m_thumbTop = kThumbTrackTop;
}

// After a header click in the top view, and when the thumb comes back to the top half.
void PanelState::layOutAfterToggle()
{
    m_visible.fill(false);
    m_headers[0] = rightHeaderAt(kRightPanelTop);
    SectionChain chain(m_headers, m_visible, m_expanded, m_heights);
    const auto e = [this](int number) { return m_expanded[static_cast<std::size_t>(number - 1)]; };

    if (!chain.draw(1) || !chain.draw(2) || !chain.draw(3))
        return stopTopView();
    int n = chain.expandedDrawn();
    if (n == 3 || (n == 2 && e(1) && e(3)))
        return stopTopView();

    if (!chain.draw(4))
        return stopTopView();
    n = chain.expandedDrawn();
    if (n >= 3 || (n == 2 && e(1) && (e(2) || e(4))))
        return stopTopView();

    if (!chain.draw(5))
        return stopTopView();
    n = chain.expandedDrawn();
    if (n >= 3 || (n == 2 && e(1) && (e(2) || e(5))))
        return stopTopView();

    if (!chain.draw(6))
        return stopTopView();
    n = chain.expandedDrawn();
    if (n >= 3 || (n == 2 && (e(1) || e(3))))
        return stopTopView();

    if (!chain.draw(7))
        return stopTopView();
}

void PanelState::layOutForRepaint()
{
    if (m_view == PanelView::Bottom)
        return layOutBottomView();

    m_visible.fill(false);
    m_headers[0] = rightHeaderAt(kRightPanelTop);
    SectionChain chain(m_headers, m_visible, m_expanded, m_heights);
    const auto e = [this](int number) { return m_expanded[static_cast<std::size_t>(number - 1)]; };

    if (!chain.draw(1) || !chain.draw(2) || !chain.draw(3))
        return stopTopView();
    int n = chain.expandedDrawn();
    if (n == 3 || (n == 2 && e(1) && e(3)))
        return stopTopView();
    if (n == 2 && e(1) && e(2) && (e(5) || e(6) || e(7))) {
        chain.draw(4);
        return stopTopView();
    }
    if (n == 2 && e(2) && e(3) && e(7)) {
        // Drawn without a test of what is open, so the bottom bar is the only limit.
        if (chain.draw(4) && chain.draw(5))
            chain.draw(6);
        return stopTopView();
    }

    if (!chain.draw(4))
        return stopTopView();
    n = chain.expandedDrawn();
    if (n >= 3 || (e(1) && e(4)))
        return stopTopView();

    if (!chain.draw(5))
        return stopTopView();
    n = chain.expandedDrawn();
    if (n >= 3 || (e(1) && e(5)))
        return stopTopView();

    if (!chain.draw(6))
        return stopTopView();
    n = chain.expandedDrawn();
    if (n >= 3 || (n == 2 && (e(1) || e(3))))
        return stopTopView();

    if (!chain.draw(7))
        return stopTopView();
}

void PanelState::layOutBottomView()
{
    m_visible.fill(false);
    m_headers[indexOf(RightSection::MouseSpeed)] = rightHeaderAt(kRightPanelTop);
    SectionChain chain(m_headers, m_visible, m_expanded, m_heights);
    for (int number = 4; number <= 7; ++number) {
        if (!chain.draw(number))
            break;
    }
}

bool PanelState::toggle(RightSection section)
{
    const std::size_t index = indexOf(section);
    if (m_view == PanelView::Top) {
        m_expanded[index] = !m_expanded[index];
        layOutAfterToggle();
        return true;
    }
    if (index < indexOf(RightSection::MouseSpeed))
        return false;
    m_expanded[index] = !m_expanded[index];
    layOutBottomView();
    return true;
}

int PanelState::clampThumbTop(int top)
{
    return std::clamp(top, kThumbTrackTop, kThumbLowestTop);
}

bool PanelState::scrollThumbTo(int top)
{
    m_thumbTop = clampThumbTop(top);
    // With fewer than two open sections everything fits in the top view. The bottom view
    // must stay left by the thumb whatever is open there.
    if (m_view == PanelView::Top && expandedCount() < 2)
        return false;
    if (m_thumbTop - kThumbTrackTop < kTopHalf) {
        if (m_view == PanelView::Top)
            return false;
        m_view = PanelView::Top;
        layOutAfterToggle();
        return true;
    }
    if (m_view == PanelView::Bottom)
        return false;
    m_view = PanelView::Bottom;
    layOutBottomView();
    return true;
}

bool PanelState::wheel(int x, int y, int angleDelta)
{
    if (angleDelta == 0 || !kWheelArea.contains(x, y))
        return false;
    return scrollThumbTo(angleDelta < 0 ? kThumbLowestTop : kThumbTrackTop);
}

PanelHits PanelState::hitsAt(int x, int y) const
{
    PanelHits hits;
    if (kFrontViewButton.contains(x, y)) {
        hits.viewButton = MouseView::Front;
        return hits;
    }
    if (kSideViewButton.contains(x, y)) {
        hits.viewButton = MouseView::Side;
        return hits;
    }
    if (assignmentHeader().contains(x, y)) {
        hits.leftItem = LeftItem::AssignmentHeader;
        return hits;
    }
    if (macroManagerItem().contains(x, y)) {
        hits.leftItem = LeftItem::MacroManager;
        return hits;
    }
    if (xyHeader().contains(x, y)) {
        hits.leftItem = LeftItem::XyHeader;
        return hits;
    }

    for (std::size_t i = 0; i < kRightSectionCount; ++i) {
        if (m_visible[i] && m_headers[i].contains(x, y)) {
            hits.header = rightSectionAt(i);
            break;
        }
    }

    // Contents answer only where they are drawn, so a hidden or closed section, or one
    // of the top view while the bottom view is shown, never changes anything.
    const auto rightContent = [&](RightSection section) {
        if (contentShown(section) && contentRect(section).contains(x, y)) {
            hits.contents.emplace_back(section);
            hits.onSectionContent = true;
        }
    };
    rightContent(RightSection::Dpi);
    rightContent(RightSection::Lighting);
    rightContent(RightSection::ReportRate);
    rightContent(RightSection::MouseSpeed);
    rightContent(RightSection::DoubleClick);
    rightContent(RightSection::ScrollSpeed);
    if (m_xyExpanded && contentRect(LeftSection::XySensitivity).contains(x, y)) {
        hits.contents.emplace_back(LeftSection::XySensitivity);
        hits.onSectionContent = true;
    }
    // The assignment section sees every press while it is open: a press outside its open
    // menu closes the menu. A press on a button box ends the routing.
    if (m_assignExpanded) {
        hits.contents.emplace_back(LeftSection::ButtonAssignment);
        bool onBox = false;
        for (std::size_t i = 0; i < kAssignmentBoxCount; ++i)
            onBox = onBox || assignmentBox(i).contains(x, y);
        if (onBox || contentRect(LeftSection::ButtonAssignment).contains(x, y))
            hits.onSectionContent = true;
        if (onBox)
            return hits;
    }
    rightContent(RightSection::AngleSnap);
    return hits;
}

} // namespace volantra
