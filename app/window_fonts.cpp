#include "app/window_fonts.h"

#include <QFontMetrics>
#include <algorithm>

namespace volantra {

namespace {

const QStringList& latinFamilies()
{
    static const QStringList families{QStringLiteral("Segoe UI"), QStringLiteral("Noto Sans"),
                                      QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")};
    return families;
}

const QStringList& chineseFamilies(Language language)
{
    static const QStringList simplified{
        QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("Source Han Sans SC"), QStringLiteral("sans-serif")};
    static const QStringList traditional{
        QStringLiteral("Noto Sans CJK TC"), QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("Source Han Sans TC"), QStringLiteral("sans-serif")};
    return language == Language::TraditionalChinese ? traditional : simplified;
}

} // namespace

QFont WindowFonts::fitted(const QStringList& families, int lineHeight, QFont::Weight weight)
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

WindowFonts WindowFonts::forLanguage(Language language)
{
    switch (language) {
    case Language::SimplifiedChinese:
        return {fitted(chineseFamilies(language), 13, QFont::Normal),
                fitted(chineseFamilies(language), 18, QFont::Bold)};
    case Language::TraditionalChinese:
        return {fitted(chineseFamilies(language), 14, QFont::Normal),
                fitted(chineseFamilies(language), 18, QFont::Bold)};
    case Language::English:
        break;
    }
    QStringList boldFamilies = latinFamilies();
    boldFamilies.prepend(QStringLiteral("Tahoma"));
    return {fitted(latinFamilies(), 15, QFont::Light), fitted(boldFamilies, 18, QFont::Bold)};
}

} // namespace volantra
