#include "pages/qt/xy_section.h"

#include "model/settings_record.h"
#include "pages/xy_sensitivity.h"
#include "skin/qt/skin_library.h"

#include <QPainter>

namespace volantra {
namespace {

QRect windowRect(const Rect& rect)
{
    return QRect(rect.left, rect.top, rect.width(), rect.height());
}

} // namespace

const char* XySection::contentBackground() const
{
    return XySensitivity::kBackground;
}

void XySection::paint(QPainter& painter, QPoint origin, SectionContext& context)
{
    using XySensitivity::Axis;
    const int x0 = origin.x();
    const int y0 = origin.y();
    context.skin.draw(painter, XySensitivity::kBackground, origin);

    painter.save();
    painter.setFont(context.font);
    painter.setPen(context.textColour);
    constexpr int kFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    for (const Axis axis : {Axis::X, Axis::Y}) {
        painter.drawText(windowRect(XySensitivity::axisCaptionRect(axis, x0, y0)), kFlags,
                         context.text(axis == Axis::X ? "X axis" : "Y axis"));
        const Rect slider = XySensitivity::sliderRect(axis, x0, y0);
        const std::string image =
            XySensitivity::sliderImage(XySensitivity::storedLevel(context.record, axis));
        context.skin.draw(painter, image, QPoint(slider.left, slider.top));
        for (int step = 1; step <= XySensitivity::kStepCaptionCount; ++step)
            painter.drawText(windowRect(XySensitivity::stepCaptionRect(axis, step, x0, y0)), kFlags,
                             QString::number(step));
    }
    painter.restore();
}

bool XySection::click(QPoint point, QPoint origin, SectionContext& context)
{
    return XySensitivity::click(context.record, point.x(), point.y(), origin.x(), origin.y());
}

} // namespace volantra
