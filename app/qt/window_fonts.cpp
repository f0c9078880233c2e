#include "app/qt/window_fonts.h"

#include "skin/qt/dialog_font.h"

namespace volantra {

namespace {

QStringList latinFamilies()
{
    return {QStringLiteral("Segoe UI"), QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans"),
            QStringLiteral("sans-serif")};
}

} // namespace

WindowFonts WindowFonts::forLanguage(Language language)
{
    using DialogFont::chineseFamilies;
    using DialogFont::fitted;
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
