#pragma once

#include <QImage>
#include <QString>

namespace volantra {

// Decoding of skin PNGs. Skin folders can be edited by anybody, so a file is checked
// before it is decoded: it must be a regular file of a bounded size (a named pipe or a
// device would block or never end), a PNG, and its pixels must fit a small allocation.
namespace SkinImage {

// Skin images are window-sized at most; this bounds a hostile header's claim.
constexpr int kMaxDimension = 4096;
constexpr int kAllocationLimitMb = 64;
// No PNG of kMaxDimension pixels square needs more bytes than its pixels take.
constexpr qint64 kMaxFileBytes = qint64{kAllocationLimitMb} * 1024 * 1024;

struct Decoded
{
    QImage image;  // premultiplied ARGB32, or RGB32 for images without alpha; null on error
    QString error; // why the file was refused, naming it
};

Decoded decodeFile(const QString& path);
// The width and height the file's header gives, without decoding its pixels; an invalid
// size when the file is refused.
QSize headerSize(const QString& path);
Decoded decodeData(const QByteArray& data, const QString& name);

// Premultiplies every colour channel as c * a / 255 rounded down, which is what the
// blending step expects; images without alpha come back as RGB32.
QImage premultiplied(const QImage& image);

// The images of a skin carry a device pixel ratio: 2 for the "@2x" files painted for
// high-density screens, 1 otherwise. Layouts and hit areas use logical pixels; these
// give an image's logical size and turn a logical rectangle into the image's pixels.
QSize logicalSize(const QImage& image);
QRect pixelRect(const QImage& image, QRect logical);
// The part of `image` inside the logical rectangle, with the image's pixel ratio.
QImage copyLogical(const QImage& image, QRect logical);
// A premultiplied image of `logical` size with `ratio` pixels per logical one, filled
// with `fill` (transparent unless told).
QImage canvas(QSize logical, qreal ratio, QColor fill = Qt::transparent);

// The scroll thumb of the main window, built into the program: 7 × 114 pixels.
QImage scrollThumb();

} // namespace SkinImage
} // namespace volantra
