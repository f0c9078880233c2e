#include "tools/section_art.h"

#include "tools/skin_image_set.h"
#include "tools/skin_painter.h"
#include "tools/skin_palette.h"
#include "tools/skin_parts.h"

#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <array>
#include <cmath>

namespace volantra {
namespace {

using namespace SkinPalette;

// Positions below are relative to a section's content, whose top-left is the bottom-left
// corner of the section's header.

// DPI Setting: level bars, value boxes and colour boxes of the four stages.
constexpr std::array<int, 4> kDpiBarLeft{41, 91, 151, 201};
constexpr int kDpiBarTop = 38;
constexpr QSize kDpiBarSize(10, 113);
constexpr QSize kDpiValueSize(40, 16);
constexpr int kDpiColourTop = 203;
constexpr int kDpiColourSide = 10;
// The two groups of stages under their captions "DPI Dial Down" and "DPI Dial Up".
constexpr QRectF kDpiDownCard(18, 6, 106, 212);
constexpr QRectF kDpiUpCard(128, 6, 106, 212);

// Lighting: a mode mark and a level slider in each of three rows.
constexpr QSize kLightingMarkSize(10, 9);
constexpr QSize kLightingSliderSize(128, 8);
constexpr int kLightingLevels = 6;

// Report rate: the ring control of 128 × 128 pixels centred in the section.
constexpr int kRateSide = 128;
constexpr std::array<int, 4> kRates{125, 250, 500, 1000};

// Mouse Speed and Double Click Speed: the dial of 142 × 83 pixels, centre (71, 71).
constexpr QSize kDialSize(142, 83);
constexpr QPointF kDialCentre(71, 71);
constexpr int kDialValues = 12;

// Scroll Speed.
constexpr QSize kScrollMarkSize(12, 12);
constexpr QSize kScrollLinesSize(36, 14);
constexpr QRectF kScrollUpArrow(190, 15, 10, 6);
constexpr QRectF kScrollDownArrow(190, 23, 10, 6);

// Angle Snap.
constexpr QSize kSnapPictureSize(207, 85);
constexpr int kSnapLevels = 10;

// "/StageSlider/%d.png": the X and Y sensitivity and the angle-snap sliders.
constexpr QSize kStageSliderSize(208, 9);
constexpr int kStageLevels = 11;

// Button Assignment: the eight drop-down boxes.
constexpr QSize kBoxSize(130, 16);
constexpr int kBoxTop = 27;
constexpr int kBoxPitch = 20;

QImage sectionCanvas(int height)
{
    return SkinPainter::canvas(QSize(SectionArt::kWidth, height), QColor(kPanel));
}

// Sections end in a faint line, so that two open sections read as two.
void closeSection(SkinPainter& painter, int height)
{
    painter.line(QPointF(0, height - 0.5), QPointF(SectionArt::kWidth, height - 0.5), QColor(kLine),
                 1.0, Qt::FlatCap);
}

// The knob of a stage slider sits in the middle of the pixels that choose its level: 9
// pixels for level 1, then 21 pixels a level, and the rest of the 208 for level 11.
double stageKnobCentre(int level)
{
    const double start = level == 1 ? 0 : 9 + 21 * (level - 2);
    const double end = level == 1 ? 9 : level == kStageLevels ? 208 : start + 21;
    return (start + end) / 2.0;
}

// The lighting sliders: 4 pixels for level 1, 30 a level, the last 4 pixels for 6.
double lightingKnobCentre(int level)
{
    const double start = level == 1 ? 0 : 4 + 30 * (level - 2);
    const double end = level == 1 ? 4 : level == kLightingLevels ? 128 : start + 30;
    return (start + end) / 2.0;
}

// ---- DPI Setting -------------------------------------------------------------------

QImage dpiBackground()
{
    QImage image = sectionCanvas(SectionArt::kDpiHeight);
    SkinPainter painter(image);
    for (const QRectF& card : {kDpiDownCard, kDpiUpCard})
        painter.field(card, 6, QColor(kRaised), QColor(kLine));
    for (std::size_t stage = 0; stage < kDpiBarLeft.size(); ++stage) {
        // A scale beside each bar, a tick every 25 steps (1250 DPI).
        const int left = kDpiBarLeft[stage];
        for (int step = 0; step <= 100; step += 25) {
            const qreal y = kDpiBarTop + 112 - step + 0.5;
            painter.line(QPointF(left - 6, y), QPointF(left - 3, y),
                         QColor(step % 50 == 0 ? kTextMuted : kLineStrong), 1.0, Qt::FlatCap);
        }
        // A frame around the colour box of the stage.
        painter.strokeRounded(
            QRectF(left - 1.5, kDpiColourTop - 1.5, kDpiColourSide + 3, kDpiColourSide + 3), 2,
            QColor(kLineStrong));
    }
    // The captions' rule.
    for (const QRectF& card : {kDpiDownCard, kDpiUpCard})
        painter.line(QPointF(card.left() + 10, 32.5), QPointF(card.right() - 10, 32.5),
                     QColor(kLine), 1.0, Qt::FlatCap);
    closeSection(painter, SectionArt::kDpiHeight);
    return image;
}

QImage dpiBar(int value)
{
    QImage image = SkinPainter::canvas(kDpiBarSize, QColor(kRaised));
    SkinPainter painter(image);
    const QRectF groove(0.5, 0.5, kDpiBarSize.width() - 1.0, kDpiBarSize.height() - 1.0);
    painter.field(groove, 4, QColor(kGroove), QColor(kLine));
    // Value v lights the rows from 112 - v down to the bottom row: the rows that a
    // click turns into v or less.
    const qreal top = kDpiBarSize.height() - 1 - value;
    const QRectF fill(1.5, top, kDpiBarSize.width() - 3.0, kDpiBarSize.height() - 1.5 - top);
    painter.fillRounded(fill, 3,
                        SkinPainter::vertical(fill, QColor(kAccentBright), QColor(kAccentDeep)));
    painter.fillRounded(QRectF(1.0, top - 1.0, kDpiBarSize.width() - 2.0, 3.0), 1.5, QColor(kKnob));
    return image;
}

// ---- Lighting ------------------------------------------------------------------------

QImage lightingBackground()
{
    QImage image = sectionCanvas(SectionArt::kLightingHeight);
    SkinPainter painter(image);
    // A rule between the mode names and their sliders.
    painter.line(QPointF(94.5, 14), QPointF(94.5, SectionArt::kLightingHeight - 8), QColor(kLine),
                 1.0, Qt::FlatCap);
    closeSection(painter, SectionArt::kLightingHeight);
    return image;
}

// ---- USB Report Rate -----------------------------------------------------------------

QImage reportRateBackground()
{
    QImage image = sectionCanvas(SectionArt::kReportRateHeight);
    SkinPainter painter(image);
    closeSection(painter, SectionArt::kReportRateHeight);
    return image;
}

// The ring: upper right 1000 Hz, upper left 125, lower left 250, lower right 500, with
// gaps along the axes, where a click chooses nothing. The chosen rate is lit and named
// in the middle.
QImage reportRateRing(int chosenRate)
{
    QImage image = SkinPainter::canvas(QSize(kRateSide, kRateSide), QColor(kPanel));
    SkinPainter painter(image);
    const QPointF centre(kRateSide / 2.0, kRateSide / 2.0);
    constexpr qreal kOuter = 62.0;
    constexpr qreal kInner = 37.0;
    constexpr qreal kGap = 3.0; // degrees either side of an axis
    struct Quadrant
    {
        int rate;
        qreal startAngle; // degrees, counter-clockwise from 3 o'clock
    };
    const Quadrant quadrants[] = {{1000, 0}, {125, 90}, {250, 180}, {500, 270}};
    const QRectF outer(centre.x() - kOuter, centre.y() - kOuter, 2 * kOuter, 2 * kOuter);
    const QRectF inner(centre.x() - kInner, centre.y() - kInner, 2 * kInner, 2 * kInner);
    for (const Quadrant& quadrant : quadrants) {
        const bool chosen = quadrant.rate == chosenRate;
        const qreal start = quadrant.startAngle + kGap;
        const qreal span = 90.0 - 2 * kGap;
        QPainterPath sector;
        sector.arcMoveTo(outer, start);
        sector.arcTo(outer, start, span);
        sector.arcTo(inner, start + span, -span);
        sector.closeSubpath();
        painter.setPen(QPen(QColor(chosen ? kAccentBright : kLine), 1.0));
        painter.setBrush(
            chosen ? QBrush(SkinPainter::vertical(outer, QColor(kAccent), QColor(kAccentDeep)))
                   : QBrush(QColor(kRaised)));
        painter.drawPath(sector);
        const qreal middle = qDegreesToRadians(quadrant.startAngle + 45.0);
        const qreal labelRadius = (kOuter + kInner) / 2.0;
        const QPointF at(centre.x() + labelRadius * std::cos(middle),
                         centre.y() - labelRadius * std::sin(middle));
        painter.text(QRectF(at.x() - 16, at.y() - 7, 32, 14), QString::number(quadrant.rate),
                     SkinPainter::font(quadrant.rate >= 1000 ? 9 : 10, QFont::Bold),
                     chosen ? QColor(0xff1b1d21) : QColor(kTextMuted));
    }
    painter.fillCircle(centre, kInner - 5, QColor(kRaised));
    painter.strokeCircle(centre, kInner - 5.5, QColor(kLine));
    painter.text(QRectF(centre.x() - 30, centre.y() - 16, 60, 20), QString::number(chosenRate),
                 SkinPainter::font(15, QFont::Bold), QColor(kText));
    painter.text(QRectF(centre.x() - 30, centre.y() + 3, 60, 14), QStringLiteral("Hz"),
                 SkinPainter::font(10), QColor(kAccent));
    return image;
}

// ---- Mouse Speed and Double Click Speed ------------------------------------------------

QImage dialBackground()
{
    QImage image = sectionCanvas(SectionArt::kDialHeight);
    SkinPainter painter(image);
    closeSection(painter, SectionArt::kDialHeight);
    return image;
}

// Where the needle points for a dial value, in degrees counted from the right-hand
// horizontal over the top: in the middle of the 18-degree sector that chooses the value,
// 12 exactly on the right and 1 (only ever read from a profile) on the left.
qreal dialAngle(int value)
{
    if (value >= 12)
        return 0.0;
    if (value <= 1)
        return 180.0;
    return 18.0 * (11 - value) + 9.0;
}

QImage dial(int value)
{
    QImage image = SkinPainter::canvas(kDialSize, QColor(kPanel));
    SkinPainter painter(image);
    constexpr qreal kTrackRadius = 57.0;
    constexpr qreal kTrackWidth = 12.0;
    const QRectF track(kDialCentre.x() - kTrackRadius, kDialCentre.y() - kTrackRadius,
                       2 * kTrackRadius, 2 * kTrackRadius);
    // The track, with a rim.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(kLine), kTrackWidth + 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(track, 0, 180 * 16);
    painter.setPen(QPen(QColor(kGroove), kTrackWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(track, 0, 180 * 16);
    // The part up to the value, from the slow end on the left.
    const qreal angle = dialAngle(value);
    QConicalGradient warm(kDialCentre, 0);
    warm.setColorAt(0.0, QColor(kAccentBright));
    warm.setColorAt(0.5, QColor(kAccentDeep));
    warm.setColorAt(1.0, QColor(kAccentDeep));
    painter.setPen(QPen(QBrush(warm), kTrackWidth - 2, Qt::SolidLine, Qt::FlatCap));
    painter.drawArc(track, 180 * 16, -static_cast<int>((180.0 - angle) * 16));
    // Ticks on the borders between the values.
    for (int tick = 0; tick <= 10; ++tick) {
        const qreal radians = qDegreesToRadians(18.0 * tick);
        const QPointF direction(std::cos(radians), -std::sin(radians));
        painter.line(kDialCentre + direction * 65.5, kDialCentre + direction * 69.5,
                     QColor(tick % 5 == 0 ? kTextMuted : kLineStrong), 1.2);
    }
    // The needle and its hub.
    const qreal radians = qDegreesToRadians(angle);
    const QPointF direction(std::cos(radians), -std::sin(radians));
    painter.line(kDialCentre + direction * 8, kDialCentre + direction * 47, QColor(kKnob), 2.5);
    painter.fillCircle(kDialCentre + direction * 57, 4.5, QColor(kKnob));
    painter.strokeCircle(kDialCentre + direction * 57, 4.5, QColor(kAccentDeep), 1.0);
    painter.fillCircle(kDialCentre, 7, QColor(kRaised));
    painter.strokeCircle(kDialCentre, 6.5, QColor(kAccent), 1.5);
    return image;
}

// ---- Scroll Speed ----------------------------------------------------------------------

QImage scrollBackground()
{
    QImage image = sectionCanvas(SectionArt::kScrollHeight);
    SkinPainter painter(image);
    painter.line(QPointF(10, 38.5), QPointF(232, 38.5), QColor(kLine), 1.0, Qt::FlatCap);
    // The arrows that step the number of lines, where their clicks are taken.
    painter.fillRounded(QRectF(188.5, 13.5, 13, 17), 3, QColor(kRaised));
    painter.strokeRounded(QRectF(188.5, 13.5, 13, 17), 3, QColor(kLine));
    painter.line(QPointF(189, 22), QPointF(201, 22), QColor(kLine), 1.0, Qt::FlatCap);
    for (const auto& [area, up] :
         {std::pair{kScrollUpArrow, true}, std::pair{kScrollDownArrow, false}}) {
        const qreal tip = up ? area.top() + 1 : area.bottom() - 1;
        const qreal base = up ? area.bottom() - 0.5 : area.top() + 0.5;
        QPainterPath triangle;
        triangle.moveTo(area.center().x(), tip);
        triangle.lineTo(area.left() + 1.5, base);
        triangle.lineTo(area.right() - 1.5, base);
        triangle.closeSubpath();
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(kText));
        painter.drawPath(triangle);
    }
    closeSection(painter, SectionArt::kScrollHeight);
    return image;
}

// ---- Angle Snap ------------------------------------------------------------------------

QImage angleSnapBackground()
{
    QImage image = sectionCanvas(SectionArt::kAngleSnapHeight);
    SkinPainter painter(image);
    closeSection(painter, SectionArt::kAngleSnapHeight);
    return image;
}

// A hand-drawn stroke (grey) and the stroke the mouse sends at this level (accent):
// level 1 sends the hand's stroke unchanged, each level pulls it closer to the straight
// line until level 10 sends it straight.
QImage angleSnapPicture(int level)
{
    QImage image = SkinPainter::canvas(kSnapPictureSize, QColor(kPanel));
    SkinPainter painter(image);
    const QRectF card(0.5, 0.5, kSnapPictureSize.width() - 1.0, kSnapPictureSize.height() - 1.0);
    painter.field(card, 6, QColor(kRaised), QColor(kLine));
    for (int x = 20; x < kSnapPictureSize.width(); x += 20)
        painter.line(QPointF(x + 0.5, 6), QPointF(x + 0.5, kSnapPictureSize.height() - 6),
                     SkinPainter::withAlpha(QColor(kLine), 140), 1.0, Qt::FlatCap);
    for (int y = 22; y < kSnapPictureSize.height(); y += 20)
        painter.line(QPointF(6, y + 0.5), QPointF(kSnapPictureSize.width() - 6, y + 0.5),
                     SkinPainter::withAlpha(QColor(kLine), 140), 1.0, Qt::FlatCap);
    constexpr qreal kLeft = 14.0;
    constexpr qreal kRight = 193.0;
    constexpr qreal kLevelY = 44.0;
    painter.save();
    painter.setPen(QPen(QColor(kLineStrong), 1.0, Qt::DashLine));
    painter.drawLine(QPointF(kLeft, kLevelY + 0.5), QPointF(kRight, kLevelY + 0.5));
    painter.restore();
    const auto hand = [&](qreal x) {
        const qreal t = (x - kLeft) / (kRight - kLeft);
        return kLevelY + 10.0 * std::sin(t * 9.0) * (0.6 + 0.4 * std::sin(t * 3.1 + 0.4)) +
               6.0 * std::sin(t * 23.0 + 1.0) * 0.5 - 8.0 * (t - 0.5);
    };
    const qreal pull = (level - 1) / static_cast<qreal>(kSnapLevels - 1);
    QPainterPath raw;
    QPainterPath sent;
    for (qreal x = kLeft; x <= kRight; x += 1.0) {
        const QPointF rawPoint(x, hand(x));
        const QPointF sentPoint(x, hand(x) + (kLevelY - hand(x)) * pull);
        if (x == kLeft) {
            raw.moveTo(rawPoint);
            sent.moveTo(sentPoint);
        } else {
            raw.lineTo(rawPoint);
            sent.lineTo(sentPoint);
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(kTextMuted), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(raw);
    painter.setPen(QPen(QColor(kAccent), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(sent);
    painter.fillCircle(sent.pointAtPercent(1.0), 3.5, QColor(kAccent));
    // The level as a row of ten steps along the bottom.
    for (int step = 1; step <= kSnapLevels; ++step) {
        const QRectF pip(kLeft + (step - 1) * 18.2, 70, 14, 5);
        painter.fillRounded(pip, 2, QColor(step <= level ? kAccent : kField));
    }
    return image;
}

// ---- X/Y Sensitivity -------------------------------------------------------------------

// An arrow with a head at both ends, the symbol of an axis.
void axisArrow(SkinPainter& painter, QPointF from, QPointF to)
{
    painter.line(from, to, QColor(kTextMuted), 1.4);
    const QPointF along = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF across(-along.y(), along.x());
    for (const auto& [tip, back] : {std::pair{to, along}, std::pair{from, -along}}) {
        painter.line(tip, tip - back * 3.5 + across * 3.0, QColor(kTextMuted), 1.4);
        painter.line(tip, tip - back * 3.5 - across * 3.0, QColor(kTextMuted), 1.4);
    }
}

QImage sensitivityBackground()
{
    QImage image = sectionCanvas(SectionArt::kSensitivityHeight);
    SkinPainter painter(image);
    axisArrow(painter, QPointF(229.5, 44.5), QPointF(239.5, 44.5));
    axisArrow(painter, QPointF(234.5, 99.5), QPointF(234.5, 109.5));
    painter.line(QPointF(17, 78.5), QPointF(225, 78.5), QColor(kLine), 1.0, Qt::FlatCap);
    closeSection(painter, SectionArt::kSensitivityHeight);
    return image;
}

// ---- Button Assignment -----------------------------------------------------------------

QImage buttonAssignmentBackground()
{
    QImage image = sectionCanvas(SectionArt::kButtonAssignmentHeight);
    SkinPainter painter(image);
    for (int k = 0; k + 1 < 8; ++k) {
        const qreal y = kBoxTop + kBoxPitch * k + kBoxSize.height() + 2.5;
        painter.line(QPointF(10, y), QPointF(SectionArt::kWidth - 10, y),
                     SkinPainter::withAlpha(QColor(kLine), 160), 1.0, Qt::FlatCap);
    }
    closeSection(painter, SectionArt::kButtonAssignmentHeight);
    return image;
}

} // namespace

void SectionArt::paint(SkinImageSet& images)
{
    images.add("/DPISetting/BK_DPISetting.png", dpiBackground());
    images.add("/DPISetting/BK-DPIValue.png", SkinParts::fieldFrame(kDpiValueSize, kRaised));
    for (int value = 1; value <= 100; ++value)
        images.add(QStringLiteral("/DPISetting/DPIStage/%1.png").arg(value), dpiBar(value));

    images.add("/Lighting/BK_Lighting.png", lightingBackground());
    images.add("/Enable.png", SkinParts::radioMark(kLightingMarkSize, true, kPanel));
    images.add("/Disable.png", SkinParts::radioMark(kLightingMarkSize, false, kPanel));
    for (int level = 1; level <= kLightingLevels; ++level)
        images.add(QStringLiteral("/Lighting/%1.png").arg(level),
                   SkinParts::slider(kLightingSliderSize, lightingKnobCentre(level), kPanel));

    images.add("/USBReportRate/BK_USBReportRate.png", reportRateBackground());
    for (int rate : kRates)
        images.add(QStringLiteral("/USBReportRate/%1HZ.png").arg(rate), reportRateRing(rate));

    images.add("/MouseAttribute/BK_MouseAttribute.png", dialBackground());
    for (int value = 1; value <= kDialValues; ++value)
        images.add(QStringLiteral("/MouseAttribute/Speed/%1.png").arg(value), dial(value));

    images.add("/MouseAttribute/BK_ScrollSpeed.png", scrollBackground());
    images.add("/MouseAttribute/ScrollSpeed/Enable.png",
               SkinParts::radioMark(kScrollMarkSize, true, kPanel));
    images.add("/MouseAttribute/ScrollSpeed/Disable.png",
               SkinParts::radioMark(kScrollMarkSize, false, kPanel));
    images.add("/MouseAttribute/ScrollSpeed/ScrollLines.png",
               SkinParts::fieldFrame(kScrollLinesSize, kPanel));

    images.add("/AngleSnap/BK_AngleSnap.png", angleSnapBackground());
    for (int level = 1; level <= kSnapLevels; ++level)
        images.add(QStringLiteral("/AngleSnap/%1.png").arg(level), angleSnapPicture(level));

    for (int level = 1; level <= kStageLevels; ++level)
        images.add(QStringLiteral("/StageSlider/%1.png").arg(level),
                   SkinParts::slider(kStageSliderSize, stageKnobCentre(level), kPanel));
    images.add("/XYSensitivity/BK_XYSensSetting.png", sensitivityBackground());

    images.add("/ButtonAssignment/BK_ButtonAssignment.png", buttonAssignmentBackground());
    images.add("/ButtonAssignment/DropdownBox-normal.png",
               SkinParts::dropdownBox(kBoxSize, SkinParts::BoxState::Normal, kPanel));
    images.add("/ButtonAssignment/DropdownBox-over.png",
               SkinParts::dropdownBox(kBoxSize, SkinParts::BoxState::Over, kPanel));
    images.add("/ButtonAssignment/DropdownBox-leave.png",
               SkinParts::dropdownBox(kBoxSize, SkinParts::BoxState::Leave, kPanel));
}

} // namespace volantra
