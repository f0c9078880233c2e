// The windows on a screen of device pixel ratio 2 (this test runs with QT_SCALE_FACTOR=2):
// drawn from the default skin's "@2x" images, in the layout of 1×. Screenshots of each
// window land in <test artefacts>/high-density/.
#include "app/qt/main_controller.h"
#include "app/qt/main_window.h"
#include "assign/qt/combo_key_dialog.h"
#include "assign/qt/macro_key_dialog.h"
#include "assign/qt/single_key_dialog.h"
#include "help/qt/help_panel.h"
#include "macro/qt/macro_manager_dialog.h"
#include "profiles/qt/profile_manager_dialog.h"
#include "skin/qt/skin_library.h"
#include "support/memory_pointer_settings.h"
#include "support/temporary_directory.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace volantra {
namespace {

namespace fs = std::filesystem;

const fs::path kSkin = fs::path(VOLANTRA_DEFAULT_DATA_DIR) / "Skins" / "Default";

// Share of the 2 × 2 pixel blocks that are not of one colour: none are in a 1× picture
// enlarged, many are where lines, text and gradients were drawn at 2×.
double detail(const QImage& picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    qint64 mixed = 0;
    for (int y = 0; y + 1 < image.height(); y += 2) {
        const auto* top = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const auto* bottom = reinterpret_cast<const QRgb*>(image.constScanLine(y + 1));
        for (int x = 0; x + 1 < image.width(); x += 2)
            mixed += top[x] != top[x + 1] || top[x] != bottom[x] || top[x] != bottom[x + 1];
    }
    return double(mixed) / (double(image.width() / 2) * (image.height() / 2));
}

// Mean difference of the colour channels of two pictures of one size, halved first.
double halvedDifference(const QImage& a, const QImage& b)
{
    auto halve = [](const QImage& image) {
        return image.convertToFormat(QImage::Format_RGB32)
            .scaled(image.size() / 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    const QImage x = halve(a);
    const QImage y = halve(b);
    double total = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int column = 0; column < x.width(); ++column)
            total += std::abs(qRed(p[column]) - qRed(q[column])) +
                     std::abs(qGreen(p[column]) - qGreen(q[column])) +
                     std::abs(qBlue(p[column]) - qBlue(q[column]));
    }
    return total / (3.0 * x.width() * x.height());
}

// Grabs `widget`, checks it is drawn at twice its logical size from its skin's 2× image
// (`drawnFrom`, its background or picture), and saves the screenshot.
void checkSharp(QWidget& widget, const QImage& drawnFrom, const char* name)
{
    SCOPED_TRACE(name);
    const QImage picture = widget.grab().toImage();
    EXPECT_EQ(picture.size(), widget.size() * 2);
    EXPECT_EQ(drawnFrom.devicePixelRatio(), 2.0);
    EXPECT_EQ(drawnFrom.size(), widget.size() * 2);
    const QString folder = QStringLiteral(VOLANTRA_TEST_ARTIFACTS "/high-density");
    QDir().mkpath(folder);
    EXPECT_TRUE(picture.save(folder + "/" + name + ".png"));
}

class HighDensityTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(qApp->devicePixelRatio(), 2.0) << "the test runs with QT_SCALE_FACTOR=2";
        if (!fs::exists(kSkin / "main@2x.png"))
            GTEST_SKIP() << "the default skin is not built";
    }
};

TEST_F(HighDensityTest, TheWindowIsNotAnEnlargedCopyOfTheOneAt1x)
{
    auto grabbed = [](qreal ratio) {
        SkinLibrary skin{SkinRoot(kSkin.string())};
        skin.setDevicePixelRatio(ratio);
        MainWindow window(skin, false);
        EXPECT_TRUE(window.loadBackground());
        window.redrawAll();
        return std::pair{window.size(), window.grab().toImage()};
    };
    const auto [sharpSize, sharp] = grabbed(2);
    const auto [enlargedSize, enlarged] = grabbed(1);
    EXPECT_EQ(sharpSize, enlargedSize) << "the window keeps its size in logical pixels";
    ASSERT_EQ(sharp.size(), enlarged.size());
    EXPECT_LT(detail(enlarged), 0.0005) << "the 1× picture, enlarged";
    EXPECT_GT(detail(sharp), 0.005);
    EXPECT_LT(halvedDifference(sharp, enlarged), 3.0) << "the same picture at the same places";
}

TEST_F(HighDensityTest, EveryWindowIsDrawnSharp)
{
    test::TemporaryDirectory directory;
    fs::copy(VOLANTRA_DEFAULT_DATA_DIR, directory.path(), fs::copy_options::recursive);
    AppOptions options;
    options.simulate = true;
    options.show = true;
    options.dataDirectory = directory.path().string();
    MainController controller(options);
    controller.setTrayAvailable(false);
    controller.setPointerSettings(std::make_unique<MemoryPointerSettings>());
    ASSERT_TRUE(controller.start());
    checkSharp(controller.window(), controller.window().picture(), "main-window");

    controller.toggleHelp();
    auto* help = controller.window().findChild<HelpPanel*>();
    ASSERT_NE(help, nullptr);
    checkSharp(*help, help->background(), "help-panel");
    controller.toggleHelp();

    controller.openProfileManager();
    auto* manager = controller.window().findChild<ProfileManagerDialog*>();
    ASSERT_NE(manager, nullptr);
    checkSharp(*manager, manager->background(), "profile-manager");
    manager->close();

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<MacroManagerDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        checkSharp(*dialog, dialog->background(), "macro-manager");
        dialog->reject();
    });
    controller.openMacroManager();

    SkinLibrary skin{SkinRoot(kSkin.string())};
    const QColor text(230, 230, 230);
    SingleKeyDialog single(skin, nullptr, Language::English, text);
    checkSharp(single, single.background(), "single-key-dialog");
    ComboKeyDialog combo(skin, nullptr, Language::English, text);
    checkSharp(combo, combo.background(), "combo-key-dialog");
    MacroKeyDialog macro(
        skin, nullptr, Language::English, text,
        []() -> Result<std::vector<std::string>> { return std::vector<std::string>{"Macro_1"}; });
    checkSharp(macro, macro.background(), "macro-key-dialog");
}

} // namespace
} // namespace volantra
