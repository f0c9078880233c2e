// Drawing, presses and the lines box of the Mouse Speed, Double Click Speed and Scroll Speed
// sections, through the real skin library. A skin of flat-coloured images in a temporary
// folder shows exactly which image landed where; the default skin gives the screenshots.
#include "model/settings_record.h"
#include "pages/qt/scroll_speed_section.h"
#include "pages/qt/speed_dial_section.h"
#include "skin/qt/skin_library.h"
#include "support/section_fixture.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace volantra {
namespace {

using Purpose = SpeedDialRules::Purpose;

constexpr QSize kWindowSize = test::SectionFixture::kWindowSize;
// X0 of the right panel and a header bottom somewhere down the panel.
constexpr QPoint kOrigin(734, 260);
const QColor kUnderneath = test::SectionFixture::kUnderneath;
const QColor kBackground(0x40, 0x40, 0x40);
const QColor kFrame(0x30, 0x90, 0x30);
const QColor kChosenMark(0xF0, 0xC0, 0x00);
const QColor kOtherMark(0x00, 0x60, 0xC0);
const QColor kTextColour(0xFF, 0x00, 0x00);

QColor dialColour(int value)
{
    return QColor(0x00, 20 * value, 0xFF);
}

// The sections' images in flat colours; `backgroundWidth` widens the dial's background.
std::vector<test::FlatSkin::Image> flatImages(int backgroundWidth = 242)
{
    std::vector<test::FlatSkin::Image> images = {
        {"/MouseAttribute/BK_MouseAttribute.png", QSize(backgroundWidth, 106), kBackground},
        {"/MouseAttribute/BK_ScrollSpeed.png", QSize(242, 66), kBackground},
        {"/MouseAttribute/ScrollSpeed/Enable.png", QSize(12, 12), kChosenMark},
        {"/MouseAttribute/ScrollSpeed/Disable.png", QSize(12, 12), kOtherMark},
        {"/MouseAttribute/ScrollSpeed/ScrollLines.png", QSize(36, 14), kFrame},
    };
    for (int value = 1; value <= 12; ++value)
        images.push_back({"/MouseAttribute/Speed/" + std::to_string(value) + ".png", QSize(142, 83),
                          dialColour(value)});
    return images;
}

QColor at(const QImage& image, QPoint point)
{
    return image.pixelColor(point);
}

using test::redTextPixels;

QRect windowRect(const Rect& area, QPoint origin = kOrigin)
{
    return test::windowRect(area, origin);
}

TEST(SpeedDialSectionTest, DrawsTheShownValuesDialBetweenItsCaptions)
{
    struct Case
    {
        Purpose purpose;
        std::uint8_t speed;
        std::uint8_t doubleClick;
        int shown;
    };
    const Case cases[] = {
        {Purpose::PointerSpeed, 7, 3, 7},      {Purpose::DoubleClickSpeed, 7, 3, 3},
        {Purpose::PointerSpeed, 12, 1, 12},    {Purpose::DoubleClickSpeed, 12, 1, 1},
        {Purpose::PointerSpeed, 0, 14, 1},     {Purpose::DoubleClickSpeed, 0, 14, 12},
        {Purpose::PointerSpeed, 255, 255, 12},
    };
    test::FlatSkin flat(flatImages());
    for (const Case& c : cases) {
        test::SectionFixture fixture(flat.root(), kOrigin);
        fixture.record.setPointerSpeed(c.speed);
        fixture.record.setDoubleClickSpeed(c.doubleClick);
        const SettingsRecord before = fixture.record;
        SpeedDialSection section(c.purpose);
        const QImage window = fixture.paint(section);
        // The dial is (50,20)-(192,103) in the 242-wide background.
        const std::string label = std::to_string(c.shown);
        EXPECT_EQ(at(window, kOrigin + QPoint(50, 20)), dialColour(c.shown)) << label;
        EXPECT_EQ(at(window, kOrigin + QPoint(191, 102)), dialColour(c.shown)) << label;
        EXPECT_EQ(at(window, kOrigin + QPoint(49, 20)), kBackground) << label;
        EXPECT_EQ(at(window, kOrigin + QPoint(192, 102)), kBackground) << label;
        EXPECT_EQ(at(window, kOrigin + QPoint(120, 103)), kBackground) << label;
        EXPECT_EQ(at(window, kOrigin + QPoint(-1, 0)), kUnderneath) << label;
        EXPECT_GT(redTextPixels(window, QRect(kOrigin + QPoint(20, 73), QSize(30, 30))), 0);
        EXPECT_GT(redTextPixels(window, QRect(kOrigin + QPoint(192, 73), QSize(30, 30))), 0);
        // The note that the desktop keeps the setting, above the dial.
        EXPECT_GT(redTextPixels(window, QRect(kOrigin, QSize(242, 20))), 0);
        EXPECT_EQ(fixture.record, before) << "drawing changed the record";
        EXPECT_TRUE(fixture.skin.takeNewProblems().isEmpty());
    }
}

TEST(SpeedDialSectionTest, PressOnTheRingStoresItsDialsValueAndRedrawsIt)
{
    test::FlatSkin flat(flatImages());
    test::SectionFixture fixture(flat.root(), kOrigin);
    fixture.record.setPointerSpeed(3);
    fixture.record.setDoubleClickSpeed(4);
    SpeedDialSection speed(Purpose::PointerSpeed);
    SpeedDialSection doubleClick(Purpose::DoubleClickSpeed);
    const QPoint centre = kOrigin + QPoint(121, 91);

    EXPECT_FALSE(speed.click(centre + QPoint(0, 2), kOrigin, fixture.context));
    EXPECT_FALSE(speed.click(centre + QPoint(0, -20), kOrigin, fixture.context));
    EXPECT_EQ(fixture.record.pointerSpeed(), 3);

    EXPECT_TRUE(speed.click(centre + QPoint(0, -60), kOrigin, fixture.context));
    EXPECT_EQ(fixture.record.pointerSpeed(), 7);
    EXPECT_EQ(fixture.record.doubleClickSpeed(), 4);
    EXPECT_EQ(at(fixture.paint(speed), centre), dialColour(7));

    // The left horizontal, where the angle once divided by zero.
    EXPECT_TRUE(doubleClick.click(centre + QPoint(-71, 0), kOrigin, fixture.context));
    EXPECT_EQ(fixture.record.doubleClickSpeed(), 2);
    EXPECT_EQ(fixture.record.pointerSpeed(), 7);
    EXPECT_EQ(at(fixture.paint(doubleClick), centre), dialColour(2));
}

TEST(SpeedDialSectionTest, DialFollowsTheWidthOfTheSkinsBackground)
{
    test::FlatSkin wide(flatImages(300)); // dial (79,20)-(221,103), centre (150,91)
    test::SectionFixture fixture(wide.root(), kOrigin);
    fixture.record.setPointerSpeed(5);
    SpeedDialSection section(Purpose::PointerSpeed);
    const QImage window = fixture.paint(section);
    EXPECT_EQ(at(window, kOrigin + QPoint(79, 20)), dialColour(5));
    EXPECT_EQ(at(window, kOrigin + QPoint(78, 20)), kBackground);
    EXPECT_TRUE(section.click(kOrigin + QPoint(150 + 60, 91), kOrigin, fixture.context));
    EXPECT_EQ(fixture.record.pointerSpeed(), 12);
}

TEST(ScrollSpeedSectionTest, DrawsTheMarksOfTheStoredModeTheFrameAndCaptions)
{
    struct Case
    {
        std::uint8_t mode;
        bool byScreen;
    };
    const Case cases[] = {{0, false}, {1, true}, {7, true}};
    test::FlatSkin flat(flatImages());
    for (const Case& c : cases) {
        test::SectionFixture fixture(flat.root(), kOrigin);
        fixture.record.setScrollMode(c.mode);
        ScrollSpeedSection section;
        const QImage window = fixture.paint(section);
        const QColor lines = c.byScreen ? kOtherMark : kChosenMark;
        const QColor screen = c.byScreen ? kChosenMark : kOtherMark;
        EXPECT_EQ(at(window, kOrigin + QPoint(10, 15)), lines) << int(c.mode);
        EXPECT_EQ(at(window, kOrigin + QPoint(21, 26)), lines) << int(c.mode);
        EXPECT_EQ(at(window, kOrigin + QPoint(10, 50)), screen) << int(c.mode);
        EXPECT_EQ(at(window, kOrigin + QPoint(21, 61)), screen) << int(c.mode);
        EXPECT_EQ(at(window, kOrigin + QPoint(9, 15)), kBackground) << int(c.mode);
        EXPECT_EQ(at(window, kOrigin + QPoint(150, 15)), kFrame);
        EXPECT_EQ(at(window, kOrigin + QPoint(185, 28)), kFrame);
        EXPECT_EQ(at(window, kOrigin + QPoint(186, 28)), kBackground);
        EXPECT_GT(redTextPixels(window, windowRect(ScrollSpeedRules::kLinesCaptionArea)), 0);
        EXPECT_GT(redTextPixels(window, windowRect(ScrollSpeedRules::kScreenCaptionArea)), 0);
        EXPECT_EQ(redTextPixels(window, QRect(kOrigin + QPoint(0, 30), QSize(242, 18))), 0);
        EXPECT_EQ(fixture.record.scrollMode(), c.mode);
        EXPECT_TRUE(fixture.skin.takeNewProblems().isEmpty());
    }
}

// The lines box lives in a real window with the focus, where Enter and focus changes
// happen as they do for the user.
class ScrollLinesBoxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.resize(kWindowSize);
        elsewhere = new QLineEdit(&window);
        elsewhere->setGeometry(10, 10, 50, 20);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        fixture.context.window = &window;
        fixture.record.setWheelScrollLines(3);
        section = std::make_unique<ScrollSpeedSection>([this] { ++commits; });
        section->showControls(kOrigin, fixture.context);
    }

    QLineEdit* box() const { return section->linesBox(); }
    // Clears the box the way a user does, then types.
    void type(const QString& text)
    {
        box()->setFocus();
        box()->selectAll();
        QTest::keyClick(box(), Qt::Key_Delete);
        QTest::keyClicks(box(), text);
    }
    bool press(const Rect& area)
    {
        return section->click(kOrigin + QPoint(area.left + 2, area.top + 2), kOrigin,
                              fixture.context);
    }

    test::FlatSkin flat{flatImages()};
    test::SectionFixture fixture{flat.root(), kOrigin};
    QWidget window;
    QLineEdit* elsewhere = nullptr;
    std::unique_ptr<ScrollSpeedSection> section;
    int commits = 0;
};

TEST_F(ScrollLinesBoxTest, BoxSitsOverTheFrameAndShowsTheStoredLines)
{
    ASSERT_NE(box(), nullptr);
    EXPECT_EQ(box()->parentWidget(), &window);
    EXPECT_EQ(box()->geometry(), QRect(kOrigin + QPoint(150, 15), QSize(36, 14)));
    EXPECT_FALSE(box()->hasFrame());
    EXPECT_EQ(box()->alignment(), Qt::AlignCenter);
    EXPECT_EQ(box()->palette().color(QPalette::Base), QColor(148, 148, 148));
    EXPECT_EQ(box()->palette().color(QPalette::Text), kTextColour);
    EXPECT_TRUE(box()->isVisible());
    EXPECT_TRUE(box()->isEnabled());
    EXPECT_EQ(box()->text(), QStringLiteral("3"));

    struct Case
    {
        std::uint8_t mode;
        std::uint8_t lines;
        const char* shown;
        bool enabled;
    };
    const Case cases[] = {{1, 9, "9", false}, {0, 0, "1", true}, {0, 200, "100", true}};
    for (const Case& c : cases) {
        fixture.record.setScrollMode(c.mode);
        fixture.record.setWheelScrollLines(c.lines);
        section->showControls(kOrigin, fixture.context);
        EXPECT_EQ(box()->text(), QString::fromUtf8(c.shown)) << int(c.lines);
        EXPECT_EQ(box()->isEnabled(), c.enabled) << int(c.mode);
        EXPECT_EQ(fixture.record.wheelScrollLines(), c.lines) << "showing changed the byte";
    }
}

TEST_F(ScrollLinesBoxTest, TypedLinesAreStoredWhenCommitted)
{
    enum class Commit { Enter, FocusOut };
    struct Case
    {
        const char* typed;
        Commit commit;
        int stored;
        const char* shown;
    };
    // Clearing the box and typing 5 gives 5, not 15.
    const Case cases[] = {
        {"5", Commit::Enter, 5, "5"},       {"5", Commit::FocusOut, 5, "5"},
        {"100", Commit::Enter, 100, "100"}, {"150", Commit::FocusOut, 1, "1"},
        {"0", Commit::Enter, 1, "1"},       {"", Commit::FocusOut, 1, "1"},
        {" 42x", Commit::Enter, 42, "42"},  {"-3", Commit::FocusOut, 1, "1"},
    };
    for (const Case& c : cases) {
        fixture.record.setWheelScrollLines(3);
        section->showControls(kOrigin, fixture.context);
        commits = 0;
        type(QString::fromUtf8(c.typed));
        EXPECT_EQ(fixture.record.wheelScrollLines(), 3) << "while typing " << c.typed;
        EXPECT_EQ(box()->text(), QString::fromUtf8(c.typed));
        if (c.commit == Commit::Enter)
            QTest::keyClick(box(), Qt::Key_Return);
        else
            elsewhere->setFocus();
        EXPECT_EQ(fixture.record.wheelScrollLines(), c.stored) << c.typed;
        EXPECT_EQ(box()->text(), QString::fromUtf8(c.shown)) << c.typed;
        EXPECT_EQ(commits, 1) << c.typed;
    }
}

TEST_F(ScrollLinesBoxTest, LeavingAnUntouchedBoxKeepsAnOutOfRangeByte)
{
    fixture.record.setWheelScrollLines(0);
    section->showControls(kOrigin, fixture.context);
    box()->setFocus();
    QTest::keyClick(box(), Qt::Key_Return);
    elsewhere->setFocus();
    EXPECT_FALSE(section->commitTypedLines());
    section->hideControls();
    EXPECT_EQ(fixture.record.wheelScrollLines(), 0);
    EXPECT_EQ(commits, 0);
}

TEST_F(ScrollLinesBoxTest, ArrowsStepFromWhatWasTypedAndStopAtTheEnds)
{
    type(QStringLiteral("50"));
    EXPECT_TRUE(press(ScrollSpeedRules::kUpArrow));
    EXPECT_EQ(fixture.record.wheelScrollLines(), 51);
    EXPECT_EQ(box()->text(), QStringLiteral("51"));

    EXPECT_TRUE(press(ScrollSpeedRules::kDownArrow));
    EXPECT_EQ(fixture.record.wheelScrollLines(), 50);
    EXPECT_EQ(box()->text(), QStringLiteral("50"));

    fixture.record.setWheelScrollLines(100);
    EXPECT_FALSE(press(ScrollSpeedRules::kUpArrow));
    EXPECT_EQ(box()->text(), QStringLiteral("100"));
    fixture.record.setWheelScrollLines(1);
    EXPECT_FALSE(press(ScrollSpeedRules::kDownArrow));
    EXPECT_EQ(box()->text(), QStringLiteral("1"));
}

TEST_F(ScrollLinesBoxTest, ScreenMarkDisablesTheBoxAndKeepsTheLines)
{
    fixture.record.setWheelScrollLines(12);
    section->showControls(kOrigin, fixture.context);
    EXPECT_TRUE(press(ScrollSpeedRules::kScreenMark));
    EXPECT_EQ(fixture.record.scrollMode(), 1);
    EXPECT_FALSE(box()->isEnabled());
    EXPECT_EQ(fixture.record.wheelScrollLines(), 12);

    EXPECT_FALSE(press(ScrollSpeedRules::kScreenMark));
    EXPECT_TRUE(press(ScrollSpeedRules::kLinesMark));
    EXPECT_EQ(fixture.record.scrollMode(), 0);
    EXPECT_TRUE(box()->isEnabled());
    EXPECT_EQ(box()->text(), QStringLiteral("12"));
}

TEST_F(ScrollLinesBoxTest, CommitsTypingBeforeApplyAndWhenTheSectionCloses)
{
    type(QStringLiteral("8"));
    EXPECT_TRUE(section->commitTypedLines());
    EXPECT_EQ(fixture.record.wheelScrollLines(), 8);
    EXPECT_FALSE(section->commitTypedLines());

    type(QStringLiteral("77"));
    section->hideControls();
    EXPECT_EQ(fixture.record.wheelScrollLines(), 77);
    EXPECT_EQ(section->linesBox(), nullptr);
    EXPECT_EQ(commits, 2);
}

class PointerDefaultSkinTest : public test::DefaultSkinSectionTest
{
protected:
    PointerDefaultSkinTest() : DefaultSkinSectionTest(kOrigin) {}

    // Points of the dial where its images differ, in the dial's own coordinates.
    std::vector<QPoint> pointsWhereDialsDiffer(int a, int b)
    {
        const QImage first = fixture.skin.image(SpeedDialRules::imagePath(a));
        const QImage second = fixture.skin.image(SpeedDialRules::imagePath(b));
        std::vector<QPoint> points;
        for (int y = 0; y < first.height(); y += 3)
            for (int x = 0; x < first.width(); x += 3)
                if (first.pixel(x, y) != second.pixel(x, y))
                    points.emplace_back(x, y);
        return points;
    }
};

TEST_F(PointerDefaultSkinTest, DialsShowTheImageOfTheShownValue)
{
    struct Case
    {
        Purpose purpose;
        std::uint8_t stored;
        int shown;
        const char* screenshot;
    };
    const Case cases[] = {
        {Purpose::PointerSpeed, 7, 7, "mouse_speed_7"},
        {Purpose::PointerSpeed, 2, 2, "mouse_speed_2"},
        {Purpose::PointerSpeed, 14, 12, "mouse_speed_stored_14"},
        {Purpose::DoubleClickSpeed, 12, 12, "double_click_speed_12"},
        {Purpose::DoubleClickSpeed, 0, 1, "double_click_speed_stored_0"},
    };
    const int width = fixture.skin.size(SpeedDialRules::kBackground).width();
    ASSERT_GT(width, 0);
    const Rect dial = SpeedDialRules::area(width);
    for (const Case& c : cases) {
        fixture.record.setPointerSpeed(c.stored);
        fixture.record.setDoubleClickSpeed(c.stored);
        SpeedDialSection section(c.purpose);
        const QImage window = fixture.paint(section);
        keep(window, section, c.screenshot);
        // Where the shown value's image differs from a neighbour's, the window has its pixel.
        const int neighbour = c.shown == 12 ? 11 : c.shown + 1;
        const QImage expected = fixture.skin.image(SpeedDialRules::imagePath(c.shown));
        const std::vector<QPoint> points = pointsWhereDialsDiffer(c.shown, neighbour);
        ASSERT_GT(points.size(), 10u) << c.screenshot;
        for (const QPoint& point : points)
            ASSERT_EQ(window.pixel(kOrigin + QPoint(dial.left, dial.top) + point),
                      expected.pixel(point))
                << c.screenshot << " at " << point.x() << "," << point.y();
        EXPECT_EQ(c.purpose == Purpose::PointerSpeed ? fixture.record.pointerSpeed()
                                                     : fixture.record.doubleClickSpeed(),
                  c.stored);
    }
}

TEST_F(PointerDefaultSkinTest, PressOnTheDialRedrawsTheNewValue)
{
    const int width = fixture.skin.size(SpeedDialRules::kBackground).width();
    const Rect dial = SpeedDialRules::area(width);
    const QPoint centre = kOrigin + QPoint(dial.left + 71, dial.top + 71);
    fixture.record.setPointerSpeed(2);
    SpeedDialSection section(Purpose::PointerSpeed);
    const QImage before = fixture.paint(section);
    ASSERT_TRUE(section.click(centre + QPoint(50, -1), kOrigin, fixture.context));
    EXPECT_EQ(fixture.record.pointerSpeed(), 11);
    const QImage after = fixture.paint(section);
    keep(after, section, "mouse_speed_after_press");
    const QImage expected = fixture.skin.image(SpeedDialRules::imagePath(11));
    int changed = 0;
    for (const QPoint& point : pointsWhereDialsDiffer(2, 11)) {
        const QPoint inWindow = kOrigin + QPoint(dial.left, dial.top) + point;
        ASSERT_EQ(after.pixel(inWindow), expected.pixel(point));
        changed += before.pixel(inWindow) != after.pixel(inWindow) ? 1 : 0;
    }
    EXPECT_GT(changed, 10);
}

TEST_F(PointerDefaultSkinTest, ScrollSpeedShowsTheChosenMarkAndTheLinesBox)
{
    QWidget window;
    window.resize(kWindowSize);
    fixture.context.window = &window;
    fixture.context.textColour = QColor(0xDC, 0xDC, 0xDC);
    const QImage chosen = fixture.skin.image(ScrollSpeedRules::kChosenMark);
    const QImage other = fixture.skin.image(ScrollSpeedRules::kOtherMark);
    ASSERT_FALSE(chosen.isNull());
    ASSERT_NE(chosen, other);
    // A point where the two mark images differ.
    QPoint spot;
    for (int y = 0; y < chosen.height() && spot.isNull(); ++y)
        for (int x = 0; x < chosen.width() && spot.isNull(); ++x)
            if (chosen.pixel(x, y) != other.pixel(x, y))
                spot = QPoint(x, y);

    for (std::uint8_t mode : {0, 1}) {
        fixture.record.setScrollMode(mode);
        fixture.record.setWheelScrollLines(3);
        ScrollSpeedSection section;
        section.showControls(kOrigin, fixture.context);
        QImage picture = fixture.paint(section);
        QLineEdit* box = section.linesBox();
        box->render(&picture, box->pos());
        keep(picture, section, mode == 0 ? "scroll_speed_lines" : "scroll_speed_screen");
        const QPoint linesMark = kOrigin + QPoint(10, 15) + spot;
        const QPoint screenMark = kOrigin + QPoint(10, 50) + spot;
        EXPECT_EQ(picture.pixel(linesMark), (mode == 0 ? chosen : other).pixel(spot));
        EXPECT_EQ(picture.pixel(screenMark), (mode == 0 ? other : chosen).pixel(spot));
        EXPECT_EQ(box->isEnabled(), mode == 0);
        section.hideControls();
    }
}

} // namespace
} // namespace volantra
