#include "skin/qt/skin_image.h"
#include "skin/qt/skin_library.h"
#include "skin/qt/skinned_dialog.h"
#include "support/temporary_directory.h"

#include <QDir>
#include <QPainter>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace volantra {
namespace {

class SkinFolder
{
public:
    explicit SkinFolder(const std::string& name = "Dark")
        : m_root(SkinRoot::forProfile(m_directory.path().string(), name))
    {
    }

    const SkinRoot& root() const { return m_root; }
    std::string directory() const { return m_directory.path().string(); }

    void put(const std::string& relative, QSize size, QColor colour)
    {
        const QString path = QString::fromStdString(m_root.image(relative));
        QDir().mkpath(QFileInfo(path).path());
        QImage image(size, QImage::Format_ARGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(path, "PNG"));
    }
    void remove(const std::string& relative) { std::filesystem::remove(m_root.image(relative)); }
    // Makes sure a rewrite within the file system's time resolution is still seen.
    void touchLater(const std::string& relative)
    {
        const auto path = m_root.image(relative);
        std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) +
                                                   std::chrono::seconds(2));
    }

private:
    test::TemporaryDirectory m_directory;
    SkinRoot m_root;
};

TEST(SkinLibraryTest, CachedImagesAreFreshAfterTheFileChanges)
{
    SkinFolder skin;
    skin.put("/Enable.png", QSize(10, 9), Qt::red);
    SkinLibrary library(skin.root());
    EXPECT_EQ(library.image("/Enable.png").pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(library.image("/Enable.png").pixel(5, 5), qRgb(255, 0, 0));

    skin.put("/Enable.png", QSize(10, 9), Qt::blue);
    skin.touchLater("/Enable.png");
    EXPECT_EQ(library.image("/Enable.png").pixel(5, 5), qRgb(0, 0, 255));

    skin.remove("/Enable.png");
    EXPECT_TRUE(library.image("/Enable.png").isNull());
}

// Above ratio 1 the "@2x" twin is drawn when it is exactly twice the 1× image; anything
// else falls back to the 1× image, which sets the layout, and a faulty twin is told.
TEST(SkinLibraryTest, HighDensityTwinsAreTakenOnlyAtTwiceTheSize)
{
    struct Case
    {
        const char* name;
        qreal screenRatio;
        QSize twin; // empty: no twin file
        qreal drawnRatio;
        bool told;
    };
    const Case cases[] = {
        {"twin of twice the size", 2, QSize(20, 18), 2, false},
        {"1× screen ignores the twin", 1, QSize(20, 18), 1, false},
        {"skin without twins is scaled", 2, QSize(), 1, false},
        {"twin of another size", 2, QSize(20, 20), 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SkinFolder skin;
        skin.put("/Enable.png", QSize(10, 9), Qt::red);
        if (!c.twin.isEmpty())
            skin.put("/Enable@2x.png", c.twin, Qt::blue);
        SkinLibrary library(skin.root());
        library.setDevicePixelRatio(c.screenRatio);
        for (bool preloaded : {true, false}) {
            if (preloaded) {
                SkinLibrary::Preload preload = library.startPreload({"/Enable.png"});
                library.finishPreload(preload);
            }
            const QImage image = library.image("/Enable.png");
            EXPECT_EQ(image.devicePixelRatio(), c.drawnRatio);
            EXPECT_EQ(image.pixel(1, 1), c.drawnRatio > 1 ? qRgb(0, 0, 255) : qRgb(255, 0, 0));
            EXPECT_EQ(library.size("/Enable.png"), QSize(10, 9)) << "the logical size";
            library.setDevicePixelRatio(1); // drops the cache for the second round
            library.setDevicePixelRatio(c.screenRatio);
        }
        const QStringList problems = library.takeNewProblems();
        EXPECT_EQ(problems.size(), c.told ? 1 : 0);
        if (c.told) {
            EXPECT_TRUE(problems.value(0).contains("Enable@2x.png"))
                << problems.value(0).toStdString();
        }
    }
}

TEST(SkinLibraryTest, PreloadedImagesAreTheDecodedOnesAndStillFollowTheirFile)
{
    SkinFolder skin;
    skin.put("/main.png", QSize(30, 20), Qt::green);
    skin.put("/Logo.png", QSize(5, 5), Qt::white);
    SkinLibrary library(skin.root());
    SkinLibrary::Preload preload = library.startPreload({"/main.png", "/Logo.png", "/absent.png"});
    library.finishPreload(preload);
    EXPECT_EQ(library.image("/main.png").pixel(29, 19), qRgb(0, 255, 0));
    EXPECT_EQ(library.size("/Logo.png"), QSize(5, 5));
    EXPECT_TRUE(library.takeNewProblems().isEmpty()) << "nothing is reported before a use";
    EXPECT_FALSE(library.exists("/absent.png"));
    EXPECT_EQ(library.takeNewProblems().size(), 1);

    skin.put("/main.png", QSize(30, 20), Qt::red);
    skin.touchLater("/main.png");
    EXPECT_EQ(library.image("/main.png").pixel(0, 0), qRgb(255, 0, 0));
}

TEST(SkinLibraryTest, MissingImagesDrawNothingAndAreReportedOncePerPath)
{
    SkinFolder skin;
    skin.put("/Logo.png", QSize(4, 4), Qt::white);
    SkinLibrary library(skin.root());
    QImage target(20, 20, QImage::Format_RGB32);
    target.fill(Qt::black);
    QPainter painter(&target);
    for (int redraw = 0; redraw < 3; ++redraw) {
        EXPECT_FALSE(library.draw(painter, "/MacroManagement/Pane.png", QPoint(0, 0)));
        EXPECT_TRUE(library.draw(painter, "/Logo.png", QPoint(10, 10)));
    }
    painter.end();
    EXPECT_EQ(target.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(11, 11), qRgb(255, 255, 255));

    const QStringList problems = library.takeNewProblems();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains("Skins/Dark/MacroManagement/Pane.png"));
    EXPECT_TRUE(library.takeNewProblems().isEmpty());
    // A missing section background counts as height 0.
    EXPECT_EQ(library.size("/Lighting/BK_Lighting.png"), QSize(0, 0));
}

TEST(SkinLibraryTest, BrokenFilesAreReportedLikeMissingOnes)
{
    SkinFolder skin;
    const std::string path = skin.root().image("/main.png");
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    test::writeBytes(path, {'n', 'o', 't', ' ', 'p', 'n', 'g'});
    SkinLibrary library(skin.root());
    EXPECT_FALSE(library.exists("/main.png"));
    const QStringList problems = library.takeNewProblems();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains("main.png"));
}

// A named pipe never ends and blocks whoever opens it; it must not hang the window.
TEST(SkinLibraryTest, NamedPipesAreRefusedWithoutBeingOpened)
{
    SkinFolder skin;
    const std::string path = skin.root().image("/Logo.png");
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    auto looked = std::async(std::launch::async, [&] {
        SkinLibrary library(skin.root());
        const QSize size = library.size("/Logo.png");
        const bool exists = library.exists("/Logo.png");
        return std::make_tuple(size, exists, library.takeNewProblems(),
                               SkinImage::decodeFile(QString::fromStdString(path)).error);
    });
    if (looked.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        // Lets the blocked reader go, so the test ends with its failure.
        const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK);
        ::close(writer);
        FAIL() << "reading the pipe blocked";
    }
    const auto [size, exists, problems, error] = looked.get();
    EXPECT_EQ(size, QSize(0, 0));
    EXPECT_FALSE(exists);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains("Logo.png: not a regular file")) << problems[0].toStdString();
    EXPECT_TRUE(error.contains("not a regular file")) << error.toStdString();
}

class PlainDialog : public SkinnedDialog
{
public:
    using SkinnedDialog::SkinnedDialog;

protected:
    void paintContent(QPainter&) override {}
};

TEST(SkinnedDialogTest, TheDialogTakesItsBackgroundsSize)
{
    SkinFolder skin;
    skin.put("/single-key.png", QSize(372, 275), Qt::darkGray);
    SkinLibrary library(skin.root());
    PlainDialog dialog(library, nullptr, "/single-key.png");
    ASSERT_TRUE(dialog.hasBackground());
    EXPECT_EQ(dialog.size(), QSize(372, 275));
    EXPECT_EQ(&dialog.imageSource(), &library);
}

TEST(SkinnedDialogTest, AMissingBackgroundComesFromTheDefaultSkinOrNotAtAll)
{
    SkinFolder skin;
    SkinFolder installed("Default");
    installed.put("/combo-key.png", QSize(380, 280), Qt::darkGray);
    SkinLibrary library(skin.root());
    SkinLibrary fallback(installed.root());

    PlainDialog rescued(library, &fallback, "/combo-key.png");
    ASSERT_TRUE(rescued.hasBackground());
    EXPECT_EQ(rescued.size(), QSize(380, 280));
    EXPECT_EQ(&rescued.imageSource(), &fallback);

    PlainDialog lost(library, &fallback, "/macro-key.png");
    EXPECT_FALSE(lost.hasBackground());
}

} // namespace
} // namespace volantra
