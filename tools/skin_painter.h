#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace volantra {

// A QPainter over one image of the default skin, anti-aliased, with the few shapes the
// skin is built from. Coordinates are the image's logical pixels; a 1-pixel line is crisp
// when it runs through a pixel's centre (x.5).
class SkinPainter : public QPainter
{
public:
    explicit SkinPainter(QImage& image);

    // While one lives, canvases have `ratio` pixels per logical pixel, so the same drawing
    // code paints the skin for ordinary and for high-density screens.
    class Scale
    {
    public:
        explicit Scale(int ratio);
        ~Scale();
        Scale(const Scale&) = delete;
        Scale& operator=(const Scale&) = delete;

    private:
        int m_previous;
    };

    // A new premultiplied image of `size` (logical pixels, at the current Scale) filled
    // with `fill` (transparent by default).
    static QImage canvas(QSize size, QColor fill = Qt::transparent);
    // The part of `image` inside the logical rectangle `area`, at the image's ratio.
    static QImage cut(const QImage& image, QRect area);
    static QFont font(int pixelSize, int weight = QFont::Normal);

    void fillRounded(const QRectF& rect, qreal radius, const QBrush& fill);
    void strokeRounded(const QRectF& rect, qreal radius, const QColor& colour, qreal width = 1.0);
    void fillCircle(QPointF centre, qreal radius, const QBrush& fill);
    void strokeCircle(QPointF centre, qreal radius, const QColor& colour, qreal width = 1.0);
    void line(QPointF from, QPointF to, const QColor& colour, qreal width = 1.0,
              Qt::PenCapStyle cap = Qt::RoundCap);
    void text(const QRectF& rect, const QString& text, const QFont& font, const QColor& colour,
              int flags = Qt::AlignCenter);
    // A raised face: a vertical gradient from `top` to `bottom`, a 1-pixel frame and a
    // faint highlight along its top edge.
    void raisedFace(const QRectF& rect, qreal radius, QColor top, QColor bottom, QColor frame);
    // A sunken field: dark fill with a frame.
    void field(const QRectF& rect, qreal radius, QColor fill, QColor frame);
    // A small "v" (pointing down, or up when `up`) centred on `centre`.
    void chevron(QPointF centre, qreal halfWidth, const QColor& colour, bool up = false,
                 qreal width = 1.5);
    void checkTick(const QRectF& box, const QColor& colour, qreal width);
    // A vertical gradient fill of a path.
    void fillPathVertical(const QPainterPath& path, QColor top, QColor bottom);

    static QLinearGradient vertical(const QRectF& rect, QColor top, QColor bottom);
    static QColor mix(QColor a, QColor b, qreal amountOfB);
    static QColor withAlpha(QColor colour, int alpha);
};

} // namespace volantra
