#pragma once

#include "common/atomic_file_writer.h"
#include "common/result.h"

#include <QImage>
#include <QString>
#include <string>
#include <vector>

namespace volantra {

// The images of a skin by their paths relative to the skin folder ("/Config/Config.png"),
// in the order they were painted.
class SkinImageSet
{
public:
    struct Entry
    {
        QString path;
        QImage image;
    };

    // Adds an image; a path given twice is a mistake of the painter and throws.
    void add(const QString& path, QImage image);
    // The image at `path`, or a null image.
    QImage image(const QString& path) const;
    bool contains(const QString& path) const { return indexOf(path) >= 0; }
    const std::vector<Entry>& entries() const { return m_entries; }

    // Writes every image as a PNG below `folder`, creating the sub-folders; a `nameSuffix`
    // goes before the extension ("@2x": main.png is written as main@2x.png).
    Status writeTo(const std::string& folder, AtomicFileWriter& writer,
                   const QString& nameSuffix = {}) const;
    // A PNG of the image; images without a transparent pixel are stored without alpha.
    // `compression` is a zlib level, 0 (fast) to 9; -1 keeps the encoder's default.
    static QByteArray encodePng(const QImage& image, int compression = -1);

private:
    int indexOf(const QString& path) const;

    std::vector<Entry> m_entries;
};

} // namespace volantra
