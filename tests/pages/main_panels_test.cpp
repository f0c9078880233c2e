// The main window's panels drawn and pressed through the real skin library and real
// sections. A skin of flat-coloured images in a temporary folder shows which image landed
// where; the default skin gives the screenshots.
#include "assign/qt/button_assignment_section.h"
#include "model/profile_store.h"
#include "model/settings_record.h"
#include "pages/qt/angle_snap_section.h"
#include "pages/qt/dpi_section.h"
#include "pages/qt/lighting_section.h"
#include "pages/qt/main_panels.h"
#include "pages/qt/report_rate_section.h"
#include "pages/qt/xy_section.h"
#include "platform/posix_atomic_file_writer.h"
#include "skin/qt/image_button.h"
#include "skin/qt/skin_library.h"
#include "support/section_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>
#include <string>

namespace volantra {
namespace {

constexpr QSize kWindowSize = test::SectionFixture::kWindowSize;
const QColor kUnderneath = test::SectionFixture::kUnderneath;
const QColor kTextColour(0xFF, 0x00, 0x00);
const QColor kMiddle(0x20, 0x20, 0x60);
const QColor kLeft(0x20, 0x60, 0x20);
const QColor kRight(0x60, 0x20, 0x20);
const QColor kHeader(0x30, 0x30, 0x30);
const QColor kMacroItem(0x40, 0x40, 0x10);
const QColor kTrack(0x50, 0x50, 0x50);
const QColor kChosenView(0x00, 0xC0, 0xC0);
const QColor kOtherView(0x00, 0x60, 0x60);
const QColor kFrontPicture(0x70, 0x70, 0xF0);
const QColor kSidePicture(0xF0, 0x70, 0x70);
const QColor kRateBackground(0x22, 0x44, 0x66);
const QColor kXyBackground(0x66, 0x44, 0x22);

QColor sliderColour(int level)
{
    return QColor(20 * level, 0xFF, 0x00);
}

std::vector<test::FlatSkin::Image> flatImages()
{
    std::vector<test::FlatSkin::Image> images = {
        {"/BK_MainMid.png", QSize(472, 572), kMiddle},
        {"/BK_MainLeft.png", QSize(242, 497), kLeft},
        {"/BK_MainRight.png", QSize(242, 572), kRight},
        {"/ItemBK.png", QSize(242, 20), kHeader},
        {"/MacroManagementBK.png", QSize(242, 38), kMacroItem},
        {"/Bar1.png", QSize(7, 563), kTrack},
        {"/button-mouse-leave.png", QSize(62, 29), kChosenView},
        {"/button-mouse-normal.png", QSize(62, 29), kOtherView},
        {"/Mouse/Front/MouseFront.png", QSize(100, 100), kFrontPicture},
        {"/Mouse/Side/MouseSide.png", QSize(100, 100), kSidePicture},
        {"/ButtonAssignment/BK_ButtonAssignment.png", QSize(242, 183), Qt::gray},
        {"/XYSensitivity/BK_XYSensSetting.png", QSize(242, 137), kXyBackground},
        {"/DPISetting/BK_DPISetting.png", QSize(242, 213), Qt::darkGray},
        {"/Lighting/BK_Lighting.png", QSize(242, 106), Qt::darkGray},
        {"/USBReportRate/BK_USBReportRate.png", QSize(242, 140), kRateBackground},
        {"/MouseAttribute/BK_MouseAttribute.png", QSize(242, 103), Qt::darkGray},
        {"/MouseAttribute/BK_ScrollSpeed.png", QSize(242, 62), Qt::darkGray},
        {"/AngleSnap/BK_AngleSnap.png", QSize(242, 140), Qt::darkGray},
    };
    for (int level = 1; level <= 11; ++level)
        images.push_back(
            {"/StageSlider/" + std::to_string(level) + ".png", QSize(208, 9), sliderColour(level)});
    return images;
}

struct FlatSkin : test::FlatSkin
{
    FlatSkin() : test::FlatSkin(flatImages()) {}
};

// A window with the panels and the sections that exist so far; Button Assignment is left
// unregistered, so it shows its header only.
struct Window
{
    explicit Window(const SkinRoot& skinRoot) : skin(skinRoot)
    {
        widget.resize(kWindowSize);
        panels.setXySection(&xy);
        panels.setSection(RightSection::Dpi, &dpi);
        panels.setSection(RightSection::Lighting, &lighting);
        panels.setSection(RightSection::ReportRate, &rate);
        panels.setSection(RightSection::AngleSnap, &angleSnap);
        panels.refresh();
    }

    QImage paint()
    {
        return test::paintedWindow([this](QPainter& painter) { panels.paint(painter); });
    }

    SettingsRecord record;
    SkinLibrary skin;
    QWidget widget;
    SectionContext context{.record = record,
                           .skin = skin,
                           .window = &widget,
                           .textColour = kTextColour,
                           .font = QFont(),
                           .text = [](const char* english) { return QString(english); }};
    XySection xy;
    DpiSection dpi;
    LightingSection lighting;
    ReportRateSection rate;
    AngleSnapSection angleSnap;
    MainPanels panels{context};
};

using test::redTextPixels;

void dragThumb(ImageButton& thumb, int dy)
{
    const QPointF inside(3, 10);
    const QPointF global = QPointF(thumb.mapToGlobal(QPoint(3, 10)));
    QMouseEvent press(QEvent::MouseButtonPress, inside, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&thumb, &press);
    QMouseEvent move(QEvent::MouseMove, inside + QPointF(0, dy), global + QPointF(0, dy),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&thumb, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, inside + QPointF(0, dy),
                        global + QPointF(0, dy), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&thumb, &release);
}

TEST(MainPanelsTest, DrawsEveryPanelWithAllSectionsClosed)
{
    FlatSkin flat;
    Window window(flat.root());
    const QImage picture = window.paint();
    struct Case
    {
        QPoint at;
        QColor colour;
    };
    const Case cases[] = {
        {{262, 32}, kMiddle},      {{733, 400}, kMiddle},      {{437, 527}, kChosenView},
        {{561, 555}, kOtherView},  {{335, 58}, kFrontPicture}, {{20, 107}, kHeader},
        {{20, 127}, kLeft},        {{20, 132}, kMacroItem},    {{261, 169}, kMacroItem},
        {{20, 175}, kHeader},      {{20, 195}, kLeft},         {{734, 32}, kHeader},
        {{975, 51}, kHeader},      {{975, 55}, kRight},        {{975, 201}, kHeader},
        {{975, 202}, kRight},      {{984, 32}, kTrack},        {{990, 594}, kTrack},
        {{991, 300}, kUnderneath},
    };
    for (const Case& c : cases)
        EXPECT_EQ(picture.pixelColor(c.at), c.colour) << c.at.x() << "," << c.at.y();
    // Titles from 10 pixels right of the headers' left edges, none in the first 10.
    EXPECT_GT(redTextPixels(picture, QRect(744, 32, 120, 20)), 0);
    EXPECT_EQ(redTextPixels(picture, QRect(734, 32, 10, 20)), 0);
    EXPECT_GT(redTextPixels(picture, QRect(30, 132, 150, 38)), 0); // "Macro Manager"
    EXPECT_GT(redTextPixels(picture, QRect(437, 527, 62, 29)), 0); // "Front"
    EXPECT_TRUE(window.skin.takeNewProblems().isEmpty());
}

TEST(MainPanelsTest, HeaderPressesOpenSectionsAndMoveTheHeadersBelow)
{
    FlatSkin flat;
    Window window(flat.root());
    // Report Rate opens with its content; Lighting is drawn from its own section.
    PanelPress press = window.panels.press(QPoint(800, 90));
    EXPECT_TRUE(press.handled);
    EXPECT_TRUE(press.redraw);
    EXPECT_FALSE(press.recordChanged);
    QImage picture = window.paint();
    EXPECT_EQ(picture.pixelColor(734, 102), kRateBackground);
    EXPECT_EQ(picture.pixelColor(975, 241), kRateBackground);
    EXPECT_EQ(picture.pixelColor(975, 247), kHeader); // Mouse Speed at 102 + 140 + 5

    // A header of a section without a registered view shows no content, only the header.
    window.panels.press(QPoint(100, 110));
    picture = window.paint();
    EXPECT_EQ(picture.pixelColor(20, 127), kLeft);
    EXPECT_EQ(picture.pixelColor(20, 315), kMacroItem); // 127 + 183 + 5
    EXPECT_EQ(picture.pixelColor(20, 358), kHeader);
}

TEST(MainPanelsTest, XySlidersFollowTheLeftPanel)
{
    FlatSkin flat;
    Window window(flat.root());
    window.record.setXSensitivity(0); // as a profile may hold it
    window.record.setYSensitivity(200);
    window.panels.press(QPoint(100, 180)); // X/Y header
    QImage picture = window.paint();
    EXPECT_EQ(picture.pixelColor(20, 195), kXyBackground);
    EXPECT_EQ(picture.pixelColor(37, 235), sliderColour(1));
    EXPECT_EQ(picture.pixelColor(37, 295), sliderColour(11));
    EXPECT_EQ(window.record.xSensitivity(), 0) << "drawing changed the stored byte";
    EXPECT_EQ(window.record.ySensitivity(), 200);

    PanelPress press = window.panels.press(QPoint(37 + 9, 237));
    EXPECT_TRUE(press.recordChanged);
    EXPECT_EQ(window.record.xSensitivity(), 2);
    EXPECT_EQ(window.paint().pixelColor(37, 235), sliderColour(2));

    // Opening Button Assignment moves the section down by its height plus 5.
    window.panels.press(QPoint(100, 110));
    press = window.panels.press(QPoint(37 + 30, 237));
    EXPECT_FALSE(press.recordChanged);
    EXPECT_TRUE(press.handled); // on the assignment content
    EXPECT_EQ(window.record.xSensitivity(), 2);
    press = window.panels.press(QPoint(37 + 30, 418 + 2));
    EXPECT_TRUE(press.recordChanged);
    EXPECT_EQ(window.record.xSensitivity(), 3);
    EXPECT_EQ(window.paint().pixelColor(37, 418), sliderColour(3));
}

TEST(MainPanelsTest, PressesOutsideTheSections)
{
    FlatSkin flat;
    Window window(flat.root());
    PanelPress press = window.panels.press(QPoint(100, 140));
    EXPECT_TRUE(press.macroManagerRequested);
    EXPECT_TRUE(press.handled);

    press = window.panels.press(QPoint(600, 300));
    EXPECT_FALSE(press.handled);
    EXPECT_FALSE(press.redraw);

    press = window.panels.press(QPoint(520, 540));
    EXPECT_TRUE(press.handled);
    EXPECT_TRUE(press.redraw);
    const QImage picture = window.paint();
    EXPECT_EQ(picture.pixelColor(362, 59), kSidePicture);
    EXPECT_EQ(picture.pixelColor(500, 527), kChosenView);
    EXPECT_EQ(picture.pixelColor(437, 527), kOtherView);
}

TEST(MainPanelsTest, ThumbAndWheelSwitchTheRightPanelsView)
{
    FlatSkin flat;
    Window window(flat.root());
    int redraws = 0;
    QObject::connect(&window.panels, &MainPanels::redrawNeeded, [&redraws] { ++redraws; });
    ImageButton& thumb = window.panels.scrollThumb();
    EXPECT_EQ(thumb.geometry(), QRect(984, 32, 7, 114));

    window.panels.press(QPoint(800, 40)); // DPI
    ASSERT_NE(window.dpi.valueBox(0), nullptr);
    window.panels.press(QPoint(800, 300)); // Report Rate at 295, below DPI's 213 + 5
    ASSERT_TRUE(window.panels.state().expanded(RightSection::ReportRate));

    // A fast drag far past the end stops at the end of the track and still switches.
    dragThumb(thumb, 2000);
    EXPECT_EQ(thumb.y(), 481);
    EXPECT_EQ(window.panels.state().panelView(), PanelView::Bottom);
    EXPECT_EQ(redraws, 1);
    EXPECT_EQ(window.dpi.valueBox(0), nullptr) << "DPI controls stay up in the bottom view";
    EXPECT_EQ(window.paint().pixelColor(734, 32), kHeader); // Mouse Speed at the top

    EXPECT_TRUE(window.panels.wheel(QPoint(800, 300), 120));
    EXPECT_EQ(thumb.y(), 32);
    EXPECT_EQ(window.panels.state().panelView(), PanelView::Top);
    EXPECT_NE(window.dpi.valueBox(0), nullptr);
    EXPECT_FALSE(window.panels.wheel(QPoint(600, 300), -120)); // over the middle panel
    EXPECT_TRUE(window.panels.wheel(QPoint(800, 300), -120));
    EXPECT_EQ(thumb.y(), 481);

    window.panels.reset();
    EXPECT_EQ(thumb.y(), 32);
    EXPECT_EQ(window.dpi.valueBox(0), nullptr);
    EXPECT_EQ(window.panels.state().expandedCount(), 0);
    EXPECT_EQ(window.paint().pixelColor(975, 201), kHeader);
}

TEST(MainPanelsTest, RefreshShowsTheLoadedValuesInTheOpenSections)
{
    FlatSkin flat;
    Window window(flat.root());
    window.panels.press(QPoint(800, 40));
    ASSERT_NE(window.dpi.valueBox(1), nullptr);
    window.record.setDpiStage(1, 16); // a profile was loaded
    window.panels.refresh();
    EXPECT_EQ(window.dpi.valueBox(1)->text(), "800");
}

// The open Button Assignment section hears presses anywhere: its menu closes on a press
// elsewhere, the first-match areas of the left panel and the view buttons included.
TEST(MainPanelsTest, OpenAssignmentMenuClosesOnPressesElsewhere)
{
    FlatSkin flat;
    Window window(flat.root());
    test::TemporaryDirectory data;
    PosixAtomicFileWriter writer;
    ProfileStore store(data.path().string(), writer);
    ButtonAssignmentSection assignment(store, nullptr, {});
    window.panels.setAssignmentSection(&assignment);
    window.panels.refresh();
    window.panels.press(QPoint(100, 110)); // open Button Assignment

    const auto openList = [&] {
        const Rect box = PanelState::assignmentBox(2);
        const PanelPress press = window.panels.press(QPoint(box.left + 5, box.top + 5));
        EXPECT_TRUE(press.handled); // a box never moves the window
        return assignment.menu().openButton() == 2u && assignment.functionList() &&
               assignment.functionList()->isVisibleTo(&window.widget);
    };
    const QPoint elsewhere[] = {
        {100, 363}, // the X/Y header, moved down by the open section
        {520, 540}, // the Side view button
        {100, 320}, // Macro Manager
        {800, 90},  // a right-panel header
        {600, 300}, // a free spot of the middle panel
    };
    for (const QPoint point : elsewhere) {
        ASSERT_TRUE(openList()) << point.x() << "," << point.y();
        window.panels.press(point);
        EXPECT_EQ(assignment.menu().openButton(), std::nullopt) << point.x() << "," << point.y();
        EXPECT_FALSE(assignment.functionList()->isVisibleTo(&window.widget));
    }
}

// The panels over the default skin's window background, saved as screenshots.
TEST(MainPanelsTest, DefaultSkinScreenshots)
{
    const std::string root = SkinRoot::defaultSkin(VOLANTRA_DEFAULT_DATA_DIR).path();
    if (!QFileInfo::exists(QString::fromStdString(root + "/main.png")))
        GTEST_SKIP() << "the default skin is not built";
    Window window{SkinRoot(root)};
    window.context.textColour = QColor(230, 230, 230);
    window.record.setXSensitivity(6);
    window.record.setYSensitivity(3);
    window.record.setReportInterval(2);
    window.record.setAngleSnapLevel(4);
    for (std::size_t stage = 0; stage < SettingsRecord::kDpiStageCount; ++stage)
        window.record.setDpiStage(stage, static_cast<std::uint8_t>(16 * (stage + 1)));

    const auto shoot = [&](const char* name) {
        QImage picture(kWindowSize, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::black);
        QPainter painter(&picture);
        window.skin.draw(painter, "/main.png", QPoint(0, 0));
        window.panels.paint(painter);
        painter.end();
        QDir().mkpath(VOLANTRA_TEST_ARTIFACTS);
        // The thumb is a child widget over the picture; the screenshot shows it in place.
        QPainter(&picture).drawImage(window.panels.scrollThumb().pos(),
                                     window.panels.scrollThumb().grab().toImage());
        picture.save(QStringLiteral(VOLANTRA_TEST_ARTIFACTS "/%1.png").arg(name));
        return picture;
    };

    // Each header shows the opaque header image beyond its title.
    const QImage header = window.skin.image("/ItemBK.png");
    ASSERT_FALSE(header.hasAlphaChannel());
    const QColor headerPixel = header.pixelColor(236, 10);
    QImage picture = shoot("main_panels_closed");
    for (const int top : {32, 57, 82, 107, 132, 157, 182})
        EXPECT_EQ(picture.pixelColor(970, top + 10), headerPixel) << top;
    EXPECT_EQ(picture.pixelColor(256, 185), headerPixel); // X/Y Sensitivity

    window.panels.press(QPoint(800, 40));  // DPI
    window.panels.press(QPoint(100, 110)); // Button Assignment (header only)
    const int lightingTop = 52 + window.skin.size("/DPISetting/BK_DPISetting.png").height() + 5;
    window.panels.press(QPoint(800, lightingTop + 5));
    window.panels.press(QPoint(100, window.panels.state().xyHeader().top + 5));
    picture = shoot("main_panels_open");
    EXPECT_EQ(picture.pixelColor(970, lightingTop + 10), headerPixel);
    EXPECT_EQ(picture.pixelColor(256, window.panels.state().xyHeader().top + 10), headerPixel);

    window.panels.wheel(QPoint(800, 300), -120);
    picture = shoot("main_panels_bottom");
    EXPECT_EQ(window.panels.state().panelView(), PanelView::Bottom);
    EXPECT_EQ(picture.pixelColor(970, 42), headerPixel);
}

} // namespace
} // namespace volantra
