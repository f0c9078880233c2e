#include "skin/qt/skin_image.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <filesystem>

// Resources of a static library are registered by hand, outside any namespace.
static void registerSkinResources()
{
    Q_INIT_RESOURCE(skin_resources);
}

namespace volantra::SkinImage {

namespace {

Decoded refuse(const QString& name, const QString& why)
{
    return {QImage(), QStringLiteral("%1: %2").arg(name, why)};
}

Decoded decode(QIODevice& device, const QString& name)
{
    // A process-wide setting of Qt's, set once before any decoding thread reads it.
    static const bool limited = (QImageReader::setAllocationLimit(kAllocationLimitMb), true);
    (void)limited;
    QImageReader reader(&device, "png");
    // Skin images are PNGs, which Qt reads itself. Without this the reader first loads every
    // image-format plugin to ask whether one of them wants the format: milliseconds of
    // every start.
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(false);
    if (!reader.canRead())
        return refuse(name, QStringLiteral("not a PNG image"));
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return refuse(name, QStringLiteral("the image has no size"));
    if (size.width() > kMaxDimension || size.height() > kMaxDimension)
        return refuse(name, QStringLiteral("the image is %1 × %2 pixels, larger than a skin "
                                           "image can be (%3 × %3)")
                                .arg(size.width())
                                .arg(size.height())
                                .arg(kMaxDimension));
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return refuse(name, reader.errorString());
    return {premultiplied(image), QString()};
}

// Opens a skin file for reading only when it is a regular file within the size limit.
QString openSkinFile(QFile& file)
{
    std::error_code error;
    const std::filesystem::path path(file.fileName().toStdString());
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return QStringLiteral("the file does not exist");
    if (error)
        return QString::fromStdString(error.message());
    if (status.type() != std::filesystem::file_type::regular)
        return QStringLiteral("not a regular file");
    if (std::filesystem::file_size(path, error) > std::uintmax_t(kMaxFileBytes) || error)
        return QStringLiteral("larger than %1 MiB, too large for a skin image")
            .arg(kAllocationLimitMb);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    return QString();
}

} // namespace

QImage premultiplied(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    // Qt's own conversion rounds; the blending rule needs the floor, so do it by hand.
    QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage result(source.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int a = qAlpha(in[x]);
            out[x] =
                qRgba(qRed(in[x]) * a / 255, qGreen(in[x]) * a / 255, qBlue(in[x]) * a / 255, a);
        }
    }
    result.setDevicePixelRatio(image.devicePixelRatio());
    return result;
}

QSize logicalSize(const QImage& image)
{
    return image.deviceIndependentSize().toSize();
}

QRect pixelRect(const QImage& image, QRect logical)
{
    const qreal ratio = image.devicePixelRatio();
    return QRectF(logical.x() * ratio, logical.y() * ratio, logical.width() * ratio,
                  logical.height() * ratio)
        .toAlignedRect();
}

QImage copyLogical(const QImage& image, QRect logical)
{
    QImage part = image.copy(pixelRect(image, logical));
    part.setDevicePixelRatio(image.devicePixelRatio());
    return part;
}

QImage canvas(QSize logical, qreal ratio, QColor fill)
{
    QImage image((QSizeF(logical) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(fill);
    return image;
}

Decoded decodeFile(const QString& path)
{
    QFile file(path);
    if (const QString refused = openSkinFile(file); !refused.isEmpty())
        return refuse(path, refused);
    // Bounded even when the file grows after it was looked at.
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes)
        return refuse(path, QStringLiteral("larger than %1 MiB, too large for a skin image")
                                .arg(kAllocationLimitMb));
    return decodeData(bytes, path);
}

QSize headerSize(const QString& path)
{
    QFile file(path);
    if (!openSkinFile(file).isEmpty())
        return QSize();
    QImageReader reader(&file, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.canRead() ? reader.size() : QSize();
}

Decoded decodeData(const QByteArray& data, const QString& name)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return decode(buffer, name);
}

} // namespace volantra::SkinImage

namespace volantra::SkinImage {

QImage scrollThumb()
{
    static const bool registered = (registerSkinResources(), true);
    (void)registered;
    QFile file(QStringLiteral(":/volantra/scroll_thumb.png"));
    file.open(QIODevice::ReadOnly);
    // The thumb's slot in the track is 7 pixels wide; a wider image is cut to it.
    return decodeData(file.readAll(), file.fileName()).image.copy(0, 0, 7, 114);
}

} // namespace volantra::SkinImage
