#include "pages/panel_state.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace volantra {
namespace {

using R = RightSection;

// Heights a skin of the shipped size gives its section backgrounds.
ContentHeights shippedHeights()
{
    ContentHeights heights;
    heights.buttonAssignment = 183;
    heights.xySensitivity = 137;
    heights[R::Dpi] = 213;
    heights[R::Lighting] = 106;
    heights[R::ReportRate] = 133;
    heights[R::MouseSpeed] = 103;
    heights[R::DoubleClick] = 103;
    heights[R::ScrollSpeed] = 62;
    heights[R::AngleSnap] = 135;
    return heights;
}

PanelState stateWith(std::initializer_list<R> open, ContentHeights heights = shippedHeights())
{
    PanelState state;
    state.setContentHeights(heights);
    for (const R section : open)
        state.toggle(section);
    return state;
}

constexpr int kHidden = -1;

// The top of every right-panel header, or kHidden where the layout does not show it.
std::vector<int> headerTops(const PanelState& state)
{
    std::vector<int> tops;
    for (std::size_t i = 0; i < kRightSectionCount; ++i) {
        const R section = rightSectionAt(i);
        tops.push_back(state.headerVisible(section) ? state.header(section).top : kHidden);
    }
    return tops;
}

TEST(PanelStateTest, StartsCollapsedInTheTopAndFrontViews)
{
    PanelState state;
    EXPECT_EQ(headerTops(state), (std::vector<int>{32, 57, 82, 107, 132, 157, 182}));
    EXPECT_EQ(state.header(R::Dpi), (Rect{734, 32, 976, 52}));
    EXPECT_EQ(state.panelView(), PanelView::Top);
    EXPECT_EQ(state.mouseView(), MouseView::Front);
    EXPECT_EQ(state.thumbTop(), 32);
    EXPECT_EQ(state.assignmentHeader(), (Rect{20, 107, 262, 127}));
    EXPECT_EQ(state.macroManagerItem(), (Rect{20, 132, 262, 170}));
    EXPECT_EQ(state.xyHeader(), (Rect{20, 175, 262, 195}));
}

// Sections opened one by one with header clicks, so each click lays out with the rule
// of a header click; the last click's layout is what the user sees.
TEST(PanelStateTest, HeaderClickLayout)
{
    struct Case
    {
        const char* name;
        std::initializer_list<R> open;
        std::vector<int> tops;
        bool stopped; // the thumb went back to the top of its track
    };
    const Case cases[] = {
        {"DPI alone", {R::Dpi}, {32, 270, 295, 320, 345, 370, 395}, false},
        {"Lighting alone", {R::Lighting}, {32, 57, 188, 213, 238, 263, 288}, false},
        {"DPI and Report Rate stop after section 3",
         {R::Dpi, R::ReportRate},
         {32, 270, 295, kHidden, kHidden, kHidden, kHidden},
         true},
        {"DPI and Lighting stop after section 4",
         {R::Dpi, R::Lighting},
         {32, 270, 401, 426, kHidden, kHidden, kHidden},
         true},
        {"DPI and Mouse Speed stop after section 4",
         {R::Dpi, R::MouseSpeed},
         {32, 270, 295, 320, kHidden, kHidden, kHidden},
         true},
        {"DPI and Double Click stop after section 5",
         {R::Dpi, R::DoubleClick},
         {32, 270, 295, 320, 345, kHidden, kHidden},
         true},
        // The test after section 6 counts the open sections drawn so far: one.
        {"DPI and Angle Snap show everything",
         {R::Dpi, R::AngleSnap},
         {32, 270, 295, 320, 345, 370, 395},
         false},
        {"Lighting and Report Rate stop after section 6",
         {R::Lighting, R::ReportRate},
         {32, 57, 188, 346, 371, 396, kHidden},
         true},
        {"three of the top sections stop after section 3",
         {R::Dpi, R::Lighting, R::ReportRate},
         {32, 270, 401, kHidden, kHidden, kHidden, kHidden},
         true},
        {"Lighting, Mouse Speed and Scroll stop at the third open one",
         {R::Lighting, R::MouseSpeed, R::ScrollSpeed},
         {32, 57, 188, 213, 341, 366, kHidden},
         true},
        {"Mouse Speed and Double Click show everything",
         {R::MouseSpeed, R::DoubleClick},
         {32, 57, 82, 107, 235, 363, 388},
         false},
    };
    for (const Case& c : cases) {
        const std::vector<R> open(c.open);
        PanelState state = stateWith({});
        for (std::size_t i = 0; i + 1 < open.size(); ++i)
            state.toggle(open[i]);
        state.scrollThumbTo(200); // a thumb below the top, kept unless the layout stops
        state.toggle(open.back());
        EXPECT_EQ(headerTops(state), c.tops) << c.name;
        EXPECT_EQ(state.panelView(), PanelView::Top) << c.name;
        EXPECT_EQ(state.thumbTop(), c.stopped ? 32 : 200) << c.name;
    }
}

// The same sets laid out by a full repaint (after a profile was loaded), which follows a
// rule of its own.
TEST(PanelStateTest, FullRepaintLayout)
{
    struct Case
    {
        const char* name;
        std::initializer_list<R> open;
        std::vector<int> tops;
    };
    const Case cases[] = {
        {"DPI and Report Rate stop after section 3",
         {R::Dpi, R::ReportRate},
         {32, 270, 295, kHidden, kHidden, kHidden, kHidden}},
        // A header click stops after section 4 here.
        {"DPI and Lighting stop after section 6",
         {R::Dpi, R::Lighting},
         {32, 270, 401, 426, 451, 476, kHidden}},
        {"DPI, Lighting and Scroll stop after section 4",
         {R::Dpi, R::Lighting, R::ScrollSpeed},
         {32, 270, 401, 426, kHidden, kHidden, kHidden}},
        {"DPI and Mouse Speed stop after section 4",
         {R::Dpi, R::MouseSpeed},
         {32, 270, 295, 320, kHidden, kHidden, kHidden}},
        {"DPI and Double Click stop after section 5",
         {R::Dpi, R::DoubleClick},
         {32, 270, 295, 320, 345, kHidden, kHidden}},
        {"Lighting, Report Rate and Angle Snap draw down to section 6",
         {R::Lighting, R::ReportRate, R::AngleSnap},
         {32, 57, 188, 346, 371, 396, kHidden}},
        // Drawn without looking at what is open: with Mouse Speed and Double Click open
        // too, Scroll Speed would reach past the bottom bar and is left out.
        {"Lighting, Report Rate and Angle Snap with both dials open",
         {R::Lighting, R::ReportRate, R::AngleSnap, R::MouseSpeed, R::DoubleClick, R::ScrollSpeed},
         {32, 57, 188, 346, 474, kHidden, kHidden}},
        {"Mouse Speed and Double Click show everything",
         {R::MouseSpeed, R::DoubleClick},
         {32, 57, 82, 107, 235, 363, 388}},
    };
    for (const Case& c : cases) {
        PanelState state = stateWith(c.open);
        state.layOutForRepaint();
        EXPECT_EQ(headerTops(state), c.tops) << c.name;
        EXPECT_EQ(state.panelView(), PanelView::Top) << c.name;
    }
}

// Whatever the rules say, a section whose content would reach past the bottom bar at
// y 604 is not drawn: the layout stops there.
TEST(PanelStateTest, NoSectionReachesPastTheBottomBar)
{
    ContentHeights tall = shippedHeights();
    tall[R::Dpi] = 300;
    tall[R::Lighting] = 260;
    tall[R::AngleSnap] = 240;
    struct Case
    {
        const char* name;
        std::initializer_list<R> open;
        bool repaint;
        std::vector<int> tops;
    };
    const Case cases[] = {
        // Lighting's header would be at 52 + 300 + 5 = 357, its content end at 637.
        {"header click",
         {R::Dpi, R::Lighting},
         false,
         {32, kHidden, kHidden, kHidden, kHidden, kHidden, kHidden}},
        {"full repaint",
         {R::Dpi, R::Lighting},
         true,
         {32, kHidden, kHidden, kHidden, kHidden, kHidden, kHidden}},
        {"tall last section that fits", {R::AngleSnap}, false, {32, 57, 82, 107, 132, 157, 182}},
    };
    for (const Case& c : cases) {
        PanelState state = stateWith(c.open, tall);
        state.scrollThumbTo(100);
        if (c.repaint)
            state.layOutForRepaint();
        else {
            state.toggle(*c.open.begin());
            state.toggle(*c.open.begin());
        }
        EXPECT_EQ(headerTops(state), c.tops) << c.name;
        for (std::size_t i = 0; i < kRightSectionCount; ++i) {
            const R section = rightSectionAt(i);
            if (state.contentShown(section)) {
                EXPECT_LE(state.contentRect(section).bottom, 604) << c.name;
            }
        }
    }

    // A section that ends exactly on the bar still fits; one pixel more is a stop, which
    // puts the thumb back to the top.
    for (const int height : {604 - 202, 604 - 202 + 1}) {
        ContentHeights heights = shippedHeights();
        heights[R::AngleSnap] = height;
        PanelState state = stateWith({}, heights);
        state.scrollThumbTo(200);
        state.toggle(R::AngleSnap);
        const bool fits = height == 604 - 202;
        EXPECT_EQ(state.headerVisible(R::AngleSnap), fits) << height;
        EXPECT_TRUE(state.headerVisible(R::ScrollSpeed)) << height;
        EXPECT_EQ(state.thumbTop(), fits ? 200 : 32) << height;
    }
}

TEST(PanelStateTest, ThumbSwitchesBetweenTopAndBottomViews)
{
    struct Case
    {
        const char* name;
        std::initializer_list<R> open;
        std::vector<int> thumbTops; // dragged there one after the other
        PanelView view;
        std::vector<int> tops;
    };
    const std::vector<int> bottomView{kHidden, kHidden, kHidden, 32, 57, 82, 107};
    const Case cases[] = {
        {"one open section: nothing changes",
         {R::Dpi},
         {481},
         PanelView::Top,
         {32, 270, 295, 320, 345, 370, 395}},
        {"no open section: nothing changes",
         {},
         {481},
         PanelView::Top,
         {32, 57, 82, 107, 132, 157, 182}},
        {"top half ends at 312",
         {R::Dpi, R::ReportRate},
         {312},
         PanelView::Top,
         {32, 270, 295, kHidden, kHidden, kHidden, kHidden}},
        {"313 shows the bottom view",
         {R::Dpi, R::ReportRate},
         {313},
         PanelView::Bottom,
         bottomView},
        {"back to the top half",
         {R::Dpi, R::ReportRate},
         {400, 100},
         PanelView::Top,
         {32, 270, 295, kHidden, kHidden, kHidden, kHidden}},
        {"bottom view with open lower sections",
         {R::MouseSpeed, R::DoubleClick},
         {481},
         PanelView::Bottom,
         {kHidden, kHidden, kHidden, 32, 160, 288, 313}},
    };
    for (const Case& c : cases) {
        PanelState state = stateWith(c.open);
        for (const int top : c.thumbTops)
            state.scrollThumbTo(top);
        EXPECT_EQ(state.panelView(), c.view) << c.name;
        EXPECT_EQ(headerTops(state), c.tops) << c.name;
    }
}

TEST(PanelStateTest, ThumbIsClampedToItsTrack)
{
    struct Case
    {
        int requested;
        int top;
    };
    const Case cases[] = {{-50, 32},  {31, 32},   {32, 32},   {300, 300},
                          {481, 481}, {482, 481}, {2000, 481}};
    for (const Case& c : cases) {
        EXPECT_EQ(PanelState::clampThumbTop(c.requested), c.top) << c.requested;
        // A fast drag past the end still arrives there and switches the view.
        PanelState state = stateWith({R::Dpi, R::ReportRate});
        state.scrollThumbTo(c.requested);
        EXPECT_EQ(state.thumbTop(), c.top) << c.requested;
        EXPECT_EQ(state.panelView(), c.top >= 313 ? PanelView::Bottom : PanelView::Top)
            << c.requested;
    }
}

TEST(PanelStateTest, HeaderClicksInTheBottomView)
{
    PanelState state = stateWith({R::Dpi, R::ReportRate});
    ASSERT_TRUE(state.scrollThumbTo(481));

    // The upper sections do not answer; their state stays.
    EXPECT_FALSE(state.toggle(R::Lighting));
    EXPECT_FALSE(state.expanded(R::Lighting));

    EXPECT_TRUE(state.toggle(R::MouseSpeed));
    EXPECT_EQ(state.panelView(), PanelView::Bottom);
    EXPECT_EQ(headerTops(state), (std::vector<int>{kHidden, kHidden, kHidden, 32, 160, 185, 210}));
    EXPECT_EQ(state.thumbTop(), 481);
}

// Collapsing sections in the bottom view until fewer than two are open must not leave the
// user stuck there.
TEST(PanelStateTest, BottomViewWithFewOpenSectionsGoesBackToTheTop)
{
    PanelState state = stateWith({R::Dpi, R::MouseSpeed});
    ASSERT_TRUE(state.scrollThumbTo(481));
    state.toggle(R::MouseSpeed);
    ASSERT_EQ(state.expandedCount(), 1);

    EXPECT_FALSE(state.scrollThumbTo(400)); // still the bottom half
    EXPECT_TRUE(state.scrollThumbTo(32));
    EXPECT_EQ(state.panelView(), PanelView::Top);
    EXPECT_EQ(headerTops(state), (std::vector<int>{32, 270, 295, 320, 345, 370, 395}));
}

TEST(PanelStateTest, WheelOverTheRightPanelActsAsTheThumb)
{
    struct Case
    {
        const char* name;
        int x;
        int y;
        int delta;
        bool changed;
        PanelView view;
        int thumbTop;
    };
    const Case cases[] = {
        {"away from the user over the panel", 800, 300, -120, true, PanelView::Bottom, 481},
        {"over the track", 987, 500, -120, true, PanelView::Bottom, 481},
        {"left of the panel", 733, 300, -120, false, PanelView::Top, 32},
        {"over the bottom bar", 800, 604, -120, false, PanelView::Top, 32},
        {"towards the user at the top", 800, 300, 120, false, PanelView::Top, 32},
        {"no turn", 800, 300, 0, false, PanelView::Top, 32},
    };
    for (const Case& c : cases) {
        PanelState state = stateWith({R::Dpi, R::ReportRate});
        EXPECT_EQ(state.wheel(c.x, c.y, c.delta), c.changed) << c.name;
        EXPECT_EQ(state.panelView(), c.view) << c.name;
        EXPECT_EQ(state.thumbTop(), c.thumbTop) << c.name;
    }

    PanelState state = stateWith({R::Dpi, R::ReportRate});
    state.wheel(800, 300, -120);
    EXPECT_TRUE(state.wheel(800, 300, 240));
    EXPECT_EQ(state.panelView(), PanelView::Top);
    EXPECT_EQ(state.thumbTop(), 32);
}

TEST(PanelStateTest, LeftPanelMovesWithButtonAssignment)
{
    PanelState state = stateWith({});
    state.toggle(LeftSection::ButtonAssignment);
    EXPECT_EQ(state.macroManagerItem(), (Rect{20, 315, 262, 353})); // 127 + 183 + 5
    EXPECT_EQ(state.xyHeader(), (Rect{20, 358, 262, 378}));
    EXPECT_EQ(state.contentRect(LeftSection::XySensitivity), (Rect{20, 378, 262, 515}));

    state.toggle(LeftSection::XySensitivity); // opening X/Y moves nothing above it
    EXPECT_EQ(state.xyHeader(), (Rect{20, 358, 262, 378}));

    state.toggle(LeftSection::ButtonAssignment);
    EXPECT_EQ(state.macroManagerItem(), (Rect{20, 132, 262, 170}));
    EXPECT_EQ(state.xyHeader(), (Rect{20, 175, 262, 195}));
    EXPECT_TRUE(state.expanded(LeftSection::XySensitivity));
}

TEST(PanelStateTest, ResetClosesEverything)
{
    PanelState state = stateWith({R::Dpi, R::ReportRate});
    state.toggle(LeftSection::ButtonAssignment);
    state.toggle(LeftSection::XySensitivity);
    state.showMouseView(MouseView::Side);
    state.scrollThumbTo(481);
    state.reset();

    EXPECT_EQ(state.expandedCount(), 0);
    EXPECT_FALSE(state.expanded(LeftSection::ButtonAssignment));
    EXPECT_FALSE(state.expanded(LeftSection::XySensitivity));
    EXPECT_EQ(state.panelView(), PanelView::Top);
    EXPECT_EQ(state.mouseView(), MouseView::Front);
    EXPECT_EQ(state.thumbTop(), 32);
    EXPECT_EQ(headerTops(state), (std::vector<int>{32, 57, 82, 107, 132, 157, 182}));
    EXPECT_EQ(state.xyHeader(), (Rect{20, 175, 262, 195}));
    EXPECT_EQ(state.contentHeights().buttonAssignment, 183); // measured once, kept
}

std::string describe(const PanelSection& section)
{
    if (const auto* left = std::get_if<LeftSection>(&section))
        return *left == LeftSection::ButtonAssignment ? "assignment" : "xy";
    return "right" + std::to_string(indexOf(std::get<RightSection>(section)) + 1);
}

std::string describe(const PanelHits& hits)
{
    std::string text;
    if (hits.viewButton)
        text += *hits.viewButton == MouseView::Front ? "front " : "side ";
    if (hits.leftItem)
        text += std::string(*hits.leftItem == LeftItem::AssignmentHeader ? "LA"
                            : *hits.leftItem == LeftItem::MacroManager   ? "LB"
                                                                         : "LX") +
                " ";
    if (hits.header)
        text += "H" + std::to_string(indexOf(*hits.header) + 1) + " ";
    for (const PanelSection& section : hits.contents)
        text += describe(section) + " ";
    text += hits.freeSpot() ? "free" : "taken";
    return text;
}

TEST(PanelStateTest, PressRouting)
{
    enum Setup { Collapsed, AssignOpen, XyOpen, AssignAndSnapOpen, DpiRateOpen, DpiRateBottom };
    const auto make = [](Setup setup) {
        PanelState state = stateWith({});
        switch (setup) {
        case Collapsed:
            break;
        case AssignOpen:
            state.toggle(LeftSection::ButtonAssignment);
            break;
        case XyOpen:
            state.toggle(LeftSection::XySensitivity);
            break;
        case AssignAndSnapOpen:
            state.toggle(LeftSection::ButtonAssignment);
            state.toggle(R::AngleSnap);
            break;
        case DpiRateOpen:
            state.toggle(R::Dpi);
            state.toggle(R::ReportRate);
            break;
        case DpiRateBottom:
            state.toggle(R::Dpi);
            state.toggle(R::ReportRate);
            state.scrollThumbTo(481);
            break;
        }
        return state;
    };
    struct Case
    {
        Setup setup;
        int x;
        int y;
        const char* hits;
    };
    const Case cases[] = {
        {Collapsed, 437, 527, "front taken"},
        {Collapsed, 561, 555, "side taken"},
        {Collapsed, 562, 555, "free"},
        {Collapsed, 20, 107, "LA taken"},
        {Collapsed, 262, 120, "free"},
        {Collapsed, 100, 140, "LB taken"},
        {Collapsed, 100, 180, "LX taken"},
        {Collapsed, 100, 200, "free"},
        // With Button Assignment open its content lies where LB and LX were.
        {AssignOpen, 100, 140, "assignment taken"},
        {AssignOpen, 100, 180, "assignment taken"},
        {AssignOpen, 130, 180, "assignment taken"},
        {AssignOpen, 100, 320, "LB taken"},
        {AssignOpen, 100, 360, "LX taken"},
        {AssignOpen, 800, 400, "assignment free"}, // it still hears the press
        {XyOpen, 50, 240, "xy taken"},
        {XyOpen, 50, 332, "free"},
        {AssignAndSnapOpen, 800, 230, "assignment right7 taken"},
        {Collapsed, 740, 60, "H2 taken"},
        {Collapsed, 975, 201, "H7 taken"},
        {Collapsed, 976, 201, "free"},
        {Collapsed, 740, 55, "free"}, // the gap between two headers
        {DpiRateOpen, 780, 100, "right1 taken"},
        {DpiRateOpen, 780, 400, "right3 taken"},
        {DpiRateOpen, 780, 460, "free"}, // where the hidden Mouse Speed header was put
        // In the bottom view the upper sections neither show nor answer.
        {DpiRateBottom, 780, 40, "H4 taken"},
        {DpiRateBottom, 780, 200, "free"},
        {DpiRateBottom, 780, 280, "free"}, // where the hidden Lighting header was
    };
    for (const Case& c : cases) {
        const PanelState state = make(c.setup);
        EXPECT_EQ(describe(state.hitsAt(c.x, c.y)), c.hits)
            << "setup " << c.setup << " at " << c.x << "," << c.y;
    }
}

} // namespace
} // namespace volantra
