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

// `font`, made smaller (to `smallestPixelSize` at the least) until `text` drawn with
// `flags` fits `area`: texts of other languages and fonts may be wider than the skin's
// places for them, and a smaller font is better than a cut text.
QFont fittedTo(QFont font, QRect area, int flags, const QString& text, int smallestPixelSize = 8);
// `font`, made smaller (to `smallestPixelSize` at the least) until one line of `text` is at
// most `width` pixels wide; its height is left to the caller's place.
QFont narrowedTo(QFont font, int width, const QString& text, int smallestPixelSize = 8);

// Chinese faces, the wanted one first and what Linux desktops have after it.
QStringList chineseFamilies(Language language);

// The font of a dialog's texts: Chinese in a Chinese face fitting 13 (Simplified) or 14
// (Traditional) pixels, English in the dialog's own face and height.
QFont forDialog(Language language, const QString& englishFamily, int englishLineHeight,
                QFont::Weight englishWeight = QFont::Normal);

} // namespace DialogFont
} // namespace volantra
