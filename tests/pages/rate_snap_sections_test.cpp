// Drawing and clicks of the USB Report Rate and Angle Snap sections, through the real
// skin library. A skin of flat-coloured images written to a temporary folder shows
// exactly which image landed where; the default skin gives the screenshots.
#include "model/settings_record.h"
#include "pages/qt/angle_snap_section.h"
#include "pages/qt/report_rate_section.h"
#include "skin/qt/skin_library.h"
#include "support/section_fixture.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace volantra {
namespace {

// X0 of the right panel, and a header bottom somewhere down the panel.
constexpr QPoint kOrigin(734, 300);
const QColor kUnderneath = test::SectionFixture::kUnderneath;
const QColor kBackground(0x40, 0x40, 0x40);

// One flat colour per image name, different for every image of these sections.
QColor rateColour(int rate)
{
    return QColor(rate / 8, 0x80, 0x80);
}
QColor pictureColour(int level)
{
    return QColor(0x00, 20 * level, 0xFF);
}
QColor sliderColour(int level)
{
    return QColor(20 * level, 0xFF, 0x00);
}

// The sections' images in flat colours; `backgroundWidth` widens the report rate's.
std::vector<test::FlatSkin::Image> flatImages(int backgroundWidth = 242)
{
    std::vector<test::FlatSkin::Image> images = {
        {"/USBReportRate/BK_USBReportRate.png", QSize(backgroundWidth, 140), kBackground},
        {"/AngleSnap/BK_AngleSnap.png", QSize(242, 140), kBackground},
    };
    for (int rate : {125, 250, 500, 1000})
        images.push_back({"/USBReportRate/" + std::to_string(rate) + "HZ.png", QSize(128, 128),
                          rateColour(rate)});
    for (int level = 1; level <= 10; ++level) {
        images.push_back(
            {"/AngleSnap/" + std::to_string(level) + ".png", QSize(207, 85), pictureColour(level)});
        images.push_back(
            {"/StageSlider/" + std::to_string(level) + ".png", QSize(208, 9), sliderColour(level)});
    }
    return images;
}

QColor at(const QImage& image, QPoint point)
{
    return image.pixelColor(point);
}

using test::redTextPixels;

TEST(ReportRateSectionTest, DrawsTheShownRateOnTheCentredControl)
{
    struct Case
    {
        std::uint8_t stored;
        int rate;
    };
    const Case cases[] = {{1, 1000}, {2, 500}, {4, 250}, {8, 125}, {0, 1000}, {3, 250}, {200, 125}};
    test::FlatSkin flat(flatImages());
    for (const Case& c : cases) {
        test::SectionFixture fixture(flat.root(), kOrigin);
        fixture.record.setReportInterval(c.stored);
        ReportRateSection section;
        const QImage window = fixture.paint(section);
        // Control (57,5)-(185,133) inside the 242-wide background.
        EXPECT_EQ(at(window, kOrigin), kBackground) << int(c.stored);
        EXPECT_EQ(at(window, kOrigin + QPoint(57, 5)), rateColour(c.rate)) << int(c.stored);
        EXPECT_EQ(at(window, kOrigin + QPoint(184, 132)), rateColour(c.rate)) << int(c.stored);
        EXPECT_EQ(at(window, kOrigin + QPoint(56, 5)), kBackground) << int(c.stored);
        EXPECT_EQ(at(window, kOrigin + QPoint(185, 132)), kBackground) << int(c.stored);
        EXPECT_EQ(at(window, kOrigin + QPoint(57, 4)), kBackground) << int(c.stored);
        EXPECT_EQ(at(window, kOrigin + QPoint(-1, 0)), kUnderneath) << int(c.stored);
        EXPECT_EQ(fixture.record.reportInterval(), c.stored) << "drawing changed the record";
        EXPECT_TRUE(fixture.skin.takeNewProblems().isEmpty());
    }
}

TEST(ReportRateSectionTest, ControlFollowsTheWidthOfTheSkinsBackground)
{
    test::FlatSkin wide(flatImages(300)); // control at (86,5)-(214,133), centre (150,69)
    test::SectionFixture fixture(wide.root(), kOrigin);
    ReportRateSection section;
    fixture.record.setReportInterval(1);
    const QImage window = fixture.paint(section);
    EXPECT_EQ(at(window, kOrigin + QPoint(86, 5)), rateColour(1000));
    EXPECT_EQ(at(window, kOrigin + QPoint(85, 5)), kBackground);

    const QPoint centre = kOrigin + QPoint(150, 69);
    EXPECT_TRUE(section.click(centre + QPoint(40, 40), kOrigin, fixture.context));
    EXPECT_EQ(fixture.record.reportInterval(), 2);
    // 40 right of the old centre is 11 right of the new one: inside the hole.
    EXPECT_FALSE(section.click(kOrigin + QPoint(121 - 40, 69 - 40), kOrigin, fixture.context));
    EXPECT_EQ(fixture.record.reportInterval(), 2);
}

TEST(AngleSnapSectionTest, DrawsPictureAndSliderOfTheShownLevel)
{
    struct Case
    {
        std::uint8_t stored;
        int shown;
    };
    const Case cases[] = {{1, 1}, {6, 6}, {10, 10}, {0, 1}, {11, 10}, {255, 10}};
    test::FlatSkin flat(flatImages());
    for (const Case& c : cases) {
        test::SectionFixture fixture(flat.root(), kOrigin);
        fixture.record.setAngleSnapLevel(c.stored);
        AngleSnapSection section;
        const QImage window = fixture.paint(section);
        EXPECT_EQ(at(window, kOrigin + QPoint(20, 10)), pictureColour(c.shown)) << int(c.stored);
        EXPECT_EQ(at(window, kOrigin + QPoint(226, 94)), pictureColour(c.shown)) << int(c.stored);
        EXPECT_EQ(at(window, kOrigin + QPoint(20, 106)), sliderColour(c.shown)) << int(c.stored);
        EXPECT_EQ(at(window, kOrigin + QPoint(227, 114)), sliderColour(c.shown)) << int(c.stored);
        EXPECT_EQ(at(window, kOrigin + QPoint(19, 106)), kBackground) << int(c.stored);
        EXPECT_EQ(at(window, kOrigin + QPoint(20, 105)), kBackground) << int(c.stored);
        EXPECT_EQ(fixture.record.angleSnapLevel(), c.stored) << "drawing changed the record";
        EXPECT_TRUE(fixture.skin.takeNewProblems().isEmpty());
    }
}

TEST(AngleSnapSectionTest, CaptionsSitUnderTheirStepsInTheTextColour)
{
    test::FlatSkin flat(flatImages());
    test::SectionFixture fixture(flat.root(), kOrigin);
    fixture.record.setAngleSnapLevel(3);
    AngleSnapSection section;
    const QImage window = fixture.paint(section);
    // Each caption starts 21 pixels after the one before, from x 26, in y 115 to 135.
    for (int level = 1; level <= 10; ++level) {
        const int left = 26 + 21 * (level - 1);
        const QRect ownColumn(kOrigin + QPoint(left, 115), QSize(14, 20));
        EXPECT_GT(redTextPixels(window, ownColumn), 0) << "caption " << level;
    }
    // Nothing left of the first caption, nothing in the gap before the captions.
    EXPECT_EQ(redTextPixels(window, QRect(kOrigin + QPoint(0, 115), QSize(26, 20))), 0);
    EXPECT_EQ(redTextPixels(window, QRect(kOrigin + QPoint(0, 0), QSize(242, 115))), 0);
}

// ---- The default skin --------------------------------------------------------------

// The default skin lights the chosen quadrant and the slider's fill in orange, leaves the
// rest grey, and paints the slider's knob near white.
bool isLit(QColor pixel)
{
    return pixel.red() > 0x90 && pixel.red() > pixel.blue() + 0x50;
}
bool isGrey(QColor pixel)
{
    return std::abs(pixel.red() - pixel.blue()) < 0x10 && pixel.red() < 0x60;
}
bool isKnob(QColor pixel)
{
    return pixel.red() > 0xD0 && pixel.green() > 0xD0 && pixel.blue() > 0xD0;
}

class DefaultSkinTest : public test::DefaultSkinSectionTest
{
protected:
    DefaultSkinTest() : DefaultSkinSectionTest(kOrigin) {}
};

// A spot inside each quadrant of the ring, clear of its label and of the gaps on the axes.
struct QuadrantSpot
{
    int rate;
    QPoint fromCentre;
};
const QuadrantSpot kQuadrantSpots[] = {
    {1000, {50, -20}}, {125, {-50, -20}}, {250, {-50, 20}}, {500, {50, 20}}};

TEST_F(DefaultSkinTest, ReportRateLightsTheQuadrantOfTheShownRate)
{
    struct Case
    {
        std::uint8_t stored;
        int shownRate;
        const char* screenshot;
    };
    const Case cases[] = {{1, 1000, "report_rate_1000hz"},   {2, 500, "report_rate_500hz"},
                          {4, 250, "report_rate_250hz"},     {8, 125, "report_rate_125hz"},
                          {0, 1000, "report_rate_stored_0"}, {6, 125, "report_rate_stored_6"}};
    ReportRateSection section;
    const int width = fixture.skin.size(section.contentBackground()).width();
    ASSERT_GT(width, 0);
    const QPoint centre = kOrigin + QPoint(width / 2, 69);
    for (const Case& c : cases) {
        fixture.record.setReportInterval(c.stored);
        const QImage window = fixture.paint(section);
        keep(window, section, c.screenshot);
        for (const QuadrantSpot& spot : kQuadrantSpots) {
            const QColor pixel = at(window, centre + spot.fromCentre);
            if (spot.rate == c.shownRate) {
                EXPECT_TRUE(isLit(pixel)) << c.screenshot << ": " << spot.rate << " Hz unlit";
            } else {
                EXPECT_TRUE(isGrey(pixel)) << c.screenshot << ": " << spot.rate << " Hz lit";
            }
        }
        EXPECT_EQ(fixture.record.reportInterval(), c.stored);
    }
}

TEST_F(DefaultSkinTest, PressOnAQuadrantLightsThatQuadrant)
{
    ReportRateSection section;
    const QPoint centre =
        kOrigin + QPoint(fixture.skin.size(section.contentBackground()).width() / 2, 69);
    fixture.record.setReportInterval(0);
    for (const QuadrantSpot& spot : kQuadrantSpots) {
        EXPECT_TRUE(section.click(centre + spot.fromCentre, kOrigin, fixture.context));
        EXPECT_EQ(1000 / fixture.record.reportInterval(), spot.rate);
        EXPECT_TRUE(isLit(at(fixture.paint(section), centre + spot.fromCentre))) << spot.rate;
    }
}

TEST_F(DefaultSkinTest, AngleSnapShowsTheLevelOnPictureAndSlider)
{
    struct Case
    {
        std::uint8_t stored;
        int shown;
        const char* screenshot;
    };
    const Case cases[] = {{1, 1, "angle_snap_1"},
                          {5, 5, "angle_snap_5"},
                          {10, 10, "angle_snap_10"},
                          {0, 1, "angle_snap_stored_0"},
                          {40, 10, "angle_snap_stored_40"}};
    AngleSnapSection section;
    for (const Case& c : cases) {
        fixture.record.setAngleSnapLevel(c.stored);
        const QImage window = fixture.paint(section);
        keep(window, section, c.screenshot);
        for (int level = 1; level <= 10; ++level) {
            // The picture's row of ten steps is lit up to the level.
            const QPoint step = kOrigin + QPoint(20 + 14 + qRound((level - 1) * 18.2) + 7, 82);
            EXPECT_EQ(isLit(at(window, step)), level <= c.shown)
                << c.screenshot << ": step " << level;
        }
        // The knob sits on the level's own pixels; left of it the slider is filled.
        const int knob = c.shown == 1 ? 4 : 9 + 21 * (c.shown - 2) + 10;
        const QPoint slider = kOrigin + QPoint(20, 110);
        EXPECT_TRUE(isKnob(at(window, slider + QPoint(knob, 0)))) << c.screenshot;
        if (c.shown > 2) {
            EXPECT_TRUE(isLit(at(window, slider + QPoint(knob - 21, 0)))) << c.screenshot;
        }
        if (c.shown < 9) {
            EXPECT_FALSE(isLit(at(window, slider + QPoint(knob + 21, 0)))) << c.screenshot;
        }
        EXPECT_EQ(fixture.record.angleSnapLevel(), c.stored);
    }
}

TEST_F(DefaultSkinTest, PressOnTheSliderMovesTheKnobThere)
{
    AngleSnapSection section;
    fixture.record.setAngleSnapLevel(1);
    const QPoint slider = kOrigin + QPoint(20, 110);
    // Presses in the middle of the steps of levels 7, 2 and 10.
    for (const int pixel : {9 + 21 * 5 + 10, 9 + 10, 9 + 21 * 8 + 10}) {
        EXPECT_TRUE(section.click(slider + QPoint(pixel, 0), kOrigin, fixture.context));
        EXPECT_TRUE(isKnob(at(fixture.paint(section), slider + QPoint(pixel, 0)))) << pixel;
    }
    EXPECT_EQ(fixture.record.angleSnapLevel(), 10);
}

} // namespace
} // namespace volantra
