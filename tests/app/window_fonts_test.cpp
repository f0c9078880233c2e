#include "app/window_fonts.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace volantra {
namespace {

TEST(WindowFontsTest, EachFontIsTheLargestWhoseLineFitsItsHeight)
{
    const QStringList families{QStringLiteral("DejaVu Sans")};
    for (int lineHeight : {8, 13, 14, 15, 18, 30}) {
        SCOPED_TRACE(lineHeight);
        QFont font = WindowFonts::fitted(families, lineHeight, QFont::Normal);
        EXPECT_LE(QFontMetrics(font).height(), lineHeight);
        font.setPixelSize(font.pixelSize() + 1);
        EXPECT_GT(QFontMetrics(font).height(), lineHeight) << "a larger size would have fitted";
    }
}

TEST(WindowFontsTest, ChineseTextsGetAFontThatHasTheirGlyphs)
{
    for (Language language : {Language::SimplifiedChinese, Language::TraditionalChinese}) {
        const WindowFonts fonts = WindowFonts::forLanguage(language);
        EXPECT_TRUE(QFontMetrics(fonts.normal).inFont(QChar(0x8BBE)))
            << fonts.normal.family().toStdString();
        EXPECT_LE(QFontMetrics(fonts.bold).height(), 18);
    }
}

} // namespace
} // namespace volantra
