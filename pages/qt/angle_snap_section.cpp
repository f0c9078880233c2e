#include "pages/qt/angle_snap_section.h"

#include "model/setting_rules.h"
#include "model/settings_record.h"
#include "pages/angle_snap_rules.h"
#include "skin/qt/skin_library.h"

#include <QPainter>

namespace volantra {
namespace {

QPoint topLeft(const Rect& area, QPoint origin)
{
    return origin + QPoint(area.left, area.top);
}

QRect windowRect(const Rect& area, QPoint origin)
{
    return QRect(topLeft(area, origin), QSize(area.width(), area.height()));
}

} // namespace

const char* AngleSnapSection::contentBackground() const
{
    return AngleSnapRules::kBackground;
}

void AngleSnapSection::paint(QPainter& painter, QPoint origin, SectionContext& context)
{
    const std::uint8_t stored = context.record.angleSnapLevel();
    context.skin.draw(painter, AngleSnapRules::kBackground, origin);
    context.skin.draw(painter, AngleSnapRules::levelPicture(stored),
                      topLeft(AngleSnapRules::kPictureArea, origin));
    context.skin.draw(painter, AngleSnapRules::sliderImage(stored),
                      topLeft(AngleSnapRules::kSliderArea, origin));

    painter.save();
    painter.setFont(context.font);
    painter.setPen(context.textColour);
    for (int level = setting_rules::kAngleSnapLevels.lowest;
         level <= setting_rules::kAngleSnapLevels.highest; ++level) {
        painter.drawText(windowRect(AngleSnapRules::captionArea(level), origin),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         QString::number(level));
    }
    painter.restore();
}

bool AngleSnapSection::click(QPoint point, QPoint origin, SectionContext& context)
{
    const QPoint at = point - origin;
    return AngleSnapRules::click(context.record, at.x(), at.y());
}

} // namespace volantra
