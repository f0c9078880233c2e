#pragma once

#include "common/rect.h"
#include "skin/qt/skin_library.h"
#include "skin/skin_root.h"
#include "support/temporary_directory.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSize>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace volantra::test {

// Writes a PNG of one flat colour, making its folders.
inline void writeFlatImage(const std::string& path, QSize size, QColor colour)
{
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).path());
    QImage image(size, QImage::Format_ARGB32);
    image.fill(colour);
    EXPECT_TRUE(image.save(QString::fromStdString(path), "PNG")) << path;
}

// A skin of flat-coloured images in a temporary folder: a picture drawn with it shows
// exactly which image landed where.
class FlatSkin
{
public:
    struct Image
    {
        std::string path; // relative to the skin, "/..."
        QSize size;
        QColor colour;
    };

    explicit FlatSkin(const std::vector<Image>& images)
    {
        const std::filesystem::path root = m_directory.path() / "Skins" / "Test";
        std::filesystem::create_directories(root);
        m_path = root.string();
        for (const Image& image : images)
            add(image);
    }

    void add(const Image& image) { writeFlatImage(m_path + image.path, image.size, image.colour); }

    const std::string& path() const { return m_path; }
    SkinRoot root() const { return SkinRoot(m_path); }

private:
    TemporaryDirectory m_directory;
    std::string m_path;
};

// A rectangle of a section's table (relative to its origin) in window coordinates.
inline QRect windowRect(const Rect& area, QPoint origin)
{
    return QRect(origin + QPoint(area.left, area.top), QSize(area.width(), area.height()));
}

// Pixels of an area in a red text colour (antialiased edges included).
inline int redTextPixels(const QImage& image, QRect area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.red() > 0xA0 && pixel.green() < 0x30 && pixel.blue() < 0x30)
                ++count;
        }
    }
    return count;
}

} // namespace volantra::test
