#include "pages/qt/scroll_speed_section.h"

#include "model/settings_record.h"
#include "skin/qt/dialog_font.h"
#include "skin/qt/skin_library.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>
#include <utility>

namespace volantra {
namespace {

QRect windowRect(const Rect& area, QPoint origin)
{
    return QRect(origin + QPoint(area.left, area.top), QSize(area.width(), area.height()));
}

QPoint topLeft(const Rect& area, QPoint origin)
{
    return origin + QPoint(area.left, area.top);
}

} // namespace

ScrollSpeedSection::ScrollSpeedSection(std::function<void()> linesCommitted)
    : m_linesCommitted(std::move(linesCommitted))
{
}

ScrollSpeedSection::~ScrollSpeedSection()
{
    delete m_box.data();
}

void ScrollSpeedSection::paint(QPainter& painter, QPoint origin, SectionContext& context)
{
    const bool byScreen = ScrollSpeedRules::scrollsByScreen(context.record.scrollMode());
    context.skin.draw(painter, ScrollSpeedRules::kBackground, origin);
    context.skin.draw(painter,
                      byScreen ? ScrollSpeedRules::kOtherMark : ScrollSpeedRules::kChosenMark,
                      topLeft(ScrollSpeedRules::kLinesMark, origin));
    context.skin.draw(painter,
                      byScreen ? ScrollSpeedRules::kChosenMark : ScrollSpeedRules::kOtherMark,
                      topLeft(ScrollSpeedRules::kScreenMark, origin));
    context.skin.draw(painter, ScrollSpeedRules::kLinesFrame,
                      topLeft(ScrollSpeedRules::kLinesBox, origin));

    painter.save();
    painter.setFont(context.font);
    painter.setPen(context.textColour);
    constexpr int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    // The captions end at the lines box: a longer one is drawn smaller rather than cut.
    for (const auto& [area, caption] :
         {std::pair(ScrollSpeedRules::kLinesCaptionArea, ScrollSpeedRules::kLinesCaption),
          std::pair(ScrollSpeedRules::kScreenCaptionArea, ScrollSpeedRules::kScreenCaption)}) {
        const QRect place = windowRect(area, origin);
        const QString text = context.text(caption);
        if (text.isEmpty())
            continue;
        // A first letter whose ink starts left of its origin ("T" in some faces) is moved
        // in by that much, so no part of it falls outside the caption's place.
        QFont font = DialogFont::narrowedTo(context.font, place.width(), text);
        int overhang = std::max(0, -QFontMetrics(font).leftBearing(text.front()));
        if (overhang > 0) {
            font = DialogFont::narrowedTo(context.font, place.width() - overhang, text);
            overhang = std::max(0, -QFontMetrics(font).leftBearing(text.front()));
        }
        painter.setFont(font);
        painter.setClipRect(place);
        painter.drawText(place.adjusted(overhang, 0, 0, 0), flags | Qt::TextDontClip, text);
    }
    painter.restore();
}

bool ScrollSpeedSection::click(QPoint point, QPoint origin, SectionContext& context)
{
    const QPoint at = point - origin;
    const ScrollSpeedRules::Target target = ScrollSpeedRules::targetAt(at.x(), at.y());
    if (target == ScrollSpeedRules::Target::None)
        return false;
    // Typing comes first: up from a freshly typed 50 gives 51, and a mark keeps it.
    bool changed = commitTypedLines();
    changed = ScrollSpeedRules::click(context.record, at.x(), at.y()) || changed;
    if (m_box)
        showStored();
    return changed;
}

void ScrollSpeedSection::showControls(QPoint origin, SectionContext& context)
{
    m_record = &context.record;
    if (!m_box) {
        auto* box = new QLineEdit(context.window);
        box->setFrame(false);
        box->setAlignment(Qt::AlignCenter);
        box->setAutoFillBackground(true);
        QObject::connect(box, &QLineEdit::editingFinished, box, [this] { commitTypedLines(); });
        m_box = box;
    }
    QPalette palette = m_box->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, QColor::fromRgb(kBoxBackground));
        palette.setColor(group, QPalette::Text, context.textColour);
    }
    // While scrolling by screen the kept count shows faded.
    QColor faded = context.textColour;
    faded.setAlphaF(0.45f);
    palette.setColor(QPalette::Disabled, QPalette::Text, faded);
    m_box->setPalette(palette);
    m_box->setFont(context.font);
    m_box->setGeometry(windowRect(ScrollSpeedRules::kLinesBox, origin));
    showStored();
    m_box->show();
}

void ScrollSpeedSection::hideControls()
{
    commitTypedLines();
    delete m_box.data();
    m_record = nullptr;
}

QLineEdit* ScrollSpeedSection::linesBox() const
{
    return m_box;
}

bool ScrollSpeedSection::commitTypedLines()
{
    // Leaving a box the user did not type in keeps the stored byte, even one out of range.
    if (!m_box || !m_record || !m_box->isModified())
        return false;
    const ScrollSpeedRules::Committed committed =
        ScrollSpeedRules::commitTyped(m_box->text().toStdString());
    m_box->setText(QString::fromStdString(committed.text)); // also clears the modified flag
    if (committed.lines == m_record->wheelScrollLines())
        return false;
    m_record->setWheelScrollLines(committed.lines);
    if (m_linesCommitted)
        m_linesCommitted();
    return true;
}

void ScrollSpeedSection::showStored()
{
    m_box->setText(QString::number(ScrollSpeedRules::shownLines(m_record->wheelScrollLines())));
    m_box->setEnabled(!ScrollSpeedRules::scrollsByScreen(m_record->scrollMode()));
}

} // namespace volantra
