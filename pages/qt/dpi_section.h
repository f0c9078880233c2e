#pragma once

#include "pages/dpi_stage_rules.h"
#include "pages/qt/section_view.h"

#include <QPointer>
#include <array>
#include <functional>

class QLineEdit;

namespace volantra {

// The DPI Setting section of the right panel: the four stages' level bars, value boxes and
// colour boxes. Bars follow a press and a drag; a value box stores what was typed when
// the edit is committed (Enter, or the box losing the focus); a colour box opens the
// colour chooser on the stage's colour.
class DpiSection : public SectionView
{
public:
    // `valueCommitted` runs after a committed value box changed the record, so the window
    // can redraw the section; presses report their changes through their return value.
    explicit DpiSection(std::function<void()> valueCommitted = {});
    ~DpiSection() override;

    DpiSection(const DpiSection&) = delete;
    DpiSection& operator=(const DpiSection&) = delete;

    const char* contentBackground() const override { return DpiStageRules::kBackground; }
    void paint(QPainter& painter, QPoint origin, SectionContext& context) override;
    // A press on a bar sets its stage and starts a drag; a press on a colour box opens the
    // colour chooser (modal) and stores the chosen colour, Cancel changes nothing.
    bool click(QPoint point, QPoint origin, SectionContext& context) override;
    bool drag(QPoint point, QPoint origin, SectionContext& context) override;
    void release() override { m_rules.release(); }
    // The value boxes are children of context.window over the section's value box
    // images; the context's record must outlive them (until hideControls).
    void showControls(QPoint origin, SectionContext& context) override;
    // Typing not yet committed is dropped with the boxes.
    void hideControls() override;

    // A stage's value box while the controls are shown, else null.
    QLineEdit* valueBox(std::size_t stage) const;

private:
    void commit(std::size_t stage);
    // Shows the stored value in the stage's box; typing in progress is kept unless `force`.
    void showStoredValue(std::size_t stage, bool force);

    DpiStageRules m_rules;
    std::array<QPointer<QLineEdit>, DpiStageRules::kStageCount> m_boxes;
    SettingsRecord* m_record = nullptr;
    std::function<void()> m_valueCommitted;
};

} // namespace volantra
