#include "skin/qt/skin_library.h"

#include "skin/qt/skin_image.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <atomic>
#include <memory>

namespace volantra {

namespace {

// "/Skins/Dark/main.png" -> "/Skins/Dark/main@2x.png", Qt's naming of an image painted at
// twice the size.
QString highDensityPath(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot <= path.lastIndexOf(QLatin1Char('/')))
        return path + QStringLiteral("@2x");
    return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

SkinLibrary::FileStamp stampOf(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() ? SkinLibrary::FileStamp{info.lastModified(), info.size()}
                         : SkinLibrary::FileStamp{};
}

// Reads one image as the stamps found it; safe on any thread.
SkinLibrary::Preload::Decoded load(const QString& path, const SkinLibrary::Stamps& stamps)
{
    SkinLibrary::Preload::Decoded result{QImage(), QString(), stamps};
    if (stamps.standard.size < 0) {
        result.problem = QStringLiteral("%1: the skin image is missing").arg(path);
        return result;
    }
    if (stamps.high.size >= 0) {
        const QString highPath = highDensityPath(path);
        SkinImage::Decoded high = SkinImage::decodeFile(highPath);
        // The 1× image sets the layout, so a 2× image must be exactly twice its size.
        const QSize standardSize = SkinImage::headerSize(path);
        if (!high.image.isNull() && high.image.size() == standardSize * 2) {
            high.image.setDevicePixelRatio(2);
            result.image = std::move(high.image);
            return result;
        }
        if (high.image.isNull())
            result.problem = high.error;
        else if (standardSize.isValid())
            result.problem = QStringLiteral("%1: the image is %2 × %3 pixels, not twice the "
                                            "%4 × %5 of %6; the 1× image is drawn instead")
                                 .arg(highPath)
                                 .arg(high.image.width())
                                 .arg(high.image.height())
                                 .arg(standardSize.width())
                                 .arg(standardSize.height())
                                 .arg(path);
    }
    SkinImage::Decoded standard = SkinImage::decodeFile(path);
    result.image = std::move(standard.image);
    if (result.image.isNull())
        result.problem = result.problem.isEmpty()
                             ? standard.error
                             : result.problem + QLatin1Char('\n') + standard.error;
    return result;
}

qreal screenRatio()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

} // namespace

SkinLibrary::SkinLibrary(SkinRoot root) : m_root(std::move(root)), m_devicePixelRatio(screenRatio())
{
}

void SkinLibrary::setRoot(SkinRoot root)
{
    if (root == m_root)
        return;
    m_root = std::move(root);
    m_cache.clear();
    m_headerSizes.clear();
}

void SkinLibrary::setDevicePixelRatio(qreal ratio)
{
    if (ratio == m_devicePixelRatio)
        return;
    m_devicePixelRatio = ratio;
    m_cache.clear();
}

QString SkinLibrary::absolutePath(std::string_view relativePath) const
{
    return QString::fromStdString(m_root.image(relativePath));
}

SkinLibrary::Stamps SkinLibrary::stampsOf(const QString& path) const
{
    Stamps stamps{stampOf(path), FileStamp{}};
    if (m_devicePixelRatio > 1 && stamps.standard.size >= 0)
        stamps.high = stampOf(highDensityPath(path));
    return stamps;
}

void SkinLibrary::report(const QString& path, const QString& problem)
{
    if (problem.isEmpty() || m_reported.contains(path))
        return;
    m_reported.insert(path);
    m_newProblems.append(problem);
}

QImage SkinLibrary::image(std::string_view relativePath)
{
    const QString path = absolutePath(relativePath);
    // A stat per use keeps the cache honest when a skin is edited while the program runs.
    const Stamps stamps = stampsOf(path);
    auto cached = m_cache.constFind(path);
    if (cached != m_cache.constEnd() && cached->stamps == stamps)
        return cached->image;

    Preload::Decoded loaded = load(path, stamps);
    ++m_decodedOnFirstUse;
    report(path, loaded.problem);
    m_cache.insert(path, Entry{loaded.image, stamps});
    return loaded.image;
}

QSize SkinLibrary::size(std::string_view relativePath)
{
    const QString path = absolutePath(relativePath);
    auto cached = m_cache.constFind(path);
    if (cached == m_cache.constEnd()) {
        // Layouts measure images they may never draw: the header is enough for that, and
        // the pixels are decoded when the image is first drawn.
        const FileStamp stamp = stampOf(path);
        auto measured = m_headerSizes.constFind(path);
        if (measured == m_headerSizes.constEnd() || measured->first != stamp)
            measured = m_headerSizes.insert(path, {stamp, SkinImage::headerSize(path)});
        const QSize header = measured->second;
        if (header.isValid() && !header.isEmpty() && header.width() <= SkinImage::kMaxDimension &&
            header.height() <= SkinImage::kMaxDimension)
            return header;
    }
    const QImage decoded = image(relativePath);
    return decoded.isNull() ? QSize(0, 0) : SkinImage::logicalSize(decoded);
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

bool SkinLibrary::drawArea(QPainter& painter, std::string_view relativePath, QRect area)
{
    const QImage decoded = image(relativePath);
    if (decoded.isNull())
        return false;
    painter.drawImage(QRectF(area), decoded, QRectF(SkinImage::pixelRect(decoded, area)));
    return true;
}

SkinLibrary::Preload SkinLibrary::startPreload(const std::vector<std::string>& relativePaths) const
{
    using Job = std::packaged_task<Preload::Decoded()>;
    auto jobs = std::make_shared<std::vector<Job>>();
    Preload preload;
    for (const std::string& relative : relativePaths) {
        QString path = absolutePath(relative);
        // The files as they were when decoding began, so a change during it is seen at
        // the first use.
        jobs->emplace_back([path, stamps = stampsOf(path)] { return load(path, stamps); });
        preload.pending.emplace_back(std::move(path), jobs->back().get_future());
    }
    auto next = std::make_shared<std::atomic<std::size_t>>(0);
    const std::size_t threads =
        std::min<std::size_t>(jobs->size(), std::max(2u, std::thread::hardware_concurrency()));
    for (std::size_t i = 0; i < threads; ++i)
        preload.decoders.emplace_back([jobs, next] {
            for (std::size_t job = (*next)++; job < jobs->size(); job = (*next)++)
                (*jobs)[job]();
        });
    return preload;
}

void SkinLibrary::finishPreload(Preload& preload)
{
    for (auto& [path, pending] : preload.pending) {
        Preload::Decoded decoded = pending.get();
        // Failures are left to the first use, which reports them.
        if (!decoded.image.isNull() && decoded.problem.isEmpty())
            m_cache.insert(path, Entry{std::move(decoded.image), decoded.stamps});
    }
    preload.pending.clear();
    preload.decoders.clear();
}

QStringList SkinLibrary::takeNewProblems()
{
    QStringList problems;
    problems.swap(m_newProblems);
    return problems;
}

} // namespace volantra
