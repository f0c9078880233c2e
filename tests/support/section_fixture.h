#pragma once

#include "model/settings_record.h"
#include "pages/qt/section_view.h"
#include "skin/qt/skin_library.h"
#include "skin/skin_root.h"
#include "support/flat_skin.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <gtest/gtest.h>
#include <string>

namespace volantra::test {

// The main window's picture: what `draw` paints over a plain colour.
inline const QColor kUnderneath{0x10, 0x20, 0x30};
template <typename Draw> QImage paintedWindow(Draw draw, QSize size = QSize(1000, 640))
{
    QImage window(size, QImage::Format_ARGB32_Premultiplied);
    window.fill(kUnderneath);
    QPainter painter(&window);
    draw(painter);
    return window;
}

// The main window around one section drawn at `origin`: its record, the skin library and
// the context the section draws with (red texts, in English).
struct SectionFixture
{
    static constexpr QSize kWindowSize{1000, 640};
    static inline const QColor kUnderneath = test::kUnderneath;

    SectionFixture(const SkinRoot& root, QPoint sectionOrigin) : origin(sectionOrigin), skin(root)
    {
    }
    SectionFixture(const std::string& root, QPoint sectionOrigin)
        : SectionFixture(SkinRoot(root), sectionOrigin)
    {
    }

    QImage paint(SectionView& section) { return paint(section, origin); }
    QImage paint(SectionView& section, QPoint at)
    {
        return paintedWindow([&](QPainter& painter) { section.paint(painter, at, context); });
    }

    QPoint origin;
    SettingsRecord record;
    SkinLibrary skin;
    SectionContext context{.record = record,
                           .skin = skin,
                           .window = nullptr,
                           .textColour = QColor(0xFF, 0x00, 0x00),
                           .font = QFont(),
                           .text = [](const char* english) { return QString(english); }};
};

#if defined(VOLANTRA_DEFAULT_DATA_DIR) && defined(VOLANTRA_TEST_ARTIFACTS)
// A section over the default skin, as the window shows it; a skin problem fails the test.
class DefaultSkinSectionTest : public ::testing::Test
{
protected:
    explicit DefaultSkinSectionTest(QPoint origin)
        : fixture(SkinRoot::defaultSkin(VOLANTRA_DEFAULT_DATA_DIR), origin)
    {
        fixture.context.textColour = QColor(0xDC, 0xDC, 0xDC);
    }
    void TearDown() override
    {
        const QStringList problems = fixture.skin.takeNewProblems();
        EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    }

    // The section as the window shows it, kept for review beside the test results.
    void keep(const QImage& window, const SectionView& section, const QString& name)
    {
        const QSize size = fixture.skin.size(section.contentBackground());
        QDir().mkpath(QStringLiteral(VOLANTRA_TEST_ARTIFACTS));
        const QString path = QStringLiteral(VOLANTRA_TEST_ARTIFACTS "/%1.png").arg(name);
        EXPECT_TRUE(window.copy(QRect(fixture.origin, size)).save(path)) << path.toStdString();
    }

    SectionFixture fixture;
};
#endif

} // namespace volantra::test
