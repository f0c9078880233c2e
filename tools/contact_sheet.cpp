#include "tools/contact_sheet.h"

#include "tools/skin_image_set.h"
#include "tools/skin_painter.h"

#include <QFontMetrics>
#include <algorithm>
#include <vector>

namespace volantra {
namespace {

constexpr int kMargin = 16;
constexpr int kGap = 14;
constexpr int kCaptionHeight = 28; // two lines: folder and file name
constexpr QRgb kSheet = 0xff2b2d31;
constexpr QRgb kCaption = 0xffc8cbd0;

struct Cell
{
    const SkinImageSet::Entry* entry;
    QPoint at;
    int width;
};

// The path split after its last "/" so that long folder names do not widen the cell.
QString folderOf(const QString& path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString fileOf(const QString& path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

// Grey squares of 8 pixels, aligned with the image so that its pixels can be counted.
QBrush checkerboard()
{
    constexpr int kSquare = 8;
    QImage tile(2 * kSquare, 2 * kSquare, QImage::Format_RGB32);
    tile.fill(QColor(0xff4a4c50));
    for (int y = 0; y < 2 * kSquare; ++y) {
        for (int x = 0; x < 2 * kSquare; ++x) {
            if ((x < kSquare) != (y < kSquare))
                tile.setPixel(x, y, 0xff5b5d61);
        }
    }
    return QBrush(tile);
}

} // namespace

QImage ContactSheet::render(const SkinImageSet& images)
{
    const QFont font = SkinPainter::font(10);
    const QFontMetrics metrics(font);
    // Flow the images into rows.
    std::vector<Cell> cells;
    std::vector<int> rowHeights;
    int x = kMargin;
    int y = kMargin;
    int rowHeight = 0;
    for (const SkinImageSet::Entry& entry : images.entries()) {
        const int captionWidth = std::max(metrics.horizontalAdvance(folderOf(entry.path)),
                                          metrics.horizontalAdvance(fileOf(entry.path)));
        const int width = std::max(entry.image.width(), captionWidth);
        if (x + width > kWidth - kMargin && x > kMargin) {
            y += rowHeight + kGap;
            x = kMargin;
            rowHeight = 0;
        }
        cells.push_back({&entry, QPoint(x, y), width});
        x += width + kGap;
        rowHeight = std::max(rowHeight, entry.image.height() + kCaptionHeight);
    }
    const int height = y + rowHeight + kMargin;

    QImage sheet = SkinPainter::canvas(QSize(kWidth, height), QColor(kSheet));
    SkinPainter painter(sheet);
    QBrush squares = checkerboard();
    for (const Cell& cell : cells) {
        const QImage& image = cell.entry->image;
        const QRect place(cell.at, image.size());
        squares.setTransform(QTransform::fromTranslate(place.left(), place.top()));
        painter.fillRect(place, squares);
        painter.drawImage(place.topLeft(), image);
        const QRectF caption(cell.at.x(), place.bottom() + 3, cell.width, kCaptionHeight - 3);
        painter.text(caption,
                     folderOf(cell.entry->path) + QLatin1Char('\n') + fileOf(cell.entry->path),
                     font, QColor(kCaption), Qt::AlignLeft | Qt::AlignTop);
    }
    painter.end();
    return sheet.convertToFormat(QImage::Format_RGB32);
}

} // namespace volantra
