#include "app/window_areas.h"

#include <gtest/gtest.h>

namespace volantra {
namespace {

TEST(WindowAreasTest, PressesFindTheButtonUnderThemWithExclusiveRightAndBottomEdges)
{
    struct Case
    {
        int x, y;
        std::optional<WindowButton> expected;
    } cases[] = {
        {798, 604, WindowButton::Reset},
        {854, 633, WindowButton::Reset},
        {855, 604, std::nullopt},
        {860, 610, WindowButton::Cancel},
        {923, 604, WindowButton::Apply},
        {979, 633, WindowButton::Apply},
        {980, 620, std::nullopt},
        {937, 5, WindowButton::Help},
        {952, 5, std::nullopt},
        {958, 19, WindowButton::Minimise},
        {973, 10, std::nullopt},
        {979, 5, WindowButton::Close},
        {993, 19, WindowButton::Close},
        {994, 10, std::nullopt},
        {979, 20, std::nullopt},
        {18, 604, WindowButton::ProfileManager},
        {89, 633, WindowButton::ProfileManager},
        {90, 620, std::nullopt},
        {500, 300, std::nullopt},
        {797, 620, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(windowButtonAt(c.x, c.y), c.expected);
    }
}

TEST(WindowAreasTest, TheBottomButtonsCarryTheirCaptionsAndHoverFaces)
{
    EXPECT_EQ(windowButtonLook(WindowButton::Apply).caption, "Save");
    EXPECT_EQ(windowButtonLook(WindowButton::Apply).overImage, "/button-save-over.png");
    EXPECT_EQ(windowButtonLook(WindowButton::Reset).normalImage, "/button-cancel-normal.png");
    EXPECT_EQ(windowButtonLook(WindowButton::ProfileManager).captionArea.left, 43);
    for (const WindowButtonLook& look : windowButtons())
        EXPECT_LE(look.area.bottom, 634) << look.normalImage;
}

TEST(WindowAreasTest, EveryPressButResetCancelSaveAndHelpClosesTheHelpPanel)
{
    for (const WindowButtonLook& look : windowButtons()) {
        const bool kept = look.button == WindowButton::Reset ||
                          look.button == WindowButton::Cancel ||
                          look.button == WindowButton::Apply || look.button == WindowButton::Help;
        EXPECT_EQ(pressClosesHelpPanel(look.area.left, look.area.top), !kept) << look.normalImage;
        EXPECT_EQ(pressClosesHelpPanel(look.area.right - 1, look.area.bottom - 1), !kept)
            << look.normalImage;
    }
    EXPECT_TRUE(pressClosesHelpPanel(855, 620)) << "between Reset and Cancel";
    EXPECT_TRUE(pressClosesHelpPanel(900, 100)) << "the right-hand panel under the help panel";
}

} // namespace
} // namespace volantra
