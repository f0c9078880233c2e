#pragma once

#include "common/language.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

namespace volantra {

// Fonts of the skinned windows. A font is asked for by the line height it must fit; the
// largest pixel size whose line fits is taken, with fontconfig choosing among the
// families (Chinese ones included) what the machine has.
namespace DialogFont {

QFont fitted(const QStringList& families, int lineHeight, QFont::Weight weight);

// Chinese faces, the wanted one first and what Linux desktops have after it.
QStringList chineseFamilies(Language language);

// The font of a dialog's texts: Chinese in a Chinese face fitting 13 (Simplified) or 14
// (Traditional) pixels, English in the dialog's own face and height.
QFont forDialog(Language language, const QString& englishFamily, int englishLineHeight,
                QFont::Weight englishWeight = QFont::Normal);

// `font`, made smaller (down to 8 pixels) until `text` fits `area` as `flags` lay it out:
// the skin's places were laid out for one font, and the desktop or a language may bring
// a wider one. A cut text is worse than a smaller one.
QFont shrunkToFit(QFont font, QRect area, int flags, const QString& text);

} // namespace DialogFont
} // namespace volantra
