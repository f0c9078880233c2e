#include "pages/qt/lighting_section.h"

#include "model/settings_record.h"
#include "skin/qt/skin_library.h"

#include <QPainter>

namespace volantra {
namespace {

QRect windowRect(const Rect& area, QPoint origin)
{
    return QRect(origin.x() + area.left, origin.y() + area.top, area.width(), area.height());
}

} // namespace

QFont LightingSection::stepCaptionFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    return font;
}

void LightingSection::paint(QPainter& painter, QPoint origin, SectionContext& context)
{
    const SettingsRecord& record = context.record;
    context.skin.draw(painter, LightingRules::kBackground, origin);
    const auto chosen = LightingRules::chosenRow(record.lightingMode());
    painter.setPen(context.textColour);
    for (std::size_t row = 0; row < LightingRules::kRowCount; ++row) {
        // A mode the section does not know (0 in a fresh profile) marks no row.
        if (chosen) {
            context.skin.draw(painter,
                              row == *chosen ? LightingRules::kChosenMarkImage
                                             : LightingRules::kOtherMarkImage,
                              windowRect(LightingRules::modeMark(row), origin).topLeft());
        }
        painter.setFont(context.font);
        const char* mode = LightingRules::kModeCaptions[row];
        painter.drawText(windowRect(LightingRules::modeCaption(row), origin),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         context.text ? context.text(mode) : QString::fromUtf8(mode));
        context.skin.draw(painter, LightingRules::sliderImage(record.lightingLevel(row)),
                          windowRect(LightingRules::slider(row), origin).topLeft());
        painter.setFont(stepCaptionFont());
        for (std::size_t caption = 0; caption < LightingRules::kStepCaptionCount; ++caption) {
            painter.drawText(windowRect(LightingRules::stepCaptionArea(row, caption), origin),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             QString::fromUtf8(LightingRules::stepCaptions(row)[caption].text));
        }
    }
}

bool LightingSection::click(QPoint point, QPoint origin, SectionContext& context)
{
    const QPoint at = point - origin;
    return LightingRules::press(context.record, at.x(), at.y());
}

} // namespace volantra
