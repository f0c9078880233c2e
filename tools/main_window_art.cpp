#include "tools/main_window_art.h"

#include "tools/skin_image_set.h"
#include "tools/skin_painter.h"
#include "tools/skin_palette.h"
#include "tools/skin_parts.h"

#include <QPainterPath>
#include <QRadialGradient>

namespace volantra {
namespace {

using namespace SkinPalette;

constexpr int kTitleBarHeight = 27;
constexpr QSize kLogoSize(242, 75);
constexpr QSize kTrackSize(7, 564); // the thumb's top runs from 32 to 481, its bottom to 595
constexpr QSize kHeaderSize(242, 20);
constexpr QSize kMacroItemSize(242, 38);
constexpr QSize kLeftPanelSize(242, MainWindowArt::kPanelBottom - 107);
constexpr QSize kMiddlePanelSize(472, MainWindowArt::kPanelBottom - MainWindowArt::kPanelTop);
constexpr QSize kRightPanelSize(242, MainWindowArt::kPanelBottom - MainWindowArt::kPanelTop);
constexpr QSize kBarButtonSize(57, 30);
constexpr QSize kConfigButtonSize(72, 30);
constexpr QSize kViewButtonSize(62, 29);
constexpr QSize kLoadButtonSize(59, 23);
constexpr QSize kMouseSliderSize(128, 8);
constexpr int kMouseSliderSteps = 8;

// The bottom-bar buttons are 30 pixels high, their faces 24, centred on the bar.
constexpr QMargins kBarFaceInset(0, 3, 0, 3);

QImage windowBackground()
{
    QImage image =
        SkinPainter::canvas(QSize(MainWindowArt::kWidth, MainWindowArt::kHeight), QColor(kWindow));
    SkinPainter painter(image);
    painter.fillRect(QRectF(0, 0, MainWindowArt::kWidth, kTitleBarHeight), QColor(kTitleBar));
    painter.line(QPointF(0, kTitleBarHeight - 0.5),
                 QPointF(MainWindowArt::kWidth, kTitleBarHeight - 0.5), QColor(kLine), 1.0,
                 Qt::FlatCap);
    // A thin accent along the top edge that fades out to both sides.
    QLinearGradient glow(QPointF(0, 0), QPointF(MainWindowArt::kWidth, 0));
    glow.setColorAt(0.0, SkinPainter::withAlpha(QColor(kAccent), 0));
    glow.setColorAt(0.5, QColor(kAccent));
    glow.setColorAt(1.0, SkinPainter::withAlpha(QColor(kAccent), 0));
    painter.fillRect(QRectF(0, 0, MainWindowArt::kWidth, 2), glow);
    const qreal barTop = MainWindowArt::kPanelBottom;
    painter.fillRect(QRectF(0, barTop, MainWindowArt::kWidth, MainWindowArt::kHeight - barTop),
                     QColor(kTitleBar));
    // The panels end in the same line, so that it runs unbroken above the bottom bar,
    // whose buttons are drawn on its plain colour.
    painter.line(QPointF(0, barTop - 0.5), QPointF(MainWindowArt::kWidth, barTop - 0.5),
                 QColor(kLine), 1.0, Qt::FlatCap);
    return image;
}

// The wing of the logo: two swept strokes forming a V.
QPainterPath wing(QPointF origin, qreal scale)
{
    QPainterPath path;
    const auto at = [&](qreal x, qreal y) { return origin + QPointF(x, y) * scale; };
    path.moveTo(at(0, 0));
    path.cubicTo(at(8, 2), at(14, 12), at(20, 34));
    path.cubicTo(at(26, 12), at(32, 2), at(40, 0));
    path.cubicTo(at(31, 9), at(25, 24), at(22, 42));
    path.lineTo(at(18, 42));
    path.cubicTo(at(15, 24), at(9, 9), at(0, 0));
    path.closeSubpath();
    return path;
}

QImage logo()
{
    QImage image = SkinPainter::canvas(kLogoSize, QColor(kWindow));
    SkinPainter painter(image);
    const QRectF card(0.5, 4.5, kLogoSize.width() - 1.0, kLogoSize.height() - 10.0);
    painter.fillRounded(card, 8, SkinPainter::vertical(card, QColor(kPanel), QColor(kWell)));
    painter.strokeRounded(card, 8, QColor(kLine));
    const QPainterPath mark = wing(QPointF(16, 17), 1.0);
    painter.fillPathVertical(mark, QColor(kAccentBright), QColor(kAccentDeep));
    QFont word = SkinPainter::font(23, QFont::Bold);
    word.setLetterSpacing(QFont::AbsoluteSpacing, 2.5);
    painter.text(QRectF(68, 18, 170, 30), QStringLiteral("VOLANTRA"), word, QColor(kText),
                 Qt::AlignLeft | Qt::AlignVCenter);
    painter.fillRounded(QRectF(70, 51, 40, 2.5), 1.25, QColor(kAccent));
    return image;
}

QImage scrollTrack()
{
    QImage image = SkinPainter::canvas(kTrackSize, QColor(kWindow));
    SkinPainter painter(image);
    painter.field(QRectF(1, 0, kTrackSize.width() - 2.0, kTrackSize.height()), 2.5, QColor(kGroove),
                  QColor(kLine));
    return image;
}

// A section header, and the item that opens the macro manager: the title is drawn by the
// window from 10 pixels in, so the image carries only the accent edge and an arrow.
QImage headerBar(QSize size, bool opensDialog)
{
    QImage image = SkinPainter::canvas(size, QColor(kWell));
    SkinPainter painter(image);
    const QRectF bar(0, 0, size.width(), size.height());
    painter.fillRect(bar, SkinPainter::vertical(bar, QColor(kHeaderTop), QColor(kHeaderBottom)));
    painter.line(QPointF(0, 0.5), QPointF(size.width(), 0.5), SkinPainter::withAlpha(Qt::white, 16),
                 1.0, Qt::FlatCap);
    painter.line(QPointF(0, size.height() - 0.5), QPointF(size.width(), size.height() - 0.5),
                 QColor(kWindow), 1.0, Qt::FlatCap);
    painter.fillRect(QRectF(0, 0, 3, size.height()),
                     SkinPainter::vertical(bar, QColor(kAccentBright), QColor(kAccentDeep)));
    const QPointF arrow(size.width() - 12.0, size.height() / 2.0);
    if (opensDialog) {
        // Pointing right: a window opens.
        painter.line(arrow + QPointF(-1.5, -4), arrow + QPointF(2.5, 0), QColor(kTextMuted), 1.5);
        painter.line(arrow + QPointF(2.5, 0), arrow + QPointF(-1.5, 4), QColor(kTextMuted), 1.5);
    } else {
        painter.chevron(arrow, 3.5, QColor(kTextMuted));
    }
    return image;
}

// The background of a panel, down to the bottom bar.
QImage panel(QSize size)
{
    QImage image = SkinPainter::canvas(size, QColor(kWell));
    SkinPainter painter(image);
    painter.line(QPointF(0, size.height() - 0.5), QPointF(size.width(), size.height() - 0.5),
                 QColor(kLine), 1.0, Qt::FlatCap);
    return image;
}

// The middle panel: a soft light behind the mouse picture, flat towards the bottom, where
// the view buttons and the LOAD, SAVE and RESET buttons share their faces.
QImage middlePanel()
{
    QImage image = panel(kMiddlePanelSize);
    SkinPainter painter(image);
    QRadialGradient light(QPointF(237, 240), 220);
    light.setColorAt(0.0, QColor(0xff202226));
    light.setColorAt(0.6, QColor(0xff18191c));
    light.setColorAt(1.0, QColor(kWell));
    painter.fillRect(image.rect(), light);
    for (qreal x : {0.5, kMiddlePanelSize.width() - 0.5})
        painter.line(QPointF(x, 0), QPointF(x, kMiddlePanelSize.height()), QColor(kLine), 1.0,
                     Qt::FlatCap);
    painter.line(QPointF(0, kMiddlePanelSize.height() - 0.5),
                 QPointF(kMiddlePanelSize.width(), kMiddlePanelSize.height() - 0.5), QColor(kLine),
                 1.0, Qt::FlatCap);
    return image;
}

QImage configButton(bool over)
{
    QImage image = SkinParts::buttonFace(kConfigButtonSize, SkinParts::Tone::Plain, over, kTitleBar,
                                         kBarFaceInset);
    SkinPainter painter(image);
    // A person: the window draws its caption from x 25 on.
    const QColor ink(over ? kAccent : kTextMuted);
    painter.fillCircle(QPointF(15, 11.5), 3.2, ink);
    QPainterPath shoulders;
    shoulders.moveTo(8.5, 21);
    shoulders.cubicTo(8.5, 15.5, 21.5, 15.5, 21.5, 21);
    shoulders.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawPath(shoulders);
    return image;
}

} // namespace

void MainWindowArt::paint(SkinImageSet& images)
{
    using SkinParts::Tone;
    images.add("/main.png", windowBackground());
    images.add("/Logo.png", logo());
    images.add("/Bar1.png", scrollTrack());
    images.add("/ItemBK.png", headerBar(kHeaderSize, false));
    images.add("/MacroManagementBK.png", headerBar(kMacroItemSize, true));
    images.add("/BK_MainLeft.png", panel(kLeftPanelSize));
    images.add("/BK_MainMid.png", middlePanel());
    images.add("/BK_MainRight.png", panel(kRightPanelSize));

    for (bool over : {false, true}) {
        const QString state = over ? QStringLiteral("over") : QStringLiteral("normal");
        images.add("/button-help-" + state + ".png",
                   SkinParts::titleButton(SkinParts::Glyph::Help, over, kTitleBar));
        images.add("/button-min-" + state + ".png",
                   SkinParts::titleButton(SkinParts::Glyph::Minimise, over, kTitleBar));
        images.add("/button-close-" + state + ".png",
                   SkinParts::titleButton(SkinParts::Glyph::Close, over, kTitleBar));
        images.add(
            "/button-cancel-" + state + ".png",
            SkinParts::buttonFace(kBarButtonSize, Tone::Plain, over, kTitleBar, kBarFaceInset));
        images.add(
            "/button-save-" + state + ".png",
            SkinParts::buttonFace(kBarButtonSize, Tone::Primary, over, kTitleBar, kBarFaceInset));
        images.add("/button-config-" + state + ".png", configButton(over));
        images.add("/Load-" + state + ".png",
                   SkinParts::buttonFace(kLoadButtonSize, Tone::Plain, over, kWell));
    }
    // The view buttons sit side by side with one pixel between them.
    images.add("/button-mouse-normal.png",
               SkinParts::buttonFace(kViewButtonSize, Tone::Plain, false, kWell, {1, 2, 1, 2}));
    images.add("/button-mouse-leave.png",
               SkinParts::buttonFace(kViewButtonSize, Tone::Chosen, false, kWell, {1, 2, 1, 2}));

    // Spare sliders of eight steps, dim and lit.
    for (int step = 1; step <= kMouseSliderSteps; ++step) {
        const double knob =
            4.0 + (step - 1) * (kMouseSliderSize.width() - 8.0) / (kMouseSliderSteps - 1);
        images.add(QStringLiteral("/MouseSlider%1-normal.png").arg(step),
                   SkinParts::slider(kMouseSliderSize, knob, kPanel, false));
        images.add(QStringLiteral("/MouseSlider%1-over.png").arg(step),
                   SkinParts::slider(kMouseSliderSize, knob, kPanel, true));
    }
}

} // namespace volantra
