#include "pages/qt/report_rate_section.h"

#include "model/settings_record.h"
#include "pages/report_rate_rules.h"
#include "skin/qt/skin_library.h"

#include <QPainter>

namespace volantra {
namespace {

// The control is centred in the background, so its place follows the skin's image.
ReportRateRules rulesFor(SkinLibrary& skin)
{
    return ReportRateRules(skin.size(ReportRateRules::kBackground).width());
}

} // namespace

const char* ReportRateSection::contentBackground() const
{
    return ReportRateRules::kBackground;
}

void ReportRateSection::paint(QPainter& painter, QPoint origin, SectionContext& context)
{
    context.skin.draw(painter, ReportRateRules::kBackground, origin);
    const Rect control = rulesFor(context.skin).controlArea();
    context.skin.draw(painter, ReportRateRules::rateImage(context.record.reportInterval()),
                      origin + QPoint(control.left, control.top));
}

bool ReportRateSection::click(QPoint point, QPoint origin, SectionContext& context)
{
    const QPoint at = point - origin;
    return rulesFor(context.skin).click(context.record, at.x(), at.y());
}

} // namespace volantra
