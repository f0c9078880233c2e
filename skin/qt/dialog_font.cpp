#include "skin/qt/dialog_font.h"

#include <QFontMetrics>
#include <algorithm>

namespace volantra::DialogFont {

QFont fitted(const QStringList& families, int lineHeight, QFont::Weight weight)
{
    QFont font;
    font.setFamilies(families);
    font.setWeight(weight);
    auto lineOf = [&font](int pixels) {
        font.setPixelSize(pixels);
        return QFontMetrics(font).height();
    };
    // Each size tried loads a font, so start from the size that one measurement predicts
    // and step from there.
    int pixels = std::max(1, lineHeight * lineHeight / std::max(1, lineOf(lineHeight)));
    while (pixels < lineHeight && lineOf(pixels + 1) <= lineHeight)
        ++pixels;
    while (pixels > 1 && lineOf(pixels) > lineHeight)
        --pixels;
    font.setPixelSize(pixels);
    return font;
}

QFont fittedTo(QFont font, QRect area, int flags, const QString& text, int smallestPixelSize)
{
    while (font.pixelSize() > smallestPixelSize) {
        const QRect needed = QFontMetrics(font).boundingRect(area, flags, text);
        if (needed.width() <= area.width() && needed.height() <= area.height())
            break;
        font.setPixelSize(font.pixelSize() - 1);
    }
    return font;
}

QFont narrowedTo(QFont font, int width, const QString& text, int smallestPixelSize)
{
    while (font.pixelSize() > smallestPixelSize &&
           QFontMetrics(font).horizontalAdvance(text) > width)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

QStringList chineseFamilies(Language language)
{
    if (language == Language::TraditionalChinese)
        return {QStringLiteral("黑体"), QStringLiteral("Noto Sans CJK TC"),
                QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("sans-serif")};
    return {QStringLiteral("宋体"), QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("sans-serif")};
}

QFont forDialog(Language language, const QString& englishFamily, int englishLineHeight,
                QFont::Weight englishWeight)
{
    switch (language) {
    case Language::SimplifiedChinese:
        return fitted(chineseFamilies(language), 13, QFont::Normal);
    case Language::TraditionalChinese:
        return fitted(chineseFamilies(language), 14, QFont::Normal);
    case Language::English:
        break;
    }
    return fitted({englishFamily, QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")},
                  englishLineHeight, englishWeight);
}

} // namespace volantra::DialogFont
