#pragma once

#include <QImage>
#include <QString>

namespace volantra {

// Decoding of skin PNGs. Skin folders can be edited by anybody, so a file is checked
// before it is decoded: it must be a PNG, and its pixels must fit a small allocation.
namespace SkinImage {

// Skin images are window-sized at most; this bounds a hostile header's claim.
constexpr int kMaxDimension = 4096;
constexpr int kAllocationLimitMb = 64;

struct Decoded
{
    QImage image;  // premultiplied ARGB32, or RGB32 for images without alpha; null on error
    QString error; // why the file was refused, naming it
};

Decoded decodeFile(const QString& path);
Decoded decodeData(const QByteArray& data, const QString& name);

// Premultiplies every colour channel as c * a / 255 rounded down, which is what the
// blending step expects; images without alpha come back as RGB32.
QImage premultiplied(const QImage& image);

// The scroll thumb of the main window, built into the program: 7 × 114 pixels.
QImage scrollThumb();

} // namespace SkinImage
} // namespace volantra
