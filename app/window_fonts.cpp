#include "app/window_fonts.h"

#include <QFontMetrics>

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
    for (int pixels = lineHeight; pixels > 1; --pixels) {
        font.setPixelSize(pixels);
        if (QFontMetrics(font).height() <= lineHeight)
            return font;
    }
    font.setPixelSize(1);
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
