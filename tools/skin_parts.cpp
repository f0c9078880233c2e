#include "tools/skin_parts.h"

#include "tools/skin_painter.h"
#include "tools/skin_palette.h"

#include <QPainterPath>
#include <algorithm>

namespace volantra::SkinParts {

using namespace SkinPalette;

QImage buttonFace(QSize size, Tone tone, bool over, QRgb surface, QMargins inset)
{
    QImage image = SkinPainter::canvas(size, QColor(surface));
    SkinPainter painter(image);
    const QRectF face = QRectF(QPointF(0, 0), QSizeF(size)).marginsRemoved(inset.toMarginsF());
    const qreal radius = std::min(5.0, face.height() / 4.0);
    switch (tone) {
    case Tone::Plain:
        painter.raisedFace(face, radius, over ? QColor(kRaisedHover) : QColor(kRaised),
                           over ? QColor(0xff272a30) : QColor(0xff1e2125),
                           over ? QColor(kAccentDeep) : QColor(kLine));
        break;
    case Tone::Primary:
        painter.raisedFace(face, radius, over ? QColor(0xffd0662a) : QColor(0xffbf5a20),
                           over ? QColor(0xffb0501b) : QColor(0xff9c4616),
                           over ? QColor(kAccentBright) : QColor(kAccent));
        break;
    case Tone::Chosen:
        painter.raisedFace(face, radius, QColor(0xff2f2722), QColor(0xff241f1c),
                           QColor(kAccentDeep));
        // The chosen one is underlined in the accent.
        painter.fillRounded(QRectF(face.left() + 8, face.bottom() - 3.5, face.width() - 16, 2), 1.0,
                            QColor(over ? kAccentBright : kAccent));
        break;
    }
    return image;
}

QImage titleButton(Glyph glyph, bool over, QRgb surface)
{
    QImage image = SkinPainter::canvas(QSize(15, 15), QColor(surface));
    SkinPainter painter(image);
    const QRectF box(0.5, 0.5, 14, 14);
    if (over)
        painter.fillRounded(box, 3.5, QColor(glyph == Glyph::Close ? kDanger : kRaisedHover));
    const QColor ink = over ? QColor(Qt::white) : QColor(kTextMuted);
    switch (glyph) {
    case Glyph::Help: {
        painter.strokeCircle(QPointF(7.5, 7.5), 5.3, ink, 1.2);
        QPainterPath hook;
        hook.moveTo(5.6, 6.1);
        hook.cubicTo(5.6, 4.2, 9.4, 4.2, 9.4, 6.1);
        hook.cubicTo(9.4, 7.4, 7.5, 7.3, 7.5, 8.8);
        painter.setPen(QPen(ink, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(hook);
        painter.fillCircle(QPointF(7.5, 10.6), 0.8, ink);
        break;
    }
    case Glyph::Minimise:
        painter.line(QPointF(4, 10.5), QPointF(11, 10.5), ink, 1.5);
        break;
    case Glyph::Close:
        painter.line(QPointF(4.5, 4.5), QPointF(10.5, 10.5), ink, 1.5);
        painter.line(QPointF(10.5, 4.5), QPointF(4.5, 10.5), ink, 1.5);
        break;
    }
    return image;
}

QImage slider(QSize size, double knobCentre, QRgb surface, bool lit)
{
    QImage image = SkinPainter::canvas(size, QColor(surface));
    SkinPainter painter(image);
    const qreal knobRadius = size.height() / 2.0;
    const qreal centre = std::clamp(knobCentre, knobRadius, size.width() - knobRadius);
    const qreal grooveHeight = std::max(3.0, size.height() * 0.5);
    const QRectF groove(0.5, (size.height() - grooveHeight) / 2.0, size.width() - 1.0,
                        grooveHeight);
    painter.field(groove, grooveHeight / 2.0, QColor(kGroove), QColor(kLine));
    const QRectF fill(groove.left(), groove.top(), centre - groove.left(), groove.height());
    QLinearGradient warm(fill.topLeft(), fill.topRight());
    warm.setColorAt(0.0, QColor(lit ? kAccentDeep : kLineStrong));
    warm.setColorAt(1.0, QColor(lit ? kAccent : kTextMuted));
    painter.fillRounded(fill, grooveHeight / 2.0, warm);
    painter.fillCircle(QPointF(centre, size.height() / 2.0), knobRadius, QColor(kKnob));
    painter.strokeCircle(QPointF(centre, size.height() / 2.0), knobRadius - 0.5,
                         QColor(lit ? kAccent : kLineStrong), 1.0);
    return image;
}

QImage radioMark(QSize size, bool chosen, QRgb surface)
{
    QImage image = SkinPainter::canvas(size, QColor(surface));
    SkinPainter painter(image);
    const QPointF centre(size.width() / 2.0, size.height() / 2.0);
    const qreal radius = std::min(size.width(), size.height()) / 2.0 - 0.5;
    painter.fillCircle(centre, radius, QColor(kField));
    painter.strokeCircle(centre, radius - 0.25, QColor(chosen ? kAccent : kLineStrong), 1.2);
    if (chosen)
        painter.fillCircle(centre, radius * 0.5, QColor(kAccent));
    return image;
}

QImage tickBox(int size, bool ticked, QRgb surface)
{
    QImage image = SkinPainter::canvas(QSize(size, size), QColor(surface));
    SkinPainter painter(image);
    const QRectF box(1, 1, size - 2, size - 2);
    if (ticked) {
        painter.fillRounded(box, 3, QColor(kAccent));
        painter.checkTick(box, QColor(0xff1b1d21), size / 7.0);
    } else {
        painter.field(box, 3, QColor(kField), QColor(kLineStrong));
    }
    return image;
}

QImage dropdownBox(QSize size, BoxState state, QRgb surface)
{
    QImage image = SkinPainter::canvas(size, QColor(surface));
    SkinPainter painter(image);
    const QRectF box(0, 0, size.width(), size.height());
    const QColor fill = state == BoxState::Over ? QColor(0xff22252a) : QColor(kField);
    const QColor frame = state == BoxState::Normal ? QColor(kLine)
                         : state == BoxState::Over ? QColor(kAccent)
                                                   : QColor(kAccentDeep);
    painter.field(box, 3, fill, frame);
    const QColor arrow = state == BoxState::Normal ? QColor(kTextMuted) : QColor(kAccent);
    painter.chevron(QPointF(size.width() - 8.0, size.height() / 2.0), 3.0, arrow);
    return image;
}

QImage fieldFrame(QSize size, QRgb surface)
{
    QImage image = SkinPainter::canvas(size, QColor(surface));
    SkinPainter painter(image);
    painter.field(QRectF(0, 0, size.width(), size.height()), 3, QColor(kField), QColor(kLine));
    return image;
}

void badge(SkinPainter& painter, QPointF centre, int number, bool lit)
{
    // A dark rim keeps the badge readable over the light parts of the pictures.
    painter.fillCircle(centre, kBadgeRadius + 1.0, QColor(kWindow));
    painter.fillCircle(centre, kBadgeRadius, QColor(lit ? kAccent : kRaised));
    painter.strokeCircle(centre, kBadgeRadius - 0.5, QColor(lit ? kAccentBright : kLineStrong),
                         1.0);
    painter.text(QRectF(centre.x() - kBadgeRadius, centre.y() - kBadgeRadius, 2 * kBadgeRadius,
                        2 * kBadgeRadius),
                 QString::number(number), SkinPainter::font(11, QFont::Bold),
                 lit ? QColor(0xff1b1d21) : QColor(kText));
}

} // namespace volantra::SkinParts
