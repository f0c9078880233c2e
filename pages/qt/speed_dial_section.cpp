#include "pages/qt/speed_dial_section.h"

#include "skin/qt/skin_library.h"

#include <QFontMetrics>
#include <QPainter>

namespace volantra {
namespace {

// The note sits in the strip between the section's top and the dial.
constexpr int kNoteHeight = 20;
constexpr int kNoteMargin = 6;
constexpr qreal kNoteScale = 0.85;

QRect windowRect(const Rect& area, QPoint origin)
{
    return QRect(origin + QPoint(area.left, area.top), QSize(area.width(), area.height()));
}

int backgroundWidth(SkinLibrary& skin)
{
    return skin.size(SpeedDialRules::kBackground).width();
}

} // namespace

void SpeedDialSection::paint(QPainter& painter, QPoint origin, SectionContext& context)
{
    const int width = backgroundWidth(context.skin);
    const Rect dial = SpeedDialRules::area(width);
    context.skin.draw(painter, SpeedDialRules::kBackground, origin);
    context.skin.draw(
        painter, SpeedDialRules::imagePath(SpeedDialRules::storedValue(context.record, m_purpose)),
        origin + QPoint(dial.left, dial.top));

    painter.save();
    painter.setFont(context.font);
    painter.setPen(context.textColour);
    constexpr int flags = Qt::AlignCenter | Qt::TextSingleLine;
    painter.drawText(windowRect(SpeedDialRules::slowCaption(width), origin), flags,
                     context.text(SpeedDialRules::kSlowCaption));
    painter.drawText(windowRect(SpeedDialRules::fastCaption(width), origin), flags,
                     context.text(SpeedDialRules::kFastCaption));

    QFont small = context.font;
    if (small.pointSizeF() > 0)
        small.setPointSizeF(small.pointSizeF() * kNoteScale);
    painter.setFont(small);
    const QRect note(origin + QPoint(kNoteMargin, 0), QSize(width - 2 * kNoteMargin, kNoteHeight));
    // Long translations and narrow skins shorten the note rather than spill onto the art.
    painter.drawText(note, flags,
                     QFontMetrics(small).elidedText(context.text(kPersistenceNote), Qt::ElideRight,
                                                    note.width()));
    painter.restore();
}

bool SpeedDialSection::click(QPoint point, QPoint origin, SectionContext& context)
{
    const QPoint at = point - origin;
    return SpeedDialRules::click(context.record, m_purpose, at.x(), at.y(),
                                 backgroundWidth(context.skin));
}

} // namespace volantra
