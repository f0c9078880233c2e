#include "app/qt/window_fonts.h"
#include "skin/qt/dialog_font.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace volantra {
namespace {

TEST(WindowFontsTest, EachFontIsTheLargestWhoseLineFitsItsHeight)
{
    const QStringList families{QStringLiteral("DejaVu Sans")};
    for (int lineHeight : {8, 13, 14, 15, 18, 30}) {
        SCOPED_TRACE(lineHeight);
        QFont font = DialogFont::fitted(families, lineHeight, QFont::Normal);
        EXPECT_LE(QFontMetrics(font).height(), lineHeight);
        font.setPixelSize(font.pixelSize() + 1);
        EXPECT_GT(QFontMetrics(font).height(), lineHeight) << "a larger size would have fitted";
    }
}

TEST(WindowFontsTest, ChineseTextsGetAFontThatHasTheirGlyphs)
{
    for (Language language : {Language::SimplifiedChinese, Language::TraditionalChinese}) {
        const QFont font = windowFont(language);
        EXPECT_TRUE(QFontMetrics(font).inFont(QChar(0x8BBE))) << font.family().toStdString();
    }
}

TEST(WindowFontsTest, DialogsTakeTheirOwnFaceInEnglishAndAChineseOneOtherwise)
{
    const QFont english = DialogFont::forDialog(Language::English, QStringLiteral("Arial"), 14);
    EXPECT_EQ(english.families().value(0), QStringLiteral("Arial"));
    EXPECT_LE(QFontMetrics(english).height(), 14);
    const QFont chinese =
        DialogFont::forDialog(Language::SimplifiedChinese, QStringLiteral("Arial"), 30);
    EXPECT_LE(QFontMetrics(chinese).height(), 13) << "Chinese texts keep their own height";
    EXPECT_TRUE(QFontMetrics(chinese).inFont(QChar(0x8BBE)));
}

} // namespace
} // namespace volantra
