#pragma once

#include "assign/localized_text.h"

#include <QFont>
#include <QStringList>

namespace volantra {

// The fonts of the skinned windows. Each is given as the line height it must fit: the
// largest pixel size whose line fits is taken, with fontconfig choosing among the
// families (Chinese ones included) what the machine has.
struct WindowFonts
{
    QFont normal;
    QFont bold;

    static WindowFonts forLanguage(Language language);
    static QFont fitted(const QStringList& families, int lineHeight, QFont::Weight weight);
};

} // namespace volantra
