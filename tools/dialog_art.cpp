#include "tools/dialog_art.h"

#include "tools/skin_image_set.h"
#include "tools/skin_painter.h"
#include "tools/skin_palette.h"
#include "tools/skin_parts.h"

#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace volantra {
namespace {

using namespace SkinPalette;

// The key dialogs and the help panel end 8 pixels beyond their OK and Cancel buttons,
// which reach (372, 275); the macro-key dialog's texts reach x 390 and its list y 286.
constexpr QSize kKeyDialogSize(380, 283);
constexpr QSize kMacroKeyDialogSize(400, 294);
constexpr QSize kMacroManagerSize(490, 434);
constexpr QSize kProfileManagerSize(263, 600);
constexpr int kTitleHeight = 31;
constexpr int kMacroManagerTitleHeight = 50; // its close button reaches y 41

constexpr QSize kDialogButtonSize(58, 25);  // OK and Cancel, New and Delete
constexpr QSize kMacroOkButtonSize(54, 28); // OK and Cancel of the macro manager
constexpr QSize kMacroCloseButtonSize(51, 24);
constexpr QSize kRecordButtonSize(89, 24);
constexpr int kTickSide = 16;
constexpr int kMacroTickSide = 14;
constexpr int kNewProfileSide = 16;

// Background, title strip with the accent line along its top, and a frame.
QImage dialogFrame(QSize size, int titleHeight)
{
    QImage image = SkinPainter::canvas(size, QColor(kPanel));
    SkinPainter painter(image);
    painter.fillRect(QRectF(0, 0, size.width(), titleHeight), QColor(kTitleBar));
    painter.line(QPointF(0, titleHeight - 0.5), QPointF(size.width(), titleHeight - 0.5),
                 QColor(kLine), 1.0, Qt::FlatCap);
    QLinearGradient glow(QPointF(0, 0), QPointF(size.width(), 0));
    glow.setColorAt(0.0, SkinPainter::withAlpha(QColor(kAccent), 0));
    glow.setColorAt(0.5, QColor(kAccent));
    glow.setColorAt(1.0, SkinPainter::withAlpha(QColor(kAccent), 0));
    painter.fillRect(QRectF(0, 0, size.width(), 2), glow);
    painter.strokeRounded(QRectF(0.5, 0.5, size.width() - 1.0, size.height() - 1.0), 0,
                          QColor(kLine));
    return image;
}

// The frame around a field the dialog creates itself, one pixel outside its rectangle.
void fieldBed(SkinPainter& painter, const QRectF& field, QRgb fill)
{
    painter.field(field.adjusted(-2, -2, 2, 2), 3, QColor(fill), QColor(kLineStrong));
}

// A drop-down box whose text is a field of the dialog, with the arrow to the right of it.
void dropdownBed(SkinPainter& painter, const QRectF& box, qreal textRight)
{
    fieldBed(painter, box, kControlField);
    painter.line(QPointF(textRight + 0.5, box.top() + 1),
                 QPointF(textRight + 0.5, box.bottom() - 1), QColor(kLine), 1.0, Qt::FlatCap);
    painter.chevron(QPointF((textRight + box.right()) / 2.0, box.center().y()), 3.0,
                    QColor(kAccent));
}

void plus(SkinPainter& painter, QPointF centre, qreal half, const QColor& colour)
{
    painter.line(centre - QPointF(half, 0), centre + QPointF(half, 0), colour, 2.0);
    painter.line(centre - QPointF(0, half), centre + QPointF(0, half), colour, 2.0);
}

// A key cap seen slightly from above: a rim and a lighter top.
void keyCap(SkinPainter& painter, const QRectF& rect, bool lit)
{
    const qreal radius = std::min(rect.width(), rect.height()) / 7.0;
    painter.fillRounded(rect.translated(0, 4), radius, QColor(0, 0, 0, 110));
    painter.fillRounded(rect, radius,
                        SkinPainter::vertical(rect, QColor(0xff2d3036), QColor(0xff1d1f23)));
    painter.strokeRounded(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, QColor(kLineStrong));
    const qreal inset = std::min(rect.width(), rect.height()) / 8.0;
    const QRectF top = rect.adjusted(inset, inset * 0.6, -inset, -inset * 1.6);
    painter.fillRounded(top, radius * 0.8,
                        SkinPainter::vertical(top, QColor(0xff3a3e45), QColor(0xff2b2e34)));
    if (lit)
        painter.fillRounded(QRectF(top.left() + top.width() * 0.3, rect.bottom() - inset * 0.9,
                                   top.width() * 0.4, 2.0),
                            1.0, QColor(kAccent));
}

// The small picture in a dialog's title strip.
void titleKeyIcon(SkinPainter& painter, QPointF at)
{
    painter.strokeRounded(QRectF(at.x() + 0.5, at.y() + 0.5, 15, 15), 3, QColor(kAccent), 1.2);
    painter.fillRounded(QRectF(at.x() + 4, at.y() + 3.5, 8, 6), 1.5,
                        SkinPainter::withAlpha(QColor(kAccent), 120));
}

void buttonRowRule(SkinPainter& painter, qreal left, qreal right, qreal y)
{
    painter.line(QPointF(left, y + 0.5), QPointF(right, y + 0.5), QColor(kLine), 1.0, Qt::FlatCap);
}

// ---- The key dialogs -------------------------------------------------------------------

QImage singleKeyDialog()
{
    QImage image = dialogFrame(kKeyDialogSize, kTitleHeight);
    SkinPainter painter(image);
    titleKeyIcon(painter, QPointF(10, 8));
    // The prompt (34, 103)-(180, 123) over the caught key's name (74, 129)-(150, 143).
    painter.field(QRectF(22, 88, 170, 72), 6, QColor(kRaised), QColor(kLine));
    fieldBed(painter, QRectF(74, 129, 76, 14), 0xffffffff);
    keyCap(painter, QRectF(226, 74, 110, 110), true);
    buttonRowRule(painter, 16, kKeyDialogSize.width() - 16, 240);
    return image;
}

QImage comboKeyDialog()
{
    QImage image = dialogFrame(kKeyDialogSize, kTitleHeight);
    SkinPainter painter(image);
    titleKeyIcon(painter, QPointF(10, 8));
    // The modifier box (50, 70)-(132, 84), its name ending at x 116, and the two key
    // fields (50, 120)-(131, 134) and (50, 170)-(131, 184), joined by plus signs.
    dropdownBed(painter, QRectF(50, 70, 82, 14), 116);
    fieldBed(painter, QRectF(50, 120, 81, 14), kControlField);
    fieldBed(painter, QRectF(50, 170, 81, 14), kControlField);
    plus(painter, QPointF(90.5, 102.5), 4.5, QColor(kTextMuted));
    plus(painter, QPointF(90.5, 152.5), 4.5, QColor(kTextMuted));
    keyCap(painter, QRectF(178, 96, 76, 58), false);
    plus(painter, QPointF(270.5, 125.5), 6, QColor(kAccent));
    keyCap(painter, QRectF(288, 96, 58, 58), true);
    buttonRowRule(painter, 16, kKeyDialogSize.width() - 16, 240);
    return image;
}

QImage macroKeyDialog()
{
    QImage image = dialogFrame(kMacroKeyDialogSize, kTitleHeight);
    SkinPainter painter(image);
    titleKeyIcon(painter, QPointF(10, 8));
    // The macro box (42, 128)-(151, 144), its name ending at x 136; the list opens below.
    dropdownBed(painter, QRectF(42, 128, 109, 16), 136);
    // The three repeat modes, a tick box each at x 220, their texts to x 390.
    painter.line(QPointF(203.5, 62), QPointF(203.5, 214), QColor(kLine), 1.0, Qt::FlatCap);
    for (int mode = 0; mode < 3; ++mode)
        painter.field(QRectF(212, 66 + 50 * mode, 182, 40), 6, QColor(kPanel), QColor(kLine));
    buttonRowRule(painter, 212, kMacroKeyDialogSize.width() - 16, 240);
    return image;
}

// ---- The macro manager -----------------------------------------------------------------

QImage macroManager()
{
    QImage image = dialogFrame(kMacroManagerSize, kMacroManagerTitleHeight);
    SkinPainter painter(image);
    // Three columns under their headings: the macros (list at (21, 82)-(130, 353)), the
    // events of the chosen macro (list at (153, 82)-(262, 353)) and the record options.
    const QRectF columns[] = {{12, 56, 126, 304}, {144, 56, 126, 304}, {276, 56, 126, 304}};
    for (const QRectF& column : columns) {
        painter.field(column, 6, QColor(kRaised), QColor(kLine));
        painter.line(QPointF(column.left() + 8, 79.5), QPointF(column.right() - 8, 79.5),
                     QColor(kLine), 1.0, Qt::FlatCap);
    }
    fieldBed(painter, QRectF(21, 82, 109, 271), 0xff6d6d6d);
    fieldBed(painter, QRectF(153, 82, 109, 271), 0xff6d6d6d);
    // The record options: a rule under the delay option, and the loop count's field.
    painter.line(QPointF(286, 300.5), QPointF(392, 300.5), QColor(kLine), 1.0, Qt::FlatCap);
    painter.line(QPointF(286, 180.5), QPointF(392, 180.5), QColor(kLine), 1.0, Qt::FlatCap);
    fieldBed(painter, QRectF(298, 333, 81, 12), 0xff221815);
    // What a macro is, keys played one after the other: a flat outline drawing, so that
    // nothing in this column looks like a button, as nothing in it can be pressed.
    const QColor sketch = SkinPainter::withAlpha(QColor(kLineStrong), 150);
    for (int key = 0; key < 4; ++key) {
        const QRectF outline(428.5, 78.5 + 58 * key, 35, 31);
        painter.strokeRounded(outline, 4, sketch, 1.0);
        if (key < 3)
            painter.line(QPointF(446, outline.bottom() + 8), QPointF(446, outline.bottom() + 20),
                         sketch, 1.0);
    }
    return image;
}

QImage macroCloseButton(bool over)
{
    QImage image = SkinPainter::canvas(kMacroCloseButtonSize, QColor(kTitleBar));
    SkinPainter painter(image);
    const QRectF face(0.5, 0.5, kMacroCloseButtonSize.width() - 1.0,
                      kMacroCloseButtonSize.height() - 1.0);
    if (over)
        painter.fillRounded(face, 5, QColor(kDanger));
    else
        painter.field(face, 5, QColor(kRaised), QColor(kLine));
    const QPointF centre = face.center();
    const QColor ink = over ? QColor(Qt::white) : QColor(kTextMuted);
    painter.line(centre + QPointF(-4, -4), centre + QPointF(4, 4), ink, 1.6);
    painter.line(centre + QPointF(4, -4), centre + QPointF(-4, 4), ink, 1.6);
    return image;
}

QImage insertMacroButton(bool over)
{
    QImage image = SkinParts::buttonFace(kRecordButtonSize, SkinParts::Tone::Plain, over, kRaised);
    SkinPainter painter(image);
    plus(painter, QPointF(12.5, 12), 3.5, QColor(over ? kAccent : kTextMuted));
    return image;
}

// ---- The profile manager and the help panel ----------------------------------------------

QImage profileManager()
{
    QImage image = dialogFrame(kProfileManagerSize, kTitleHeight);
    SkinPainter painter(image);
    // The list of profiles fills (0, 31)-(263, 575); the New line is below it.
    painter.fillRect(QRectF(0, 31, kProfileManagerSize.width(), 544), QColor(kControlField));
    painter.fillRect(
        QRectF(0, 575, kProfileManagerSize.width(), kProfileManagerSize.height() - 575),
        QColor(kTitleBar));
    painter.line(QPointF(0, 575.5), QPointF(kProfileManagerSize.width(), 575.5), QColor(kLine), 1.0,
                 Qt::FlatCap);
    return image;
}

QImage newProfileIcon()
{
    QImage image = SkinPainter::canvas(QSize(kNewProfileSide, kNewProfileSide), QColor(kTitleBar));
    SkinPainter painter(image);
    painter.fillCircle(QPointF(8, 8), 7.5, QColor(kAccent));
    plus(painter, QPointF(8, 8), 3.5, QColor(0xff1b1d21));
    return image;
}

QImage helpPanel()
{
    QImage image = dialogFrame(kKeyDialogSize, kTitleHeight);
    SkinPainter painter(image);
    // The web address, the update line and the version are written in black in
    // (0, 0)-(166, 77): they get a light card.
    const QRectF card(2, 2, 162, 74);
    painter.fillRounded(card, 6, QColor(kPaper));
    for (qreal y : {25.5, 49.5})
        painter.line(QPointF(12, y), QPointF(154, y), QColor(kPaperLine), 1.0, Qt::FlatCap);
    // Two turning arrows: the updater.
    const QPointF centre(83, 160);
    constexpr qreal kRadius = 28;
    const QRectF circle(centre.x() - kRadius, centre.y() - kRadius, 2 * kRadius, 2 * kRadius);
    for (const auto& [start, colour] : {std::pair{20.0, kAccent}, std::pair{200.0, kTextMuted}}) {
        constexpr qreal kSpan = 140;
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(colour), 4, Qt::SolidLine, Qt::FlatCap));
        painter.drawArc(circle, static_cast<int>(start * 16), static_cast<int>(kSpan * 16));
        // The head at the end of the arc, along its direction of turning.
        const qreal end = qDegreesToRadians(start + kSpan);
        const QPointF outward(std::cos(end), -std::sin(end));
        const QPointF ahead(-std::sin(end), -std::cos(end));
        const QPointF tip = centre + outward * kRadius;
        QPainterPath head;
        head.moveTo(tip + ahead * 8);
        head.lineTo(tip + outward * 7 - ahead * 1);
        head.lineTo(tip - outward * 7 - ahead * 1);
        head.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(colour));
        painter.drawPath(head);
    }
    buttonRowRule(painter, 16, kKeyDialogSize.width() - 16, 240);
    return image;
}

} // namespace

void DialogArt::paint(SkinImageSet& images)
{
    using SkinParts::Tone;
    images.add("/single-key.png", singleKeyDialog());
    images.add("/combo-key.png", comboKeyDialog());
    images.add("/macro-key.png", macroKeyDialog());
    images.add("/Pane.png", SkinParts::tickBox(kTickSide, false, kPanel));
    images.add("/PaneMakingTick.png", SkinParts::tickBox(kTickSide, true, kPanel));

    images.add("/MacroManagement/MacroManagement.png", macroManager());
    images.add("/MacroManagement/Record-normal.png",
               SkinParts::buttonFace(kRecordButtonSize, Tone::Plain, false, kRaised));
    images.add("/MacroManagement/Pane.png", SkinParts::tickBox(kMacroTickSide, false, kRaised));
    images.add("/MacroManagement/PaneMakingTick.png",
               SkinParts::tickBox(kMacroTickSide, true, kRaised));
    for (bool over : {false, true}) {
        const QString state = over ? QStringLiteral("over") : QStringLiteral("normal");
        images.add("/MacroManagement/button-new-" + state + ".png",
                   SkinParts::buttonFace(kDialogButtonSize, Tone::Plain, over, kPanel));
        images.add("/MacroManagement/button-cancel-" + state + ".png",
                   SkinParts::buttonFace(kMacroOkButtonSize, Tone::Plain, over, kPanel));
        images.add("/macro-button-close-" + state + ".png", macroCloseButton(over));
        images.add("/Insert-Macro-" + state + ".png", insertMacroButton(over));
    }

    images.add("/Config/Config.png", profileManager());
    images.add("/Config/New-Config.png", newProfileIcon());
    images.add("/Help/HelpWindow.png", helpPanel());
}

} // namespace volantra
