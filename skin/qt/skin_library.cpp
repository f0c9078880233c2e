#include "skin/qt/skin_library.h"

#include "skin/qt/skin_image.h"

#include <QFileInfo>
#include <QPainter>

namespace volantra {

SkinLibrary::SkinLibrary(SkinRoot root) : m_root(std::move(root)) {}

void SkinLibrary::setRoot(SkinRoot root)
{
    if (root == m_root)
        return;
    m_root = std::move(root);
    m_cache.clear();
}

QString SkinLibrary::absolutePath(std::string_view relativePath) const
{
    return QString::fromStdString(m_root.image(relativePath));
}

QImage SkinLibrary::image(std::string_view relativePath)
{
    const QString path = absolutePath(relativePath);
    // A stat per use keeps the cache honest when a skin is edited while the program runs.
    const QFileInfo info(path);
    const QDateTime modified = info.exists() ? info.lastModified() : QDateTime();
    const qint64 fileSize = info.exists() ? info.size() : -1;

    auto cached = m_cache.constFind(path);
    if (cached != m_cache.constEnd() && cached->modified == modified &&
        cached->fileSize == fileSize)
        return cached->image;

    Entry entry{QImage(), modified, fileSize};
    if (fileSize < 0) {
        if (!m_reported.contains(path)) {
            m_reported.insert(path);
            m_newProblems.append(QStringLiteral("%1: the skin image is missing").arg(path));
        }
    } else {
        SkinImage::Decoded decoded = SkinImage::decodeFile(path);
        entry.image = decoded.image;
        if (entry.image.isNull() && !m_reported.contains(path)) {
            m_reported.insert(path);
            m_newProblems.append(decoded.error);
        }
    }
    m_cache.insert(path, entry);
    return entry.image;
}

QSize SkinLibrary::size(std::string_view relativePath)
{
    const QString path = absolutePath(relativePath);
    auto cached = m_cache.constFind(path);
    if (cached == m_cache.constEnd()) {
        // Layouts measure images they may never draw: the header is enough for that, and
        // the pixels are decoded when the image is first drawn.
        const QSize header = SkinImage::headerSize(path);
        if (header.isValid() && !header.isEmpty() && header.width() <= SkinImage::kMaxDimension &&
            header.height() <= SkinImage::kMaxDimension)
            return header;
    }
    const QImage decoded = image(relativePath);
    return decoded.isNull() ? QSize(0, 0) : decoded.size();
}

bool SkinLibrary::exists(std::string_view relativePath)
{
    return !image(relativePath).isNull();
}

bool SkinLibrary::draw(QPainter& painter, std::string_view relativePath, QPoint at)
{
    const QImage decoded = image(relativePath);
    if (decoded.isNull())
        return false;
    painter.drawImage(at, decoded);
    return true;
}

SkinLibrary::Preload SkinLibrary::startPreload(const std::vector<std::string>& relativePaths) const
{
    Preload preload;
    for (const std::string& relative : relativePaths) {
        QString path = absolutePath(relative);
        preload.pending.emplace_back(path, std::async(std::launch::async, [path] {
                                         // The file as it was when decoding began, so a
                                         // change during it is seen at the first use.
                                         const QFileInfo info(path);
                                         return Preload::Decoded{SkinImage::decodeFile(path).image,
                                                                 info.lastModified(), info.size()};
                                     }));
    }
    return preload;
}

void SkinLibrary::finishPreload(Preload& preload)
{
    for (auto& [path, pending] : preload.pending) {
        Preload::Decoded decoded = pending.get();
        // Failures are left to the first use, which reports them.
        if (!decoded.image.isNull())
            m_cache.insert(path,
                           Entry{std::move(decoded.image), decoded.modified, decoded.fileSize});
    }
    preload.pending.clear();
}

QStringList SkinLibrary::takeNewProblems()
{
    QStringList problems;
    problems.swap(m_newProblems);
    return problems;
}

} // namespace volantra
