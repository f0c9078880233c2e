#include "tools/skin_painter.h"

#include <QLinearGradient>

namespace volantra {

SkinPainter::SkinPainter(QImage& image) : QPainter(&image)
{
    setRenderHint(QPainter::Antialiasing);
    setRenderHint(QPainter::TextAntialiasing);
    setRenderHint(QPainter::SmoothPixmapTransform);
}

namespace {
int g_canvasRatio = 1; // the build tool paints on one thread
} // namespace

SkinPainter::Scale::Scale(int ratio) : m_previous(g_canvasRatio)
{
    g_canvasRatio = ratio;
}

SkinPainter::Scale::~Scale()
{
    g_canvasRatio = m_previous;
}

QImage SkinPainter::canvas(QSize size, QColor fill)
{
    QImage image(size * g_canvasRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(g_canvasRatio);
    image.fill(fill);
    return image;
}

QImage SkinPainter::cut(const QImage& image, QRect area)
{
    const int ratio = static_cast<int>(image.devicePixelRatio());
    QImage part = image.copy(QRect(area.topLeft() * ratio, area.size() * ratio));
    part.setDevicePixelRatio(ratio);
    return part;
}

QFont SkinPainter::font(int pixelSize, int weight)
{
    // DejaVu Sans ships with nearly every Linux desktop and build machine, so the skin
    // looks the same wherever it is generated.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void SkinPainter::fillRounded(const QRectF& rect, qreal radius, const QBrush& fill)
{
    save();
    setPen(Qt::NoPen);
    setBrush(fill);
    drawRoundedRect(rect, radius, radius);
    restore();
}

void SkinPainter::strokeRounded(const QRectF& rect, qreal radius, const QColor& colour, qreal width)
{
    save();
    setPen(QPen(colour, width));
    setBrush(Qt::NoBrush);
    drawRoundedRect(rect, radius, radius);
    restore();
}

void SkinPainter::fillCircle(QPointF centre, qreal radius, const QBrush& fill)
{
    save();
    setPen(Qt::NoPen);
    setBrush(fill);
    drawEllipse(centre, radius, radius);
    restore();
}

void SkinPainter::strokeCircle(QPointF centre, qreal radius, const QColor& colour, qreal width)
{
    save();
    setPen(QPen(colour, width));
    setBrush(Qt::NoBrush);
    drawEllipse(centre, radius, radius);
    restore();
}

void SkinPainter::line(QPointF from, QPointF to, const QColor& colour, qreal width,
                       Qt::PenCapStyle cap)
{
    save();
    setPen(QPen(colour, width, Qt::SolidLine, cap, Qt::RoundJoin));
    drawLine(from, to);
    restore();
}

void SkinPainter::text(const QRectF& rect, const QString& text, const QFont& font,
                       const QColor& colour, int flags)
{
    save();
    setFont(font);
    setPen(colour);
    drawText(rect, flags, text);
    restore();
}

void SkinPainter::raisedFace(const QRectF& rect, qreal radius, QColor top, QColor bottom,
                             QColor frame)
{
    fillRounded(rect, radius, vertical(rect, top, bottom));
    const QRectF inner = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    strokeRounded(inner, radius - 0.5, frame);
    // The top edge catches the light.
    line(QPointF(rect.left() + radius, rect.top() + 1.5),
         QPointF(rect.right() - radius, rect.top() + 1.5), withAlpha(Qt::white, 18), 1.0,
         Qt::FlatCap);
}

void SkinPainter::field(const QRectF& rect, qreal radius, QColor fill, QColor frame)
{
    fillRounded(rect, radius, fill);
    strokeRounded(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, frame);
}

void SkinPainter::chevron(QPointF centre, qreal halfWidth, const QColor& colour, bool up,
                          qreal width)
{
    const qreal rise = halfWidth / 2.0 * (up ? -1.0 : 1.0);
    QPainterPath path;
    path.moveTo(centre.x() - halfWidth, centre.y() - rise);
    path.lineTo(centre.x(), centre.y() + rise);
    path.lineTo(centre.x() + halfWidth, centre.y() - rise);
    save();
    setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    setBrush(Qt::NoBrush);
    drawPath(path);
    restore();
}

void SkinPainter::checkTick(const QRectF& box, const QColor& colour, qreal width)
{
    QPainterPath path;
    path.moveTo(box.left() + box.width() * 0.22, box.top() + box.height() * 0.52);
    path.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.72);
    path.lineTo(box.left() + box.width() * 0.78, box.top() + box.height() * 0.30);
    save();
    setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    setBrush(Qt::NoBrush);
    drawPath(path);
    restore();
}

void SkinPainter::fillPathVertical(const QPainterPath& path, QColor top, QColor bottom)
{
    save();
    setPen(Qt::NoPen);
    setBrush(vertical(path.boundingRect(), top, bottom));
    drawPath(path);
    restore();
}

QLinearGradient SkinPainter::vertical(const QRectF& rect, QColor top, QColor bottom)
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0.0, top);
    gradient.setColorAt(1.0, bottom);
    return gradient;
}

QColor SkinPainter::mix(QColor a, QColor b, qreal amountOfB)
{
    const qreal keep = 1.0 - amountOfB;
    return QColor::fromRgbF(static_cast<float>(a.redF() * keep + b.redF() * amountOfB),
                            static_cast<float>(a.greenF() * keep + b.greenF() * amountOfB),
                            static_cast<float>(a.blueF() * keep + b.blueF() * amountOfB),
                            static_cast<float>(a.alphaF() * keep + b.alphaF() * amountOfB));
}

QColor SkinPainter::withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

} // namespace volantra
