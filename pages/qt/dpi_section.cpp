#include "pages/qt/dpi_section.h"

#include "model/settings_record.h"
#include "skin/qt/skin_library.h"

#include <QColorDialog>
#include <QLineEdit>
#include <QPainter>

namespace volantra {
namespace {

// The value boxes' solid grey, as the skin's value box images expect.
const QColor kValueBoxBackground(148, 148, 148);

QRect windowRect(const Rect& area, QPoint origin)
{
    return QRect(origin.x() + area.left, origin.y() + area.top, area.width(), area.height());
}

QColor shownColour(const StageColour& colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

} // namespace

DpiSection::DpiSection(std::function<void()> valueCommitted)
    : m_valueCommitted(std::move(valueCommitted))
{
}

DpiSection::~DpiSection()
{
    hideControls();
}

void DpiSection::paint(QPainter& painter, QPoint origin, SectionContext& context)
{
    const SettingsRecord& record = context.record;
    context.skin.draw(painter, DpiStageRules::kBackground, origin);
    painter.setFont(context.font);
    painter.setPen(context.textColour);
    for (std::size_t stage = 0; stage < DpiStageRules::kStageCount; ++stage) {
        const std::uint8_t stored = record.dpiStage(stage);
        context.skin.draw(painter, DpiStageRules::barImage(stored),
                          windowRect(DpiStageRules::levelBar(stage), origin).topLeft());
        const QRect valueBox = windowRect(DpiStageRules::valueBox(stage), origin);
        context.skin.draw(painter, DpiStageRules::kValueBoxImage, valueBox.topLeft());
        // The edit box covers this text while it is shown; without it the value still shows.
        painter.drawText(valueBox, Qt::AlignCenter | Qt::TextSingleLine,
                         QString::fromStdString(DpiStageRules::stageText(stored)));
        painter.fillRect(windowRect(DpiStageRules::colourBox(stage), origin),
                         shownColour(record.stageColour(stage)));
        showStoredValue(stage, false);
    }
    const auto caption = [&](const Rect& area, const char* english) {
        painter.drawText(windowRect(area, origin),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         context.text ? context.text(english) : QString::fromUtf8(english));
    };
    caption(DpiStageRules::dialDownCaption(), DpiStageRules::kDialDownCaption);
    caption(DpiStageRules::dialUpCaption(), DpiStageRules::kDialUpCaption);
}

bool DpiSection::click(QPoint point, QPoint origin, SectionContext& context)
{
    const QPoint at = point - origin;
    if (const auto stage = DpiStageRules::colourBoxAt(at.x(), at.y())) {
        m_rules.release();
        const StageColour stored = context.record.stageColour(*stage);
        const QColor chosen = QColorDialog::getColor(shownColour(stored), context.window);
        if (!chosen.isValid())
            return false;
        const StageColour colour{.red = static_cast<std::uint8_t>(chosen.red()),
                                 .green = static_cast<std::uint8_t>(chosen.green()),
                                 .blue = static_cast<std::uint8_t>(chosen.blue())};
        if (colour == stored)
            return false;
        context.record.setStageColour(*stage, colour);
        return true;
    }
    const bool changed = m_rules.press(context.record, at.x(), at.y());
    if (const auto stage = m_rules.draggedStage())
        showStoredValue(*stage, true);
    return changed;
}

bool DpiSection::drag(QPoint point, QPoint origin, SectionContext& context)
{
    const bool changed = m_rules.drag(context.record, point.y() - origin.y());
    if (changed)
        showStoredValue(*m_rules.draggedStage(), true);
    return changed;
}

void DpiSection::showControls(QPoint origin, SectionContext& context)
{
    m_record = &context.record;
    QPalette palette;
    palette.setColor(QPalette::Base, kValueBoxBackground);
    palette.setColor(QPalette::Text, context.textColour);
    for (std::size_t stage = 0; stage < DpiStageRules::kStageCount; ++stage) {
        if (!m_boxes[stage]) {
            auto* box = new QLineEdit(context.window);
            box->setFrame(false);
            box->setAlignment(Qt::AlignCenter);
            QObject::connect(box, &QLineEdit::editingFinished, box,
                             [this, stage] { commit(stage); });
            m_boxes[stage] = box;
        }
        QLineEdit* box = m_boxes[stage];
        box->setFont(context.font);
        box->setPalette(palette);
        box->setGeometry(windowRect(DpiStageRules::valueBox(stage), origin));
        showStoredValue(stage, false);
        box->show();
    }
}

void DpiSection::hideControls()
{
    for (auto& box : m_boxes) {
        delete box.data();
        box = nullptr;
    }
    m_record = nullptr;
}

QLineEdit* DpiSection::valueBox(std::size_t stage) const
{
    return m_boxes.at(stage);
}

void DpiSection::commit(std::size_t stage)
{
    QLineEdit* box = m_boxes[stage];
    // Leaving a box the user did not type in keeps the stored byte, even one out of range.
    if (!box || !m_record || !box->isModified())
        return;
    const bool changed =
        DpiStageRules::commitTypedText(*m_record, stage, box->text().toStdString());
    showStoredValue(stage, true);
    if (changed && m_valueCommitted)
        m_valueCommitted();
}

void DpiSection::showStoredValue(std::size_t stage, bool force)
{
    QLineEdit* box = m_boxes[stage];
    if (!box || !m_record || (box->isModified() && !force))
        return;
    const QString text =
        QString::fromStdString(DpiStageRules::stageText(m_record->dpiStage(stage)));
    if (box->text() != text || box->isModified())
        box->setText(text);
}

} // namespace volantra
