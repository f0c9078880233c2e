// The default skin as the program reads it: painted into a temporary data folder, then
// every file decoded again and measured against the places the windows draw it.
#include "support/temporary_directory.h"
#include "tools/build_file_writer.h"
#include "tools/default_skin.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QImageReader>
#include <QMap>
#include <QRect>
#include <filesystem>
#include <gtest/gtest.h>
#include <numeric>
#include <string>
#include <vector>

namespace volantra {
namespace {

// The fonts of the painter need an application object; no display is needed.
class OffscreenApplication : public ::testing::Environment
{
public:
    void SetUp() override
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "default_skin_test";
        static char* argv[] = {name, nullptr};
        m_application = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { m_application.reset(); }

private:
    std::unique_ptr<QGuiApplication> m_application;
};
const ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new OffscreenApplication);

class DefaultSkinTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_folder = new test::TemporaryDirectory;
        BuildFileWriter writer;
        const Status written = DefaultSkin::write(s_folder->path().string(), "", writer);
        ASSERT_TRUE(written) << written.error().message;
        s_images = new QMap<QString, QImage>;
        const QString skin = QString::fromStdString(s_folder->file("Skins/Default"));
        QDirIterator files(skin, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString file = files.next();
            QImageReader reader(file);
            s_images->insert(file.mid(skin.size()), reader.read());
        }
    }
    static void TearDownTestSuite()
    {
        delete s_images;
        delete s_folder;
    }

    static QImage image(const QString& path) { return s_images->value(path); }
    static QSize size(const QString& path) { return image(path).size(); }

    static test::TemporaryDirectory* s_folder;
    static QMap<QString, QImage>* s_images;
};

test::TemporaryDirectory* DefaultSkinTest::s_folder = nullptr;
QMap<QString, QImage>* DefaultSkinTest::s_images = nullptr;

QStringList numbered(const QString& pattern, const std::vector<int>& numbers)
{
    QStringList paths;
    for (int number : numbers)
        paths << pattern.arg(number);
    return paths;
}

std::vector<int> range(int first, int last)
{
    std::vector<int> numbers(static_cast<std::size_t>(last - first + 1));
    std::iota(numbers.begin(), numbers.end(), first);
    return numbers;
}

// Every image the windows ask for by name.
const char* const kCatalogue[] = {"/main.png",
                                  "/Logo.png",
                                  "/Bar1.png",
                                  "/ItemBK.png",
                                  "/BK_MainLeft.png",
                                  "/BK_MainMid.png",
                                  "/BK_MainRight.png",
                                  "/MacroManagementBK.png",
                                  "/Enable.png",
                                  "/Disable.png",
                                  "/Load-normal.png",
                                  "/Load-over.png",
                                  "/button-cancel-normal.png",
                                  "/button-cancel-over.png",
                                  "/button-close-normal.png",
                                  "/button-close-over.png",
                                  "/button-config-normal.png",
                                  "/button-config-over.png",
                                  "/button-help-normal.png",
                                  "/button-help-over.png",
                                  "/button-min-normal.png",
                                  "/button-min-over.png",
                                  "/button-save-normal.png",
                                  "/button-save-over.png",
                                  "/button-mouse-normal.png",
                                  "/button-mouse-leave.png",
                                  "/AngleSnap/BK_AngleSnap.png",
                                  "/DPISetting/BK_DPISetting.png",
                                  "/DPISetting/BK-DPIValue.png",
                                  "/Lighting/BK_Lighting.png",
                                  "/USBReportRate/BK_USBReportRate.png",
                                  "/XYSensitivity/BK_XYSensSetting.png",
                                  "/MouseAttribute/BK_MouseAttribute.png",
                                  "/MouseAttribute/BK_ScrollSpeed.png",
                                  "/MouseAttribute/ScrollSpeed/Enable.png",
                                  "/MouseAttribute/ScrollSpeed/Disable.png",
                                  "/MouseAttribute/ScrollSpeed/ScrollLines.png",
                                  "/ButtonAssignment/BK_ButtonAssignment.png",
                                  "/ButtonAssignment/DropdownBox-normal.png",
                                  "/ButtonAssignment/DropdownBox-over.png",
                                  "/ButtonAssignment/DropdownBox-leave.png",
                                  "/Mouse/Front/MouseFront.png",
                                  "/Mouse/Side/MouseSide.png",
                                  "/Mouse/Back/B-4-normal.png",
                                  "/Mouse/Back/B-4-over.png",
                                  "/Mouse/Back/B-5-normal.png",
                                  "/Mouse/Back/B-5-over.png",
                                  "/single-key.png",
                                  "/combo-key.png",
                                  "/macro-key.png",
                                  "/Pane.png",
                                  "/PaneMakingTick.png",
                                  "/MacroManagement/button-new-normal.png",
                                  "/MacroManagement/button-new-over.png",
                                  "/MacroManagement/MacroManagement.png",
                                  "/MacroManagement/Record-normal.png",
                                  "/MacroManagement/Pane.png",
                                  "/MacroManagement/PaneMakingTick.png",
                                  "/MacroManagement/button-cancel-normal.png",
                                  "/MacroManagement/button-cancel-over.png",
                                  "/macro-button-close-normal.png",
                                  "/macro-button-close-over.png",
                                  "/Insert-Macro-normal.png",
                                  "/Insert-Macro-over.png",
                                  "/Config/Config.png",
                                  "/Config/New-Config.png",
                                  "/Help/HelpWindow.png"};

// The numbered images, each family with the one size its place needs.
struct Family
{
    QStringList paths;
    QSize size;
};

std::vector<Family> numberedFamilies()
{
    return {
        {numbered("/DPISetting/DPIStage/%1.png", range(1, 100)), {10, 113}},
        {numbered("/StageSlider/%1.png", range(1, 11)), {208, 9}},
        {numbered("/Lighting/%1.png", range(1, 6)), {128, 8}},
        {numbered("/USBReportRate/%1HZ.png", {125, 250, 500, 1000}), {128, 128}},
        {numbered("/AngleSnap/%1.png", range(1, 10)), {207, 85}},
        {numbered("/MouseAttribute/Speed/%1.png", range(1, 12)), {142, 83}},
        {numbered("/MouseSlider%1-normal.png", range(1, 8)) +
             numbered("/MouseSlider%1-over.png", range(1, 8)),
         {}},
    };
}

TEST_F(DefaultSkinTest, EveryImageTheWindowsNameExistsAndDecodes)
{
    QStringList paths;
    for (const char* path : kCatalogue)
        paths << path;
    for (const Family& family : numberedFamilies())
        paths += family.paths;
    for (const char* view : {"/Mouse/Front/F-%1-", "/Mouse/Side/S-%1-"}) {
        paths += numbered(QString(view) + "normal.png", range(1, 8));
        paths += numbered(QString(view) + "over.png", range(1, 8));
    }
    for (const QString& path : paths) {
        SCOPED_TRACE(path.toStdString());
        ASSERT_TRUE(s_images->contains(path));
        EXPECT_FALSE(image(path).isNull()) << "does not decode";
    }
    EXPECT_GE(s_images->size(), paths.size());
}

// Each image is painted again at twice the size for high-density screens, under Qt's
// "@2x" name; the program reads the pair by that name and relies on the exact ratio.
TEST_F(DefaultSkinTest, EveryImageHasATwinAtTwiceItsSize)
{
    int twins = 0;
    for (auto it = s_images->cbegin(); it != s_images->cend(); ++it) {
        SCOPED_TRACE(it.key().toStdString());
        QString twin = it.key();
        if (twin.endsWith("@2x.png")) {
            EXPECT_TRUE(s_images->contains(twin.replace("@2x.png", ".png"))) << "no 1× image";
            continue;
        }
        twin.replace(twin.size() - 4, 4, "@2x.png");
        ASSERT_TRUE(s_images->contains(twin));
        EXPECT_EQ(image(twin).size(), it.value().size() * 2);
        ++twins;
    }
    EXPECT_GT(twins, 250);
}

TEST_F(DefaultSkinTest, NumberedImagesShareTheSizeOfTheirPlace)
{
    for (const Family& family : numberedFamilies()) {
        const QSize expected = family.size.isValid() ? family.size : size(family.paths.first());
        for (const QString& path : family.paths)
            EXPECT_EQ(size(path), expected) << path.toStdString();
    }
}

// What the windows place over or around each image, as sizes it must have, reach or not
// exceed. Positions are those of the window that draws the image.
TEST_F(DefaultSkinTest, EachImageFitsTheRectanglesOfItsWindow)
{
    struct Case
    {
        const char* path;
        QSize atLeast;
        QSize atMost; // empty: no upper bound
        const char* why;
    } const cases[] = {
        {"/main.png", {994, 634}, {}, "close button to x 994, bottom bar to y 634"},
        {"/Logo.png", {1, 1}, {242, 75}, "at (20, 32) above the left panel at y 107"},
        {"/Bar1.png", {7, 564}, {7, 564}, "the thumb's track at (984, 32) to y 595"},
        {"/button-help-normal.png", {15, 15}, {15, 15}, "(937, 5)-(952, 20)"},
        {"/button-help-over.png", {15, 15}, {15, 15}, "(937, 5)-(952, 20)"},
        {"/button-min-normal.png", {15, 15}, {15, 15}, "(958, 5)-(973, 20)"},
        {"/button-min-over.png", {15, 15}, {15, 15}, "(958, 5)-(973, 20)"},
        {"/button-close-normal.png", {15, 15}, {15, 15}, "(979, 5)-(994, 20)"},
        {"/button-close-over.png", {15, 15}, {15, 15}, "(979, 5)-(994, 20)"},
        {"/button-cancel-normal.png", {57, 30}, {57, 30}, "Reset and Cancel, 57 x 30"},
        {"/button-cancel-over.png", {57, 30}, {57, 30}, "Reset and Cancel, 57 x 30"},
        {"/button-save-normal.png", {57, 30}, {57, 30}, "(923, 604)-(980, 634)"},
        {"/button-save-over.png", {57, 30}, {57, 30}, "(923, 604)-(980, 634)"},
        {"/button-config-normal.png", {72, 30}, {72, 30}, "(18, 604)-(90, 634)"},
        {"/button-config-over.png", {72, 30}, {72, 30}, "(18, 604)-(90, 634)"},
        {"/button-mouse-normal.png", {62, 29}, {62, 29}, "(437, 527)-(499, 556)"},
        {"/button-mouse-leave.png", {62, 29}, {62, 29}, "(500, 527)-(562, 556)"},
        {"/Load-normal.png", {59, 23}, {59, 23}, "(573, 503)-(632, 526)"},
        {"/Load-over.png", {59, 23}, {59, 23}, "(573, 503)-(632, 526)"},
        {"/BK_MainMid.png", {472, 555}, {472, 572}, "(262, 32) under the buttons to y 587"},
        {"/BK_MainLeft.png", {242, 1}, {242, 497}, "(20, 107) above the bottom bar"},
        {"/BK_MainRight.png", {242, 572}, {242, 572}, "(734, 32) to the bottom bar"},
        {"/ItemBK.png", {242, 20}, {242, 20}, "section headers"},
        {"/MacroManagementBK.png", {242, 38}, {242, 38}, "the Macro Manager item"},
        {"/ButtonAssignment/BK_ButtonAssignment.png",
         {242, 183},
         {242, 0},
         "box 8 at (120, 294)-(250, 310) below (20, 127)"},
        {"/ButtonAssignment/DropdownBox-normal.png", {130, 16}, {130, 16}, "a box"},
        {"/ButtonAssignment/DropdownBox-over.png", {130, 16}, {130, 16}, "a box"},
        {"/ButtonAssignment/DropdownBox-leave.png", {130, 16}, {130, 16}, "a box"},
        {"/XYSensitivity/BK_XYSensSetting.png", {242, 137}, {242, 0}, "Y captions to Y0 + 137"},
        {"/DPISetting/BK_DPISetting.png", {242, 213}, {242, 0}, "colour boxes to y 265"},
        {"/DPISetting/BK-DPIValue.png", {40, 16}, {40, 16}, "value boxes (760, 220)-(800, 236)"},
        {"/Lighting/BK_Lighting.png", {242, 106}, {242, 0}, "row 3 captions to Y0 + 106"},
        {"/Enable.png", {10, 9}, {10, 9}, "mode marks"},
        {"/Disable.png", {10, 9}, {10, 9}, "mode marks"},
        {"/USBReportRate/BK_USBReportRate.png", {242, 133}, {242, 0}, "the ring to Y0 + 133"},
        {"/AngleSnap/BK_AngleSnap.png", {228, 135}, {242, 0}, "step captions to Y0 + 135"},
        {"/MouseAttribute/BK_MouseAttribute.png",
         {202, 103},
         {242, 0},
         "dial and captions 30 pixels either side"},
        {"/MouseAttribute/BK_ScrollSpeed.png", {200, 62}, {242, 0}, "arrows to X0 + 200"},
        {"/MouseAttribute/ScrollSpeed/Enable.png", {12, 12}, {12, 12}, "scroll marks"},
        {"/MouseAttribute/ScrollSpeed/Disable.png", {12, 12}, {12, 12}, "scroll marks"},
        {"/MouseAttribute/ScrollSpeed/ScrollLines.png", {36, 14}, {36, 14}, "the lines box"},
        {"/single-key.png", {372, 275}, {}, "OK and Cancel to (372, 275)"},
        {"/combo-key.png", {372, 275}, {}, "OK and Cancel to (372, 275)"},
        {"/macro-key.png", {390, 286}, {}, "mode texts to x 390, the list to y 286"},
        {"/Pane.png", {16, 16}, {16, 16}, "ticks (220, 78)-(236, 94)"},
        {"/PaneMakingTick.png", {16, 16}, {16, 16}, "ticks (220, 78)-(236, 94)"},
        {"/MacroManagement/MacroManagement.png", {478, 422}, {}, "close to x 478, OK to y 422"},
        {"/MacroManagement/button-new-normal.png", {58, 25}, {58, 25}, "(250, 250)-(308, 275)"},
        {"/MacroManagement/button-new-over.png", {58, 25}, {58, 25}, "(250, 250)-(308, 275)"},
        {"/MacroManagement/button-cancel-normal.png", {54, 28}, {54, 28}, "(298, 394)-(352, 422)"},
        {"/MacroManagement/button-cancel-over.png", {54, 28}, {54, 28}, "(298, 394)-(352, 422)"},
        {"/macro-button-close-normal.png", {51, 24}, {51, 24}, "(427, 17)-(478, 41)"},
        {"/macro-button-close-over.png", {51, 24}, {51, 24}, "(427, 17)-(478, 41)"},
        {"/MacroManagement/Record-normal.png", {89, 24}, {89, 24}, "(295, 87)-(384, 111)"},
        {"/MacroManagement/Pane.png", {14, 14}, {14, 14}, "(370, 144)-(384, 158)"},
        {"/MacroManagement/PaneMakingTick.png", {14, 14}, {14, 14}, "(370, 144)-(384, 158)"},
        {"/Config/Config.png", {263, 598}, {0, 604}, "New to y 598, above the bottom bar"},
        {"/Config/New-Config.png", {1, 1}, {16, 16}, "at (14, 582) in the New line"},
        {"/Help/HelpWindow.png", {372, 275}, {}, "OK and Cancel to (372, 275)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + ": " + c.why);
        const QSize actual = size(c.path);
        EXPECT_GE(actual.width(), c.atLeast.width());
        EXPECT_GE(actual.height(), c.atLeast.height());
        if (c.atMost.width() > 0) {
            EXPECT_LE(actual.width(), c.atMost.width());
        }
        if (c.atMost.height() > 0) {
            EXPECT_LE(actual.height(), c.atMost.height());
        }
    }
}

// The right panel is laid out from the heights of its section backgrounds: a section's
// header is 20 high, an open section adds its height, and 5 pixels separate sections.
// Every layout the panel draws must end above the bottom bar at y 604. The one layout
// that no heights meet (Lighting, Report Rate and both dials open) is not listed: the
// page limits it.
TEST_F(DefaultSkinTest, EveryLayoutOfTheRightPanelEndsAboveTheBottomBar)
{
    const QString sections[] = {"", // sections count from 1
                                "/DPISetting/BK_DPISetting.png",
                                "/Lighting/BK_Lighting.png",
                                "/USBReportRate/BK_USBReportRate.png",
                                "/MouseAttribute/BK_MouseAttribute.png",
                                "/MouseAttribute/BK_MouseAttribute.png",
                                "/MouseAttribute/BK_ScrollSpeed.png",
                                "/AngleSnap/BK_AngleSnap.png"};
    struct Case
    {
        std::vector<int> open;
        int limit; // of the sum of their heights
    } const cases[] = {
        {{1, 2}, 427},    {{1, 2, 3}, 502}, {{1, 2, 4}, 477},    {{1, 5}, 452},
        {{1, 6}, 427},    {{1, 7}, 402},    {{2, 3, 4, 6}, 427}, {{2, 3, 5, 6}, 427},
        {{2, 4, 5}, 452}, {{2, 4, 7}, 402}, {{2, 5, 7}, 402},    {{2, 6, 7}, 402},
        {{3, 4, 5}, 452}, {{3, 7}, 402},    {{4, 5, 6}, 427},    {{4, 5, 6, 7}, 477},
        {{4, 5, 7}, 402}, {{4, 6, 7}, 402}, {{5, 6, 7}, 402},
    };
    for (const Case& c : cases) {
        int sum = 0;
        std::string names;
        for (int section : c.open) {
            sum += size(sections[section]).height();
            names += std::to_string(section) + " ";
        }
        EXPECT_LE(sum, c.limit) << "open sections " << names;
    }
}

TEST_F(DefaultSkinTest, TheLeftPanelHoldsBothOpenSectionsAboveTheBottomBar)
{
    // Header 107-127, Button Assignment, 5, Macro Manager 38, 5, X/Y header 20, X/Y.
    const int bottom = 127 + size("/ButtonAssignment/BK_ButtonAssignment.png").height() + 5 + 38 +
                       5 + 20 + size("/XYSensitivity/BK_XYSensSetting.png").height();
    EXPECT_LE(bottom, 604);
    EXPECT_GE(107 + size("/BK_MainLeft.png").height(), bottom)
        << "the panel background clears what the open sections drew";
}

// The marks of the eight buttons, at their corners in the main window, and the picture
// of their view.
struct MarkCase
{
    QString path;
    QPoint corner;
    QString picture;
    QPoint pictureOrigin;
};

std::vector<MarkCase> markCases()
{
    const QPoint front[] = {{335, 100}, {515, 100}, {473, 176}, {335, 163},
                            {335, 189}, {473, 250}, {335, 227}, {335, 262}};
    const QPoint side[] = {{362, 80},  {480, 88},  {509, 171}, {362, 160},
                           {362, 186}, {533, 250}, {362, 220}, {362, 265}};
    std::vector<MarkCase> cases;
    for (int button = 1; button <= 8; ++button) {
        cases.push_back({QString("/Mouse/Front/F-%1-").arg(button),
                         front[button - 1],
                         "/Mouse/Front/MouseFront.png",
                         {335, 58}});
        cases.push_back({QString("/Mouse/Side/S-%1-").arg(button),
                         side[button - 1],
                         "/Mouse/Side/MouseSide.png",
                         {362, 59}});
    }
    return cases;
}

TEST_F(DefaultSkinTest, ButtonMarksLineUpWithTheirPicture)
{
    const QRect middlePanel(262, 32, 472, 495); // x < 734, above the view buttons at y 527
    for (const MarkCase& c : markCases()) {
        SCOPED_TRACE(c.path.toStdString());
        const QImage normal = image(c.path + "normal.png");
        const QImage over = image(c.path + "over.png");
        ASSERT_FALSE(normal.isNull());
        EXPECT_EQ(normal.size(), over.size());
        const QRect place(c.corner, normal.size());
        EXPECT_TRUE(middlePanel.contains(place));
        const QImage picture = image(c.picture);
        const QRect onPicture = place.translated(-c.pictureOrigin);
        ASSERT_TRUE(picture.rect().contains(onPicture));
        // Drawing the normal mark over the picture changes nothing; the over mark shows.
        EXPECT_EQ(normal.convertToFormat(QImage::Format_RGB32),
                  picture.copy(onPicture).convertToFormat(QImage::Format_RGB32));
        EXPECT_NE(normal.convertToFormat(QImage::Format_RGB32),
                  over.convertToFormat(QImage::Format_RGB32));
    }
    // The back view's two marks stay in the middle panel too.
    for (const auto& [path, corner] : {std::pair{"/Mouse/Back/B-4-", QPoint(553, 225)},
                                       std::pair{"/Mouse/Back/B-5-", QPoint(558, 264)}}) {
        const QSize normal = size(QString(path) + "normal.png");
        EXPECT_EQ(normal, size(QString(path) + "over.png")) << path;
        EXPECT_TRUE(middlePanel.contains(QRect(corner, normal))) << path;
    }
}

// The two looks of one button or mark, drawn over each other at the same spot.
const std::pair<const char*, const char*> kStatePairs[] = {
    {"/button-help-normal.png", "/button-help-over.png"},
    {"/button-min-normal.png", "/button-min-over.png"},
    {"/button-close-normal.png", "/button-close-over.png"},
    {"/button-cancel-normal.png", "/button-cancel-over.png"},
    {"/button-save-normal.png", "/button-save-over.png"},
    {"/button-config-normal.png", "/button-config-over.png"},
    {"/button-mouse-normal.png", "/button-mouse-leave.png"},
    {"/Load-normal.png", "/Load-over.png"},
    {"/Enable.png", "/Disable.png"},
    {"/MouseAttribute/ScrollSpeed/Enable.png", "/MouseAttribute/ScrollSpeed/Disable.png"},
    {"/ButtonAssignment/DropdownBox-normal.png", "/ButtonAssignment/DropdownBox-over.png"},
    {"/ButtonAssignment/DropdownBox-normal.png", "/ButtonAssignment/DropdownBox-leave.png"},
    {"/Pane.png", "/PaneMakingTick.png"},
    {"/MacroManagement/Pane.png", "/MacroManagement/PaneMakingTick.png"},
    {"/MacroManagement/button-new-normal.png", "/MacroManagement/button-new-over.png"},
    {"/MacroManagement/button-cancel-normal.png", "/MacroManagement/button-cancel-over.png"},
    {"/macro-button-close-normal.png", "/macro-button-close-over.png"},
    {"/Insert-Macro-normal.png", "/Insert-Macro-over.png"},
    {"/Mouse/Back/B-4-normal.png", "/Mouse/Back/B-4-over.png"},
    {"/Mouse/Back/B-5-normal.png", "/Mouse/Back/B-5-over.png"},
};

TEST_F(DefaultSkinTest, TheLooksOfAButtonHaveOneSizeAndDiffer)
{
    for (const auto& [first, second] : kStatePairs) {
        SCOPED_TRACE(std::string(first) + " and " + second);
        EXPECT_EQ(size(first), size(second));
        EXPECT_NE(image(first).convertToFormat(QImage::Format_RGB32),
                  image(second).convertToFormat(QImage::Format_RGB32));
    }
}

bool opaque(const QImage& image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(argb.pixel(x, y)) != 255)
                return false;
        }
    }
    return !image.isNull();
}

// Windows draw a new state straight over the old one (a hover, a click on a bar or a
// mark): an image with transparent pixels would let the old state show through.
TEST_F(DefaultSkinTest, ImagesDrawnOverTheirOtherStatesAreOpaque)
{
    QStringList paths;
    for (const Family& family : numberedFamilies())
        paths += family.paths;
    for (const MarkCase& c : markCases())
        paths << c.path + "normal.png" << c.path + "over.png";
    for (const auto& [first, second] : kStatePairs)
        paths << first << second;
    for (const QString& path : paths)
        EXPECT_TRUE(opaque(image(path))) << path.toStdString();
}

// Faces are painted on the colour of the spot where the windows draw them, so that
// their corners do not show as boxes: each corner matches the background beneath.
TEST_F(DefaultSkinTest, ImagesCarryTheColourOfTheSpotTheyAreDrawnOn)
{
    struct Case
    {
        const char* path;
        const char* background;
        QPoint at; // in the background
    } const cases[] = {
        {"/button-help-normal.png", "/main.png", {937, 5}},
        {"/button-min-over.png", "/main.png", {958, 5}},
        {"/button-close-normal.png", "/main.png", {979, 5}},
        {"/button-cancel-normal.png", "/main.png", {798, 604}},
        {"/button-cancel-over.png", "/main.png", {860, 604}},
        {"/button-save-normal.png", "/main.png", {923, 604}},
        {"/button-config-over.png", "/main.png", {18, 604}},
        {"/Bar1.png", "/main.png", {984, 32}},
        {"/button-mouse-leave.png", "/BK_MainMid.png", {437 - 262, 527 - 32}},
        {"/button-mouse-normal.png", "/BK_MainMid.png", {500 - 262, 527 - 32}},
        {"/Load-normal.png", "/BK_MainMid.png", {573 - 262, 503 - 32}},
        {"/Load-over.png", "/BK_MainMid.png", {573 - 262, 564 - 32}},
        {"/ButtonAssignment/DropdownBox-normal.png",
         "/ButtonAssignment/BK_ButtonAssignment.png",
         {100, 27}},
        {"/ButtonAssignment/DropdownBox-over.png",
         "/ButtonAssignment/BK_ButtonAssignment.png",
         {100, 27 + 20 * 7}},
        {"/StageSlider/11.png", "/XYSensitivity/BK_XYSensSetting.png", {17, 100}},
        {"/StageSlider/1.png", "/AngleSnap/BK_AngleSnap.png", {20, 106}},
        {"/AngleSnap/10.png", "/AngleSnap/BK_AngleSnap.png", {20, 10}},
        {"/DPISetting/DPIStage/100.png", "/DPISetting/BK_DPISetting.png", {41, 38}},
        {"/DPISetting/DPIStage/2.png", "/DPISetting/BK_DPISetting.png", {201, 38}},
        {"/DPISetting/BK-DPIValue.png", "/DPISetting/BK_DPISetting.png", {186, 168}},
        {"/Enable.png", "/Lighting/BK_Lighting.png", {10, 20}},
        {"/Disable.png", "/Lighting/BK_Lighting.png", {10, 20 + 29 * 2}},
        {"/Lighting/6.png", "/Lighting/BK_Lighting.png", {100, 20 + 29 * 2}},
        {"/USBReportRate/500HZ.png", "/USBReportRate/BK_USBReportRate.png", {121 - 64, 5}},
        {"/MouseAttribute/Speed/7.png", "/MouseAttribute/BK_MouseAttribute.png", {121 - 71, 20}},
        {"/MouseAttribute/ScrollSpeed/Enable.png", "/MouseAttribute/BK_ScrollSpeed.png", {10, 15}},
        {"/MouseAttribute/ScrollSpeed/Disable.png", "/MouseAttribute/BK_ScrollSpeed.png", {10, 50}},
        {"/MouseAttribute/ScrollSpeed/ScrollLines.png",
         "/MouseAttribute/BK_ScrollSpeed.png",
         {150, 15}},
        {"/button-close-over.png", "/single-key.png", {352, 6}},
        {"/MacroManagement/button-new-normal.png", "/combo-key.png", {250, 250}},
        {"/MacroManagement/button-new-over.png", "/Help/HelpWindow.png", {314, 250}},
        {"/PaneMakingTick.png", "/macro-key.png", {220, 78}},
        {"/Pane.png", "/macro-key.png", {220, 178}},
        {"/MacroManagement/button-new-normal.png",
         "/MacroManagement/MacroManagement.png",
         {17, 367}},
        {"/MacroManagement/button-cancel-over.png",
         "/MacroManagement/MacroManagement.png",
         {354, 394}},
        {"/macro-button-close-normal.png", "/MacroManagement/MacroManagement.png", {427, 17}},
        {"/MacroManagement/Record-normal.png", "/MacroManagement/MacroManagement.png", {295, 87}},
        {"/MacroManagement/Pane.png", "/MacroManagement/MacroManagement.png", {370, 144}},
        {"/MacroManagement/PaneMakingTick.png", "/MacroManagement/MacroManagement.png", {296, 314}},
        {"/button-close-normal.png", "/Config/Config.png", {240, 8}},
        {"/Config/New-Config.png", "/Config/Config.png", {14, 582}},
    };
    const auto near = [](QRgb a, QRgb b) {
        constexpr int kTolerance = 8; // the anti-aliased edge of a rounded face
        return std::abs(qRed(a) - qRed(b)) <= kTolerance &&
               std::abs(qGreen(a) - qGreen(b)) <= kTolerance &&
               std::abs(qBlue(a) - qBlue(b)) <= kTolerance;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " on " + c.background);
        const QImage face = image(c.path);
        const QImage background = image(c.background);
        ASSERT_TRUE(background.rect().contains(QRect(c.at, face.size())));
        const QRect box = face.rect();
        for (const QPoint corner :
             {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()})
            EXPECT_TRUE(near(face.pixel(corner), background.pixel(c.at + corner)))
                << "corner " << corner.x() << ", " << corner.y();
    }
}

// The macro manager's right column holds no button, so nothing drawn there may look like
// one: a picture of outlines, not faces filled and shaded.
TEST_F(DefaultSkinTest, TheMacroManagersRightColumnHasNoButtonFaces)
{
    const QImage dialog = image("/MacroManagement/MacroManagement.png");
    const QRect column(410, 60, 68, 300);
    const QRgb ground = dialog.pixel(column.topLeft());
    int drawn = 0;
    for (int y = column.top(); y <= column.bottom(); ++y) {
        for (int x = column.left(); x <= column.right(); ++x) {
            const QRgb pixel = dialog.pixel(x, y);
            drawn += std::abs(qGray(pixel) - qGray(ground)) > 6;
        }
    }
    EXPECT_LT(drawn, column.width() * column.height() / 10);
}

bool lit(QRgb pixel)
{
    // The accent is orange: much more red than blue.
    return qRed(pixel) > 150 && qRed(pixel) - qBlue(pixel) > 60;
}

// A DPI bar lights the rows that give its value or less when clicked: for value v, from
// row 112 - v down to the bottom, under a light cap.
TEST_F(DefaultSkinTest, DpiBarsLightTheRowsOfTheirValue)
{
    for (int value : {10, 16, 50, 99, 100}) {
        SCOPED_TRACE(value);
        const QImage bar = image(QString("/DPISetting/DPIStage/%1.png").arg(value));
        const int top = 112 - value;
        EXPECT_TRUE(lit(bar.pixel(5, 108))) << "near the bottom";
        EXPECT_TRUE(lit(bar.pixel(5, top + 4))) << "under the cap";
        EXPECT_FALSE(lit(bar.pixel(5, top - 4))) << "above the fill";
    }
}

// The report-rate ring lights the quadrant that a click there chooses: upper right 1000,
// upper left 125, lower left 250, lower right 500.
TEST_F(DefaultSkinTest, TheReportRateRingLightsTheChosenQuadrant)
{
    struct Quadrant
    {
        int rate;
        QPoint inRing; // 50 pixels from the centre (64, 64) at 30 degrees from an axis
    } const quadrants[] = {
        {1000, {64 + 43, 64 - 25}},
        {125, {64 - 43, 64 - 25}},
        {250, {64 - 43, 64 + 25}},
        {500, {64 + 43, 64 + 25}},
    };
    for (const Quadrant& chosen : quadrants) {
        const QImage ring = image(QString("/USBReportRate/%1HZ.png").arg(chosen.rate));
        for (const Quadrant& quadrant : quadrants)
            EXPECT_EQ(lit(ring.pixel(quadrant.inRing)), quadrant.rate == chosen.rate)
                << "ring of " << chosen.rate << ", quadrant of " << quadrant.rate;
    }
}

TEST(DefaultSkinContactSheet, ShowsEveryImageAndStaysOutOfTheSkin)
{
    test::TemporaryDirectory folder;
    BuildFileWriter writer;
    const std::string sheetPath = folder.file("review/skin-contact-sheet.png");
    const Status written = DefaultSkin::write(folder.path().string(), sheetPath, writer);
    ASSERT_TRUE(written) << written.error().message;
    QImageReader reader(QString::fromStdString(sheetPath));
    const QImage sheet = reader.read();
    ASSERT_FALSE(sheet.isNull()) << reader.errorString().toStdString();
    qint64 imagesArea = 0;
    int images = 0;
    QDirIterator files(QString::fromStdString(folder.file("Skins/Default")), QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString file = files.next();
        if (file.endsWith("@2x.png"))
            continue; // the sheet shows the 1× images
        const QSize each = QImageReader(file).size();
        EXPECT_LE(each.width(), sheet.width());
        imagesArea += qint64(each.width()) * each.height();
        ++images;
    }
    EXPECT_GT(images, 250);
    EXPECT_GT(qint64(sheet.width()) * sheet.height(), imagesArea);
}

} // namespace
} // namespace volantra
