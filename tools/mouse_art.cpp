#include "tools/mouse_art.h"

#include "tools/skin_image_set.h"
#include "tools/skin_painter.h"
#include "tools/skin_palette.h"
#include "tools/skin_parts.h"

#include <QPainterPath>
#include <QTransform>
#include <array>
#include <stdexcept>

namespace volantra {
namespace {

using namespace SkinPalette;

constexpr QPoint kMiddlePanelOrigin(262, 32);
constexpr int kMarkHeight = 20; // a badge and its rim

// Where the button-assignment panel draws a button's mark (window coordinates), and the
// spot on the picture the mark points at (picture coordinates). Marks whose corner is the
// picture's left edge have their badge on the left; the others run to the right edge.
struct Mark
{
    int button;
    QPoint corner;
    QPointF target;
};

constexpr std::array<Mark, 8> kFrontMarks{{
    {1, {335, 100}, {138, 52}},   // left button
    {2, {515, 100}, {192, 52}},   // right button
    {3, {473, 176}, {164, 128}},  // wheel
    {4, {335, 163}, {93.5, 115}}, // thumb buttons on the left flank
    {5, {335, 189}, {93.5, 141}},
    {6, {473, 250}, {164, 202}}, // the button behind the wheel
    {7, {335, 227}, {94, 179}},
    {8, {335, 262}, {94, 214}},
}};

constexpr std::array<Mark, 8> kSideMarks{{
    {1, {362, 80}, {100, 31}},
    {2, {480, 88}, {127, 39}},
    {3, {509, 171}, {158, 122}},
    {4, {362, 160}, {106, 111}},
    {5, {362, 186}, {106, 137}},
    {6, {533, 250}, {179, 201}},
    {7, {362, 220}, {108, 171}},
    {8, {362, 265}, {108, 216}},
}};

// The back view has marks for the two thumb buttons only.
struct BackMark
{
    int button;
    QPoint corner;
};
constexpr std::array<BackMark, 2> kBackMarks{{{4, {553, 225}}, {5, {558, 264}}}};
constexpr QSize kBackMarkSize(56, 22);

// The mark's rectangle in picture coordinates.
QRect markRect(const Mark& mark, QPoint origin, QSize pictureSize)
{
    const QPoint corner = mark.corner - origin;
    const bool badgeLeft = corner.x() == 0;
    const int right = badgeLeft ? static_cast<int>(mark.target.x()) + 9 : pictureSize.width();
    return QRect(corner, QPoint(right - 1, corner.y() + kMarkHeight - 1));
}

void drawMark(SkinPainter& painter, const Mark& mark, QRect rect, bool lit)
{
    const bool badgeLeft = rect.left() == 0;
    const QPointF badge(badgeLeft ? rect.left() + 10.0 : rect.right() + 1 - 10.0,
                        rect.top() + kMarkHeight / 2.0);
    const QPointF target(mark.target.x(), badge.y());
    // A dark casing first keeps the line readable across the light parts of the body.
    painter.line(badge, target, QColor(0xa0000000), lit ? 3.6 : 3.0);
    painter.line(badge, target, QColor(lit ? kAccent : 0xff6b717a), lit ? 1.6 : 1.2);
    if (lit) {
        painter.fillCircle(target, 5.0, SkinPainter::withAlpha(QColor(kAccent), 70));
        painter.strokeCircle(target, 6.2, SkinPainter::withAlpha(QColor(kAccent), 150), 1.3);
    }
    painter.fillCircle(target, lit ? 3.6 : 3.2, QColor(kWindow));
    painter.fillCircle(target, lit ? 3.0 : 2.4, QColor(lit ? kAccentBright : kTextMuted));
    SkinParts::badge(painter, badge, mark.button, lit);
}

// A soft shadow under a shape: the shape shifted and drawn faintly a few times.
void shadow(SkinPainter& painter, const QPainterPath& shape, QPointF offset)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (int blur = 10; blur >= 2; blur -= 4) {
        painter.setPen(QPen(QColor(0, 0, 0, 22), blur, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(shape.translated(offset));
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 90));
    painter.drawPath(shape.translated(offset));
    painter.restore();
}

QPainterPath roundedRect(const QRectF& rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

// A small raised button of the mouse, optionally turned by `degrees` about its centre.
void mouseKey(SkinPainter& painter, const QRectF& rect, qreal radius, qreal degrees = 0)
{
    QTransform turn;
    turn.translate(rect.center().x(), rect.center().y());
    turn.rotate(degrees);
    turn.translate(-rect.center().x(), -rect.center().y());
    const QPainterPath key = turn.map(roundedRect(rect, radius));
    painter.fillPathVertical(key, QColor(0xff3b3f46), QColor(0xff24272c));
    painter.save();
    painter.setPen(QPen(QColor(0xff50555d), 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(key);
    painter.restore();
}

// The wheel: a ribbed roller in its slot.
void wheel(SkinPainter& painter, const QRectF& roller, qreal degrees = 0)
{
    painter.save();
    painter.translate(roller.center());
    painter.rotate(degrees);
    painter.translate(-roller.center());
    painter.fillRounded(roller.adjusted(-4, -6, 4, 6), 8, QColor(0xff0b0c0e));
    painter.fillRounded(roller, 6,
                        SkinPainter::vertical(roller, QColor(0xff4c5058), QColor(0xff2a2d32)));
    for (qreal y = roller.top() + 4; y < roller.bottom() - 2; y += 4.5)
        painter.line(QPointF(roller.left() + 2, y), QPointF(roller.right() - 2, y),
                     QColor(0x80000000), 1.0, Qt::FlatCap);
    for (qreal x : {roller.left() + 0.5, roller.right() - 0.5})
        painter.line(QPointF(x, roller.top() + 5), QPointF(x, roller.bottom() - 5),
                     SkinPainter::withAlpha(QColor(kAccent), 150), 1.0, Qt::FlatCap);
    painter.restore();
}

// The mouse from above, front at the top, its cable leaving upwards.
void frontBody(SkinPainter& painter)
{
    constexpr qreal cx = 164;
    QPainterPath body;
    body.moveTo(cx, 28);
    body.cubicTo(196, 28, 218, 44, 222, 70);
    body.cubicTo(228, 120, 236, 200, 232, 250);
    body.cubicTo(228, 350, 205, 402, cx, 402);
    body.cubicTo(123, 402, 100, 350, 96, 250);
    body.cubicTo(92, 200, 100, 120, 106, 70);
    body.cubicTo(110, 44, 132, 28, cx, 28);
    body.closeSubpath();

    QPainterPath cable;
    cable.moveTo(cx, 30);
    cable.cubicTo(cx, 16, cx + 6, 8, cx + 4, 0);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0xff08090a), 6, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(cable);
    painter.setPen(QPen(QColor(0xff2c2f35), 3.5, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(cable);

    shadow(painter, body, QPointF(6, 9));

    QLinearGradient shell(QPointF(96, 0), QPointF(232, 0));
    shell.setColorAt(0.0, QColor(0xff17181b));
    shell.setColorAt(0.45, QColor(0xff2c2f35));
    shell.setColorAt(0.7, QColor(0xff26292e));
    shell.setColorAt(1.0, QColor(0xff141518));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shell);
    painter.drawPath(body);

    painter.save();
    painter.setClipPath(body);
    // The two main buttons, a shade lighter than the palm.
    QPainterPath buttons;
    buttons.addRect(QRectF(80, 0, 170, 186));
    painter.setBrush(QColor(255, 255, 255, 10));
    painter.drawPath(buttons);
    // A light strip around the back of the palm.
    painter.setBrush(Qt::NoBrush);
    QLinearGradient strip(QPointF(0, 300), QPointF(0, 402));
    strip.setColorAt(0.0, SkinPainter::withAlpha(QColor(kAccent), 0));
    strip.setColorAt(1.0, SkinPainter::withAlpha(QColor(kAccent), 170));
    painter.setPen(QPen(QBrush(strip), 5));
    painter.drawPath(body);
    // The seams: across behind the buttons and between them.
    QPainterPath seam;
    seam.moveTo(90, 188);
    seam.quadTo(cx, 172, 240, 188);
    painter.setPen(QPen(QColor(0xff0a0b0c), 2.2));
    painter.drawPath(seam);
    painter.setPen(QPen(QColor(255, 255, 255, 18), 1.0));
    painter.drawPath(seam.translated(0, 2));
    painter.restore();
    painter.line(QPointF(cx, 30), QPointF(cx, 74), QColor(0xff0a0b0c), 2.0, Qt::FlatCap);
    painter.line(QPointF(cx, 142), QPointF(cx, 181), QColor(0xff0a0b0c), 2.0, Qt::FlatCap);

    painter.save();
    painter.setPen(QPen(QColor(0xff464b52), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(body);
    painter.restore();

    // The four thumb buttons stand out of the left flank.
    const QRectF thumbs[] = {
        {86, 103, 15, 24}, {86, 129, 15, 24}, {87, 168, 14, 22}, {87, 202, 14, 24}};
    for (const QRectF& thumb : thumbs)
        mouseKey(painter, thumb, 6);
    wheel(painter, QRectF(157, 80, 14, 56));
    // The button behind the wheel, with two lights.
    mouseKey(painter, QRectF(154, 189, 20, 26), 6);
    painter.fillCircle(QPointF(cx, 195), 1.5, QColor(kAccent));
    painter.fillCircle(QPointF(cx, 209), 1.5, QColor(kAccent));

    // The maker's wing on the palm.
    QPainterPath mark;
    mark.moveTo(cx - 16, 312);
    mark.cubicTo(cx - 9, 314, cx - 4, 322, cx, 338);
    mark.cubicTo(cx + 4, 322, cx + 9, 314, cx + 16, 312);
    mark.cubicTo(cx + 9, 320, cx + 3, 330, cx + 1.5, 344);
    mark.lineTo(cx - 1.5, 344);
    mark.cubicTo(cx - 3, 330, cx - 9, 320, cx - 16, 312);
    painter.fillPathVertical(mark, QColor(kAccentBright), QColor(kAccentDeep));
}

// The mouse from its left side, front at the top: the base on the left, the shell on
// the right, the thumb buttons on the flank.
void sideBody(SkinPainter& painter)
{
    QPainterPath body;
    body.moveTo(100, 22);
    body.cubicTo(118, 20, 134, 30, 142, 50);
    body.cubicTo(152, 78, 160, 104, 163, 125);
    body.cubicTo(168, 160, 178, 190, 184, 215);
    body.cubicTo(196, 260, 207, 300, 205, 335);
    body.cubicTo(203, 382, 178, 410, 140, 415);
    body.cubicTo(112, 418, 92, 410, 85, 396);
    body.cubicTo(79, 300, 78, 150, 83, 46);
    body.cubicTo(85, 32, 90, 23, 100, 22);
    body.closeSubpath();
    // The top of the shell, from the front to the back of the buttons.
    QPainterPath shellEdge;
    shellEdge.moveTo(100, 22);
    shellEdge.cubicTo(118, 20, 134, 30, 142, 50);
    shellEdge.cubicTo(152, 78, 160, 104, 163, 125);
    shellEdge.cubicTo(168, 160, 178, 190, 184, 215);
    shellEdge.cubicTo(188, 232, 192, 246, 195, 262);

    QPainterPath cable;
    cable.moveTo(98, 24);
    cable.cubicTo(97, 14, 92, 8, 94, 0);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0xff08090a), 6, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(cable);
    painter.setPen(QPen(QColor(0xff2c2f35), 3.5, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(cable);

    shadow(painter, body, QPointF(6, 9));
    QLinearGradient flank(QPointF(80, 0), QPointF(207, 0));
    flank.setColorAt(0.0, QColor(0xff141518));
    flank.setColorAt(0.55, QColor(0xff25282d));
    flank.setColorAt(1.0, QColor(0xff30333a));
    painter.setPen(Qt::NoPen);
    painter.setBrush(flank);
    painter.drawPath(body);

    painter.save();
    painter.setClipPath(body);
    painter.setBrush(Qt::NoBrush);
    // The buttons' shell along the top, with its seam.
    painter.setPen(QPen(QColor(0xff0a0b0c), 36, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(shellEdge);
    painter.setPen(QPen(QColor(0xff34373e), 31, Qt::SolidLine, Qt::FlatCap));
    painter.drawPath(shellEdge);
    // The grip: fine diagonal ribs low on the flank.
    for (qreal y = 250; y < 390; y += 6)
        painter.line(QPointF(92, y), QPointF(150, y - 22), QColor(255, 255, 255, 9), 2.0);
    // A light strip along the back.
    QLinearGradient strip(QPointF(0, 320), QPointF(0, 415));
    strip.setColorAt(0.0, SkinPainter::withAlpha(QColor(kAccent), 0));
    strip.setColorAt(1.0, SkinPainter::withAlpha(QColor(kAccent), 170));
    painter.setPen(QPen(QBrush(strip), 5));
    painter.drawPath(body);
    painter.restore();

    painter.save();
    painter.setPen(QPen(QColor(0xff464b52), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(body);
    painter.restore();
    // The feet along the base.
    for (qreal y : {70.0, 370.0})
        painter.fillRounded(QRectF(79, y, 4, 22), 2, QColor(0xff3a3d43));

    // The thumb buttons.
    mouseKey(painter, QRectF(92, 100, 40, 22), 8);
    mouseKey(painter, QRectF(92, 126, 40, 22), 8);
    mouseKey(painter, QRectF(94, 161, 34, 20), 7);
    mouseKey(painter, QRectF(94, 206, 34, 20), 7);
    wheel(painter, QRectF(155, 101, 14, 42), -12);
    mouseKey(painter, QRectF(174, 191, 12, 20), 4, -16);
    painter.fillCircle(QPointF(180, 201), 1.4, QColor(kAccent));
}

using BodyPainter = void (*)(SkinPainter&);

// Paints one view: the picture with every mark in its normal state, then each mark's
// normal and over images cut from the same spot.
void paintView(SkinImageSet& images, const QImage& middlePanel, QPoint origin, QSize size,
               BodyPainter body, const std::array<Mark, 8>& marks, const QString& folder,
               const QString& prefix)
{
    QImage picture = SkinPainter::cut(middlePanel, QRect(origin - kMiddlePanelOrigin, size));
    {
        SkinPainter painter(picture);
        body(painter);
        for (const Mark& mark : marks)
            drawMark(painter, mark, markRect(mark, origin, size), false);
    }
    images.add(folder + (prefix == "F" ? "/MouseFront.png" : "/MouseSide.png"), picture);
    for (const Mark& mark : marks) {
        const QRect rect = markRect(mark, origin, size);
        const QString name = QStringLiteral("%1/%2-%3-").arg(folder, prefix).arg(mark.button);
        images.add(name + "normal.png", SkinPainter::cut(picture, rect));
        QImage over = SkinPainter::cut(picture, rect);
        {
            SkinPainter painter(over);
            painter.translate(-rect.topLeft());
            drawMark(painter, mark, rect, true);
        }
        images.add(name + "over.png", over);
    }
}

QImage backMark(const QImage& middlePanel, const BackMark& mark, bool lit)
{
    QImage image =
        SkinPainter::cut(middlePanel, QRect(mark.corner - kMiddlePanelOrigin, kBackMarkSize));
    SkinPainter painter(image);
    const QRectF key(4, 5, 28, 12);
    painter.fillRounded(key, 6, SkinPainter::vertical(key, QColor(0xff3b3f46), QColor(0xff24272c)));
    painter.strokeRounded(key.adjusted(0.5, 0.5, -0.5, -0.5), 5.5,
                          QColor(lit ? kAccent : 0xff50555d), lit ? 1.5 : 1.0);
    SkinParts::badge(painter, QPointF(kBackMarkSize.width() - 11.0, 11), mark.button, lit);
    return image;
}

} // namespace

void MouseArt::paint(SkinImageSet& images)
{
    const QImage middlePanel = images.image("/BK_MainMid.png");
    if (middlePanel.isNull())
        throw std::logic_error("the mouse pictures need the middle panel painted first");
    paintView(images, middlePanel, kFrontOrigin, kFrontSize, frontBody, kFrontMarks, "/Mouse/Front",
              "F");
    paintView(images, middlePanel, kSideOrigin, kSideSize, sideBody, kSideMarks, "/Mouse/Side",
              "S");
    for (const BackMark& mark : kBackMarks) {
        const QString name = QStringLiteral("/Mouse/Back/B-%1-").arg(mark.button);
        images.add(name + "normal.png", backMark(middlePanel, mark, false));
        images.add(name + "over.png", backMark(middlePanel, mark, true));
    }
}

} // namespace volantra
