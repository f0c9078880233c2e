#include "tools/skin_image_set.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace volantra {

void SkinImageSet::add(const QString& path, QImage image)
{
    if (!path.startsWith(QLatin1Char('/')) || contains(path))
        throw std::logic_error("skin image painted twice or without a leading /: " +
                               path.toStdString());
    m_entries.push_back({path, std::move(image)});
}

QImage SkinImageSet::image(const QString& path) const
{
    const int index = indexOf(path);
    return index < 0 ? QImage() : m_entries[static_cast<std::size_t>(index)].image;
}

int SkinImageSet::indexOf(const QString& path) const
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].path == path)
            return static_cast<int>(i);
    }
    return -1;
}

namespace {

// The image as palette indices when it has 256 colours or fewer, else a null image. The
// same pixels in a quarter of the bytes: the program decodes its window background several
// times faster at start.
QImage withExactPalette(const QImage& image)
{
    const bool alpha = image.hasAlphaChannel();
    const QImage plain =
        image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QList<QRgb> colours;
    QHash<QRgb, int> indexOfColour;
    QImage indexed(plain.size(), QImage::Format_Indexed8);
    for (int y = 0; y < plain.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(plain.constScanLine(y));
        uchar* out = indexed.scanLine(y);
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb colour = alpha ? row[x] : (row[x] | 0xff000000u);
            auto found = indexOfColour.constFind(colour);
            if (found == indexOfColour.constEnd()) {
                if (colours.size() == 256)
                    return {};
                found = indexOfColour.insert(colour, int(colours.size()));
                colours.append(colour);
            }
            out[x] = uchar(*found);
        }
    }
    indexed.setColorTable(colours);
    indexed.setDevicePixelRatio(image.devicePixelRatio());
    return indexed;
}

} // namespace

QByteArray SkinImageSet::encodePng(const QImage& image, int compression)
{
    QImage stored = image;
    if (stored.hasAlphaChannel()) {
        const QImage plain = stored.convertToFormat(QImage::Format_ARGB32);
        bool opaque = true;
        for (int y = 0; y < plain.height() && opaque; ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(plain.constScanLine(y));
            for (int x = 0; x < plain.width(); ++x) {
                if (qAlpha(row[x]) != 255) {
                    opaque = false;
                    break;
                }
            }
        }
        stored = opaque ? plain.convertToFormat(QImage::Format_RGB32) : plain;
    }
    if (const QImage palette = withExactPalette(stored); !palette.isNull())
        stored = palette;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // Qt maps the PNG "quality" 0 to 100 onto the zlib levels 9 to 0.
    if (compression >= 0)
        writer.setQuality(100 - (compression * 91 + 8) / 9);
    if (!writer.write(stored))
        return {};
    return bytes;
}

Status SkinImageSet::writeTo(const std::string& folder, AtomicFileWriter& writer,
                             const QString& nameSuffix) const
{
    namespace fs = std::filesystem;
    for (const Entry& entry : m_entries) {
        fs::path file = fs::path(folder) / entry.path.mid(1).toStdString();
        if (!nameSuffix.isEmpty())
            file.replace_filename(file.stem().string() + nameSuffix.toStdString() +
                                  file.extension().string());
        std::error_code error;
        fs::create_directories(file.parent_path(), error);
        if (error)
            return Error{Error::Kind::Io, file.parent_path().string() +
                                              ": cannot create the folder (" + error.message() +
                                              ")"};
        const QByteArray png = encodePng(entry.image);
        if (png.isEmpty())
            return Error{Error::Kind::Io, file.string() + ": cannot encode the image"};
        const auto* data = reinterpret_cast<const std::uint8_t*>(png.constData());
        if (Status written = writer.writeFile(file.string(), {data, data + png.size()}); !written)
            return written;
    }
    return {};
}

} // namespace volantra
