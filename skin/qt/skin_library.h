#pragma once

#include "skin/skin_root.h"

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QSet>
#include <QSize>
#include <QString>
#include <QStringList>
#include <future>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

class QPainter;

namespace volantra {

// The images of one skin, decoded once and kept while their file is unchanged.
//
// A missing or refused image is drawn as nothing: the spot keeps what lies beneath. The
// library records the path, so the window can say so once after it painted, instead of
// interrupting the painting.
//
// On a high-density screen (a device pixel ratio above 1) an image "name.png" is read
// from "name@2x.png" beside it when that file holds it at twice the size; the image then
// carries the ratio 2, so it is drawn at its logical size and every layout and hit area
// stays in logical pixels. Skins without such files are drawn from their 1× images,
// scaled by the painter.
class SkinLibrary
{
public:
    // The pixel ratio defaults to the highest of the application's screens.
    explicit SkinLibrary(SkinRoot root = {});

    const SkinRoot& root() const { return m_root; }
    void setRoot(SkinRoot root);
    // 1 reads the 1× images only; above 1 prefers the "@2x" ones.
    qreal devicePixelRatio() const { return m_devicePixelRatio; }
    void setDevicePixelRatio(qreal ratio);

    // Premultiplied ARGB32 (RGB32 without alpha); a null image when missing or refused.
    // Its devicePixelRatio() says which file it came from.
    QImage image(std::string_view relativePath);
    // The image's logical size, (0, 0) when it is missing: a missing section background
    // counts as height 0.
    QSize size(std::string_view relativePath);
    bool exists(std::string_view relativePath);
    // Draws the image at its natural size with source-over blending.
    bool draw(QPainter& painter, std::string_view relativePath, QPoint at);
    // Draws the part of the image inside `area` (logical pixels) at the same place.
    bool drawArea(QPainter& painter, std::string_view relativePath, QRect area);

    // What an image was read from: a changed stamp of either file means reading it anew.
    struct FileStamp
    {
        QDateTime modified;
        qint64 size = -1; // -1: no such file
        bool operator==(const FileStamp&) const = default;
    };
    struct Stamps
    {
        FileStamp standard; // name.png
        FileStamp high;     // name@2x.png, looked at only above ratio 1
        bool operator==(const Stamps&) const = default;
    };

    // Starts decoding images on a few other threads, one per core, for a start-up that has
    // other work to do meanwhile; finishPreload() takes them into the library. The files
    // are read as they are at that moment. The threads take the images in the order
    // given, so the largest listed first ends soonest.
    struct Preload
    {
        struct Decoded
        {
            QImage image;
            QString problem; // why a file was refused, empty when none was
            Stamps stamps;
        };
        std::vector<std::pair<QString, std::future<Decoded>>> pending;
        std::vector<std::jthread> decoders; // joined first when a preload goes unfinished
    };
    Preload startPreload(const std::vector<std::string>& relativePaths) const;
    void finishPreload(Preload& preload);
    // Images decoded when first drawn or measured rather than ahead by a preload.
    int decodedOnFirstUse() const { return m_decodedOnFirstUse; }

    // Problems found since the last call, each path reported once per library: the
    // message names the file and says what is wrong with it.
    QStringList takeNewProblems();

private:
    struct Entry
    {
        QImage image;
        Stamps stamps;
    };

    QString absolutePath(std::string_view relativePath) const;
    Stamps stampsOf(const QString& path) const;
    void report(const QString& path, const QString& problem);

    SkinRoot m_root;
    qreal m_devicePixelRatio = 1;
    QHash<QString, Entry> m_cache;
    int m_decodedOnFirstUse = 0;
    // Sizes read from the headers of images not decoded yet, by the file's stamp.
    QHash<QString, std::pair<FileStamp, QSize>> m_headerSizes;
    QSet<QString> m_reported;
    QStringList m_newProblems;
};

} // namespace volantra
