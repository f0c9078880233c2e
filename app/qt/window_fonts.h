#pragma once

#include "common/language.h"

#include <QFont>

namespace volantra {

// The main window's normal and bold fonts in the user's language (DialogFont fits them
// to their line heights).
struct WindowFonts
{
    QFont normal;
    QFont bold;

    static WindowFonts forLanguage(Language language);
};

} // namespace volantra
