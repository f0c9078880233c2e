// Drawing, presses and value boxes of the DPI Setting and Lighting sections through the
// real skin library on Qt's offscreen platform. A skin of flat-coloured images written to
// a temporary folder shows exactly which image landed where; the default skin gives the
// screenshots and is checked where its images are opaque.
#include "model/settings_record.h"
#include "pages/qt/dpi_section.h"
#include "pages/qt/lighting_section.h"
#include "skin/qt/skin_library.h"
#include "support/section_fixture.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>

namespace volantra {
namespace {

constexpr QSize kWindowSize = test::SectionFixture::kWindowSize;
// The DPI section is always first in the panel; Lighting follows a collapsed DPI header.
constexpr QPoint kDpiOrigin(734, 52);
constexpr QPoint kLightingOrigin(734, 77);
const QColor kUnderneath = test::kUnderneath;
const QColor kBackground(0x40, 0x40, 0x40);
const QColor kValueBoxColour(0x60, 0x50, 0x40);
const QColor kChosenMarkColour(0x00, 0xFF, 0x00);
const QColor kOtherMarkColour(0xFF, 0x00, 0x00);
const QColor kTextColour(0xFF, 0x00, 0xFF);

// One flat colour per bar and slider image, different for every value.
QColor barColour(int step)
{
    return QColor(2 * step, 0x30, 0xC0);
}
QColor levelColour(int level)
{
    return QColor(0xC0, 30 * level, 0x30);
}

std::vector<test::FlatSkin::Image> flatImages()
{
    std::vector<test::FlatSkin::Image> images = {
        {"/DPISetting/BK_DPISetting.png", QSize(242, 230), kBackground},
        {"/DPISetting/BK-DPIValue.png", QSize(40, 16), kValueBoxColour},
        {"/Lighting/BK_Lighting.png", QSize(242, 110), kBackground},
        {"/Enable.png", QSize(10, 9), kChosenMarkColour},
        {"/Disable.png", QSize(10, 9), kOtherMarkColour},
    };
    for (int step = 1; step <= 100; ++step)
        images.push_back({"/DPISetting/DPIStage/" + std::to_string(step) + ".png", QSize(10, 113),
                          barColour(step)});
    for (int level = 1; level <= 6; ++level)
        images.push_back(
            {"/Lighting/" + std::to_string(level) + ".png", QSize(128, 8), levelColour(level)});
    return images;
}

using test::windowRect;

bool filledWith(const QImage& picture, QRect area, QColor colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (picture.pixelColor(x, y) != colour)
                return false;
        }
    }
    return true;
}

int pixelsOf(const QImage& picture, QRect area, QColor colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += picture.pixelColor(x, y) == colour ? 1 : 0;
    }
    return count;
}

void saveArtifact(const QImage& picture, const char* name)
{
    QDir().mkpath(QStringLiteral(VOLANTRA_TEST_ARTIFACTS));
    const QString path = QStringLiteral(VOLANTRA_TEST_ARTIFACTS "/%1.png").arg(name);
    EXPECT_TRUE(picture.save(path, "PNG")) << path.toStdString();
}

// The record, skin and window a section works with, as the main window holds them.
class SectionsTest : public testing::Test
{
protected:
    static void SetUpTestSuite() { s_skin = new test::FlatSkin(flatImages()); }
    static void TearDownTestSuite()
    {
        delete s_skin;
        s_skin = nullptr;
    }

    SectionContext context()
    {
        return SectionContext{.record = record,
                              .skin = skin,
                              .window = &window,
                              .textColour = kTextColour,
                              .font = QFont(),
                              .text = [this](const char* english) {
                                  entries.insert(english);
                                  return QString::fromUtf8(english);
                              }};
    }

    QImage paint(SectionView& section, QPoint origin)
    {
        SectionContext shared = context();
        return test::paintedWindow(
            [&](QPainter& painter) { section.paint(painter, origin, shared); });
    }

    static test::FlatSkin* s_skin;
    SettingsRecord record;
    SkinLibrary skin{s_skin->root()};
    QWidget window;
    std::set<std::string> entries;
};

test::FlatSkin* SectionsTest::s_skin = nullptr;

using DpiSectionTest = SectionsTest;

struct StageCase
{
    int stored;
    int shown;
};

const StageCase kStageCases[] = {{0, 2}, {1, 2}, {57, 57}, {255, 100}};

TEST_F(DpiSectionTest, DrawsEachStageFromTheRecordWithoutChangingIt)
{
    for (std::size_t stage = 0; stage < DpiStageRules::kStageCount; ++stage)
        record.setDpiStage(stage, static_cast<std::uint8_t>(kStageCases[stage].stored));
    const SettingsRecord before = record;
    DpiSection section;
    const QImage picture = paint(section, kDpiOrigin);

    EXPECT_EQ(record, before);
    EXPECT_EQ(picture.pixelColor(kDpiOrigin), kBackground);
    const int barLefts[] = {775, 825, 885, 935};
    const int boxLefts[] = {760, 810, 870, 920};
    for (std::size_t stage = 0; stage < DpiStageRules::kStageCount; ++stage) {
        const auto& c = kStageCases[stage];
        EXPECT_TRUE(filledWith(picture, QRect(barLefts[stage], 90, 10, 113), barColour(c.shown)))
            << "stored " << c.stored;
        EXPECT_EQ(picture.pixelColor(barLefts[stage] - 1, 150), kBackground) << c.stored;
        EXPECT_EQ(picture.pixelColor(barLefts[stage] + 10, 150), kBackground) << c.stored;
        // The value's text is centred; the box image's corners stay clear of it.
        EXPECT_EQ(picture.pixelColor(boxLefts[stage], 220), kValueBoxColour) << c.stored;
        EXPECT_EQ(picture.pixelColor(boxLefts[stage] + 39, 235), kValueBoxColour) << c.stored;
        EXPECT_GT(pixelsOf(picture, QRect(boxLefts[stage], 220, 40, 16), kTextColour), 0)
            << c.stored;
    }
}

TEST_F(DpiSectionTest, ColourBoxesShowRedGreenBlueFromTheProfilesRedBlueGreen)
{
    SettingsRecord::Bytes bytes{};
    const std::uint8_t triples[4][3] = {{10, 20, 30}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    for (std::size_t stage = 0; stage < 4; ++stage) {
        for (std::size_t i = 0; i < 3; ++i)
            bytes[0x17 + 3 * stage + i] = triples[stage][i];
    }
    record = SettingsRecord(bytes);
    DpiSection section;
    const QImage picture = paint(section, kDpiOrigin);
    const int lefts[] = {775, 825, 885, 935};
    for (std::size_t stage = 0; stage < 4; ++stage) {
        const QColor shown(triples[stage][0], triples[stage][2], triples[stage][1]);
        EXPECT_TRUE(filledWith(picture, QRect(lefts[stage], 255, 10, 10), shown))
            << "stage " << stage + 1;
        EXPECT_EQ(picture.pixelColor(lefts[stage], 265), kBackground) << "stage " << stage + 1;
    }
}

TEST_F(DpiSectionTest, CaptionsComeFromTheLanguageTable)
{
    DpiSection section;
    const QImage picture = paint(section, kDpiOrigin);
    EXPECT_EQ(entries, (std::set<std::string>{"DPI Dial Down", "DPI Dial Up"}));
    EXPECT_GT(pixelsOf(picture, QRect(765, 65, 85, 19), kTextColour), 0);
    EXPECT_GT(pixelsOf(picture, QRect(875, 65, 85, 19), kTextColour), 0);
}

// The window the value boxes live in, shown and active so that focus moves for real.
class DpiValueBoxTest : public SectionsTest
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
        shared = std::make_unique<SectionContext>(context());
        section = std::make_unique<DpiSection>([this] { ++commits; });
        section->showControls(kDpiOrigin, *shared);
    }

    void type(std::size_t stage, const QString& text)
    {
        QLineEdit* box = section->valueBox(stage);
        box->setFocus();
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
        else
            QTest::keyClicks(box, text);
    }

    QLineEdit* elsewhere = nullptr;
    std::unique_ptr<SectionContext> shared;
    std::unique_ptr<DpiSection> section;
    int commits = 0;
};

TEST_F(DpiValueBoxTest, BoxesSitOverTheValueBoxImagesAndShowTheStoredDpi)
{
    const int lefts[] = {760, 810, 870, 920};
    for (std::size_t stage = 0; stage < DpiStageRules::kStageCount; ++stage) {
        QLineEdit* box = section->valueBox(stage);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->parentWidget(), &window);
        EXPECT_EQ(box->geometry(), QRect(lefts[stage], 220, 40, 16));
        EXPECT_FALSE(box->hasFrame());
        EXPECT_TRUE(box->isVisible());
    }
    record.setDpiStage(2, 57);
    paint(*section, kDpiOrigin);
    EXPECT_EQ(section->valueBox(2)->text(), QStringLiteral("2850"));
}

enum class Commit { Enter, FocusOut };

struct TypedCase
{
    const char* text;
    Commit commit;
    int stored;
    const char* shown;
};

const TypedCase kTypedCases[] = {
    {"800", Commit::Enter, 16, "800"},   {"12345", Commit::Enter, 100, "5000"},
    {"5", Commit::FocusOut, 2, "100"},   {"", Commit::FocusOut, 2, "100"},
    {"149", Commit::Enter, 2, "100"},    {"150", Commit::FocusOut, 3, "150"},
    {"2525", Commit::Enter, 50, "2500"}, {" 300x", Commit::FocusOut, 6, "300"},
};

TEST_F(DpiValueBoxTest, TypedValuesAreStoredOnlyWhenCommitted)
{
    for (const auto& c : kTypedCases) {
        record.setDpiStage(1, 40);
        section->showControls(kDpiOrigin, *shared);
        ASSERT_EQ(section->valueBox(1)->text(), QStringLiteral("2000"));
        commits = 0;
        type(1, QString::fromUtf8(c.text));
        EXPECT_EQ(record.dpiStage(1), 40) << "while typing " << c.text;
        EXPECT_EQ(section->valueBox(1)->text(), QString::fromUtf8(c.text));
        if (c.commit == Commit::Enter)
            QTest::keyClick(section->valueBox(1), Qt::Key_Return);
        else
            elsewhere->setFocus();
        EXPECT_EQ(record.dpiStage(1), c.stored) << c.text;
        EXPECT_EQ(section->valueBox(1)->text(), QString::fromUtf8(c.shown)) << c.text;
        EXPECT_EQ(commits, 1) << c.text;
        for (std::size_t other : {0u, 2u, 3u})
            EXPECT_EQ(record.dpiStage(other), 0) << c.text;
    }
}

TEST_F(DpiValueBoxTest, LeavingAnUntouchedBoxKeepsAnOutOfRangeByte)
{
    record.setDpiStage(0, 0);
    section->showControls(kDpiOrigin, *shared);
    QLineEdit* box = section->valueBox(0);
    EXPECT_EQ(box->text(), QStringLiteral("100"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Return);
    elsewhere->setFocus();
    EXPECT_EQ(record.dpiStage(0), 0);
    EXPECT_EQ(commits, 0);
}

TEST_F(DpiValueBoxTest, RedrawKeepsTypingInProgress)
{
    type(3, QStringLiteral("42"));
    record.setDpiStage(0, 10);
    paint(*section, kDpiOrigin);
    EXPECT_EQ(section->valueBox(3)->text(), QStringLiteral("42"));
    EXPECT_EQ(section->valueBox(0)->text(), QStringLiteral("500"));
}

TEST_F(DpiValueBoxTest, BarPressAndDragShowTheStoredValueInTheBox)
{
    record.setDpiStage(0, 50);
    section->showControls(kDpiOrigin, *shared);
    // The bottom rows of a bar: the stage cannot hold 50 DPI, so it holds and shows 100.
    EXPECT_TRUE(section->click(QPoint(780, 202), kDpiOrigin, *shared));
    EXPECT_EQ(record.dpiStage(0), 2);
    EXPECT_EQ(section->valueBox(0)->text(), QStringLiteral("100"));
    EXPECT_TRUE(filledWith(paint(*section, kDpiOrigin), QRect(775, 90, 10, 113), barColour(2)));

    EXPECT_TRUE(section->drag(QPoint(600, 150), kDpiOrigin, *shared));
    EXPECT_EQ(record.dpiStage(0), 52);
    EXPECT_EQ(section->valueBox(0)->text(), QStringLiteral("2600"));
    EXPECT_TRUE(section->drag(QPoint(780, 0), kDpiOrigin, *shared));
    EXPECT_EQ(record.dpiStage(0), 100);
    EXPECT_EQ(section->valueBox(0)->text(), QStringLiteral("5000"));
    section->release();
    EXPECT_FALSE(section->drag(QPoint(780, 150), kDpiOrigin, *shared));
    EXPECT_EQ(record.dpiStage(0), 100);
    EXPECT_EQ(commits, 0);
}

TEST_F(DpiValueBoxTest, HiddenControlsAreGoneAndTheirTypingDropped)
{
    record.setDpiStage(2, 30);
    type(2, QStringLiteral("4000"));
    QPointer<QLineEdit> box = section->valueBox(2);
    section->hideControls();
    EXPECT_TRUE(box.isNull());
    EXPECT_EQ(section->valueBox(2), nullptr);
    EXPECT_EQ(record.dpiStage(2), 30);
    EXPECT_EQ(commits, 0);
}

// Answers the colour chooser once it is up: picks `colour`, or cancels when invalid, and
// notes the colour it opened on.
void answerColourChooser(QColor colour, QColor* openedOn)
{
    QTimer::singleShot(0, [colour, openedOn] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            answerColourChooser(colour, openedOn);
            return;
        }
        *openedOn = dialog->currentColor();
        if (colour.isValid()) {
            dialog->setCurrentColor(colour);
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
}

TEST_F(DpiValueBoxTest, ColourChooserOpensOnTheStageColourAndStoresRedBlueGreen)
{
    record.setStageColour(1, {.red = 0x12, .green = 0x34, .blue = 0x56});
    QColor openedOn;
    answerColourChooser(QColor(0, 255, 0), &openedOn);
    EXPECT_TRUE(section->click(QPoint(830, 260), kDpiOrigin, *shared));
    EXPECT_EQ(openedOn, QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(record.bytes()[0x17 + 3], 0);
    EXPECT_EQ(record.bytes()[0x17 + 4], 0);
    EXPECT_EQ(record.bytes()[0x17 + 5], 255);
    EXPECT_TRUE(
        filledWith(paint(*section, kDpiOrigin), QRect(825, 255, 10, 10), QColor(0, 255, 0)));
}

TEST_F(DpiValueBoxTest, CancelledColourChooserChangesNothing)
{
    record.setStageColour(3, {.red = 1, .green = 2, .blue = 3});
    const SettingsRecord before = record;
    QColor openedOn;
    answerColourChooser(QColor(), &openedOn);
    EXPECT_FALSE(section->click(QPoint(940, 260), kDpiOrigin, *shared));
    EXPECT_EQ(openedOn, QColor(1, 2, 3));
    EXPECT_EQ(record, before);
}

using LightingSectionTest = SectionsTest;

struct MarkCase
{
    int mode;
    QColor rows[3];
};

const MarkCase kMarkCases[] = {
    {0, {kBackground, kBackground, kBackground}},
    {1, {kChosenMarkColour, kOtherMarkColour, kOtherMarkColour}},
    {2, {kOtherMarkColour, kChosenMarkColour, kOtherMarkColour}},
    {3, {kOtherMarkColour, kOtherMarkColour, kChosenMarkColour}},
    {7, {kBackground, kBackground, kBackground}},
};

TEST_F(LightingSectionTest, MarksShowTheStoredMode)
{
    for (const auto& c : kMarkCases) {
        record.setLightingMode(static_cast<std::uint8_t>(c.mode));
        const SettingsRecord before = record;
        LightingSection section;
        const QImage picture = paint(section, kLightingOrigin);
        for (int row = 0; row < 3; ++row) {
            EXPECT_TRUE(filledWith(picture, QRect(744, 97 + 29 * row, 10, 9), c.rows[row]))
                << "mode " << c.mode << " row " << row;
        }
        EXPECT_EQ(record, before) << c.mode;
    }
}

TEST_F(LightingSectionTest, SlidersShowTheirLevelsWithinOneToSix)
{
    const int levels[] = {0, 4, 9};
    const int shown[] = {1, 4, 6};
    for (std::size_t row = 0; row < 3; ++row)
        record.setLightingLevel(row, static_cast<std::uint8_t>(levels[row]));
    LightingSection section;
    const QImage picture = paint(section, kLightingOrigin);
    for (int row = 0; row < 3; ++row) {
        const int top = 97 + 29 * row;
        EXPECT_TRUE(filledWith(picture, QRect(834, top, 128, 8), levelColour(shown[row])))
            << "row " << row;
        EXPECT_EQ(picture.pixelColor(834, top + 8), kBackground) << "row " << row;
        // The step captions lie under the slider.
        EXPECT_GT(pixelsOf(picture, QRect(834, top + 13, 150, 15), kTextColour), 0)
            << "row " << row;
    }
    EXPECT_EQ(entries, (std::set<std::string>{"Standard", "Respiration", "Neon"}));
}

TEST_F(LightingSectionTest, PressesChangeTheRecordAndTheNextPicture)
{
    record.setLightingMode(0);
    LightingSection section;
    SectionContext shared = context();
    EXPECT_TRUE(section.click(QPoint(750, 130), kLightingOrigin, shared)); // Respiration mark
    EXPECT_EQ(record.lightingMode(), 2);
    EXPECT_FALSE(section.click(QPoint(750, 130), kLightingOrigin, shared));
    EXPECT_TRUE(section.click(QPoint(958, 160), kLightingOrigin, shared)); // Neon, 124 in
    EXPECT_EQ(record.lightingLevel(2), 6);
    EXPECT_FALSE(section.click(QPoint(962, 160), kLightingOrigin, shared)); // past its end
    const QImage picture = paint(section, kLightingOrigin);
    EXPECT_TRUE(filledWith(picture, QRect(744, 126, 10, 9), kChosenMarkColour));
    EXPECT_TRUE(filledWith(picture, QRect(834, 155, 128, 8), levelColour(6)));
}

// The shipped skin: every opaque pixel of the image a value names is on screen where
// that image belongs. The pictures are kept as the sections' screenshots.
class DpiLightingDefaultSkinTest : public testing::Test
{
protected:
    SkinLibrary skin{SkinRoot::defaultSkin(VOLANTRA_DEFAULT_DATA_DIR)};
    SettingsRecord record;

    void expectImageAt(const QImage& picture, const std::string& image, QPoint at)
    {
        const QImage source = skin.image(image).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(source.isNull()) << image;
        int opaque = 0;
        for (int y = 0; y < source.height(); ++y) {
            for (int x = 0; x < source.width(); ++x) {
                const QColor pixel = source.pixelColor(x, y);
                if (pixel.alpha() != 255)
                    continue;
                ++opaque;
                ASSERT_EQ(picture.pixelColor(at + QPoint(x, y)), pixel)
                    << image << " at " << x << "," << y;
            }
        }
        EXPECT_GT(opaque, 0) << image;
    }

    QImage paint(SectionView& section, QPoint origin)
    {
        QImage picture(kWindowSize, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::black);
        QPainter painter(&picture);
        SectionContext context{.record = record,
                               .skin = skin,
                               .window = nullptr,
                               .textColour = Qt::white,
                               .font = QFont(),
                               .text = [](const char* english) { return QString(english); }};
        section.paint(painter, origin, context);
        return picture;
    }
};

TEST_F(DpiLightingDefaultSkinTest, DpiSection)
{
    const int stages[] = {8, 16, 0, 100};
    for (std::size_t stage = 0; stage < 4; ++stage)
        record.setDpiStage(stage, static_cast<std::uint8_t>(stages[stage]));
    record.setStageColour(0, {.red = 255, .green = 0, .blue = 0});
    record.setStageColour(1, {.red = 0, .green = 255, .blue = 0});
    record.setStageColour(2, {.red = 0, .green = 0, .blue = 255});
    record.setStageColour(3, {.red = 255, .green = 255, .blue = 0});
    DpiSection section;
    const QImage picture = paint(section, kDpiOrigin);
    for (std::size_t stage = 0; stage < 4; ++stage) {
        const QRect bar = windowRect(DpiStageRules::levelBar(stage), kDpiOrigin);
        expectImageAt(picture, DpiStageRules::barImage(record.dpiStage(stage)), bar.topLeft());
    }
    EXPECT_TRUE(filledWith(picture, QRect(825, 255, 10, 10), QColor(0, 255, 0)));
    saveArtifact(picture.copy(734, 52, 242, 300), "dpi_section");
}

TEST_F(DpiLightingDefaultSkinTest, LightingSection)
{
    record.setLightingMode(2);
    record.setLightingLevel(0, 1);
    record.setLightingLevel(1, 4);
    record.setLightingLevel(2, 6);
    LightingSection section;
    const QImage picture = paint(section, kLightingOrigin);
    for (std::size_t row = 0; row < 3; ++row) {
        expectImageAt(picture, row == 1 ? "/Enable.png" : "/Disable.png",
                      windowRect(LightingRules::modeMark(row), kLightingOrigin).topLeft());
        expectImageAt(picture, LightingRules::sliderImage(record.lightingLevel(row)),
                      windowRect(LightingRules::slider(row), kLightingOrigin).topLeft());
    }
    saveArtifact(picture.copy(734, 77, 242, 130), "lighting_section");
}

} // namespace
} // namespace volantra
