#include "app/qt/window_fonts.h"

#include "skin/qt/dialog_font.h"

#include <QFontDatabase>

namespace volantra {

QFont windowFont(Language language)
{
    using DialogFont::chineseFamilies;
    using DialogFont::fitted;
    switch (language) {
    case Language::SimplifiedChinese:
        return fitted(chineseFamilies(language), 13, QFont::Normal);
    case Language::TraditionalChinese:
        return fitted(chineseFamilies(language), 14, QFont::Normal);
    case Language::English:
        break;
    }
    return fitted({QStringLiteral("Segoe UI"), QStringLiteral("Noto Sans"),
                   QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")},
                  15, QFont::Light);
}

std::future<void> loadFontListInBackground()
{
    return std::async(std::launch::async, [] { QFontDatabase::families(); });
}

} // namespace volantra
