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
#include <vector>

class QPainter;

namespace volantra {

// The images of one skin, decoded once and kept while their file is unchanged.
//
// A missing or refused image is drawn as nothing: the spot keeps what lies beneath. The
// library records the path, so the window can say so once after it painted, instead of
// interrupting the painting.
class SkinLibrary
{
public:
    explicit SkinLibrary(SkinRoot root = {});

    const SkinRoot& root() const { return m_root; }
    void setRoot(SkinRoot root);

    // Premultiplied ARGB32 (RGB32 without alpha); a null image when missing or refused.
    QImage image(std::string_view relativePath);
    // The image's size, (0, 0) when it is missing: a missing section background counts
    // as height 0.
    QSize size(std::string_view relativePath);
    bool exists(std::string_view relativePath);
    // Draws the image at its natural size with source-over blending.
    bool draw(QPainter& painter, std::string_view relativePath, QPoint at);

    // Starts decoding images on other threads, for a start-up that has other work to do
    // meanwhile; finishPreload() takes them into the library. The files are read as they
    // are at that moment.
    struct Preload
    {
        struct Decoded
        {
            QImage image;
            QDateTime modified;
            qint64 fileSize = -1;
        };
        std::vector<std::pair<QString, std::future<Decoded>>> pending;
    };
    Preload startPreload(const std::vector<std::string>& relativePaths) const;
    void finishPreload(Preload& preload);

    // Problems found since the last call, each path reported once per library: the
    // message names the file and says what is wrong with it.
    QStringList takeNewProblems();

private:
    struct Entry
    {
        QImage image;
        QDateTime modified;
        qint64 fileSize = -1;
    };

    QString absolutePath(std::string_view relativePath) const;

    SkinRoot m_root;
    QHash<QString, Entry> m_cache;
    QSet<QString> m_reported;
    QStringList m_newProblems;
};

} // namespace volantra
