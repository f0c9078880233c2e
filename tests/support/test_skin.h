#pragma once

#include "skin/skin_root.h"
#include "support/temporary_directory.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

namespace volantra::test {

// A skin of plain-coloured images in a temporary directory.
class TestSkin
{
public:
    struct Image
    {
        std::string path;
        QSize size;
        QColor colour;
    };

    explicit TestSkin(const std::vector<Image>& images)
    {
        const std::filesystem::path root = m_directory.path() / "Skins" / "Test";
        std::filesystem::create_directories(root);
        m_root = root.string();
        for (const Image& image : images)
            add(image);
    }

    void add(const Image& image)
    {
        const std::filesystem::path file = m_root + image.path;
        std::filesystem::create_directories(file.parent_path());
        QImage picture(image.size, QImage::Format_ARGB32);
        picture.fill(image.colour);
        picture.save(QString::fromStdString(file.string()), "PNG");
    }

    SkinRoot root() const { return SkinRoot(m_root); }

private:
    TemporaryDirectory m_directory;
    std::string m_root;
};

} // namespace volantra::test
