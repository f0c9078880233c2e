#include "skin/qt/skin_image.h"
#include "support/temporary_directory.h"

#include <QBuffer>
#include <QPainter>
#include <gtest/gtest.h>

namespace volantra {
namespace {

QByteArray pngOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

TEST(SkinImageTest, ColourChannelsArePremultipliedRoundingDown)
{
    struct Case
    {
        QRgb straight;
        QRgb stored;
    } cases[] = {
        {qRgba(255, 255, 255, 128), qRgba(128, 128, 128, 128)},
        {qRgba(255, 255, 255, 0), qRgba(0, 0, 0, 0)},
        {qRgba(10, 200, 255, 255), qRgba(10, 200, 255, 255)},
        // 100 * 127 / 255 = 49.8: the floor, where rounding would give 50.
        {qRgba(100, 1, 254, 127), qRgba(49, 0, 126, 127)},
    };
    for (const Case& c : cases) {
        QImage straight(1, 1, QImage::Format_ARGB32);
        straight.setPixel(0, 0, c.straight);
        const QImage stored = SkinImage::premultiplied(straight);
        ASSERT_EQ(stored.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(stored.pixel(0, 0), c.stored) << std::hex << c.straight;
    }
}

TEST(SkinImageTest, PaletteImagesWithTransparencyArePremultipliedToo)
{
    QImage palette(2, 1, QImage::Format_Indexed8);
    palette.setColorTable({qRgba(255, 255, 255, 128), qRgba(0, 0, 255, 255)});
    palette.setPixel(0, 0, 0);
    palette.setPixel(1, 0, 1);
    const SkinImage::Decoded decoded = SkinImage::decodeData(pngOf(palette), "palette.png");
    ASSERT_TRUE(decoded.error.isEmpty()) << decoded.error.toStdString();
    EXPECT_EQ(decoded.image.pixel(0, 0), qRgba(128, 128, 128, 128));
    EXPECT_EQ(decoded.image.pixel(1, 0), qRgba(0, 0, 255, 255));
}

TEST(SkinImageTest, TransparentPixelsLeaveTheTargetAndHalfWhiteBlendsOnTop)
{
    QImage source(2, 1, QImage::Format_ARGB32);
    source.setPixel(0, 0, qRgba(255, 0, 0, 0));
    source.setPixel(1, 0, qRgba(255, 255, 255, 128));
    const SkinImage::Decoded decoded = SkinImage::decodeData(pngOf(source), "blend.png");
    QImage target(2, 1, QImage::Format_RGB32);
    target.fill(qRgb(0, 0, 0));
    QPainter painter(&target);
    painter.drawImage(0, 0, decoded.image);
    painter.end();
    EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(1, 0), qRgb(128, 128, 128));
}

TEST(SkinImageTest, ImagesWithoutAlphaAreKeptOpaque)
{
    QImage opaque(3, 2, QImage::Format_RGB888);
    opaque.fill(qRgb(1, 2, 3));
    const SkinImage::Decoded decoded = SkinImage::decodeData(pngOf(opaque), "opaque.png");
    ASSERT_FALSE(decoded.image.isNull());
    EXPECT_FALSE(decoded.image.hasAlphaChannel());
    EXPECT_EQ(decoded.image.size(), QSize(3, 2));
    EXPECT_EQ(decoded.image.pixel(2, 1), qRgb(1, 2, 3));
}

// A PNG header claiming `width` × `height`, followed by nothing that decodes.
QByteArray pngHeaderClaiming(quint32 width, quint32 height)
{
    QImage tiny(1, 1, QImage::Format_ARGB32);
    tiny.fill(Qt::red);
    QByteArray bytes = pngOf(tiny);
    // IHDR data starts after the 8-byte signature and the chunk's length and type.
    auto put = [&bytes](int at, quint32 value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
    };
    put(16, width);
    put(20, height);
    return bytes;
}

TEST(SkinImageTest, HostileOrBrokenFilesAreRefusedWithTheFileName)
{
    QImage good(40, 40, QImage::Format_ARGB32);
    good.fill(Qt::green);
    const QByteArray whole = pngOf(good);
    struct Case
    {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"empty.png", QByteArray()},
        {"text.png", QByteArray("this is not an image at all")},
        {"jpeg-named-png.png", QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00", 11)},
        {"truncated.png", whole.left(whole.size() / 2)},
        {"huge.png", pngHeaderClaiming(100000, 100000)},
        {"wide.png", pngHeaderClaiming(70000, 1)},
        {"zero.png", pngHeaderClaiming(0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SkinImage::Decoded decoded = SkinImage::decodeData(c.bytes, c.name);
        EXPECT_TRUE(decoded.image.isNull());
        EXPECT_TRUE(decoded.error.startsWith(c.name)) << decoded.error.toStdString();
    }
}

TEST(SkinImageTest, MissingFilesAreRefusedWithTheirPath)
{
    test::TemporaryDirectory directory;
    const QString path = QString::fromStdString(directory.file("absent.png"));
    const SkinImage::Decoded decoded = SkinImage::decodeFile(path);
    EXPECT_TRUE(decoded.image.isNull());
    EXPECT_TRUE(decoded.error.startsWith(path));
}

TEST(SkinImageTest, TheBuiltInScrollThumbIsSevenByHundredFourteen)
{
    const QImage thumb = SkinImage::scrollThumb();
    EXPECT_EQ(thumb.size(), QSize(7, 114));
    EXPECT_GT(qAlpha(thumb.pixel(3, 57)), 0);
}

} // namespace
} // namespace volantra
