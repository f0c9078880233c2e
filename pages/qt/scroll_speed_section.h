#pragma once

#include "pages/qt/section_view.h"
#include "pages/scroll_speed_rules.h"

#include <QLineEdit>
#include <QPointer>
#include <functional>

namespace volantra {

// The Scroll Speed section: the marks for scrolling by lines or by one screen, and the
// number of lines in an edit box with up and down arrows. The box stores what was typed
// when the edit is committed (Enter, or the box losing the focus), so clearing it and
// typing a new number gives that number.
class ScrollSpeedSection : public SectionView
{
public:
    // The box's solid grey under the typed number.
    static constexpr QRgb kBoxBackground = 0xFF949494;

    // `linesCommitted` runs after committed typing changed the record; presses report
    // their changes through their return value.
    explicit ScrollSpeedSection(std::function<void()> linesCommitted = {});
    ~ScrollSpeedSection() override;

    ScrollSpeedSection(const ScrollSpeedSection&) = delete;
    ScrollSpeedSection& operator=(const ScrollSpeedSection&) = delete;

    const char* contentBackground() const override { return ScrollSpeedRules::kBackground; }
    void paint(QPainter& painter, QPoint origin, SectionContext& context) override;
    // Commits what was typed, then: a mark stores its mode and enables or disables the box,
    // an arrow steps the lines and shows them in the box.
    bool click(QPoint point, QPoint origin, SectionContext& context) override;
    // The box is a child of context.window over the frame image; the context's record
    // must outlive it (until hideControls).
    void showControls(QPoint origin, SectionContext& context) override;
    // Commits what was typed, then removes the box.
    void hideControls() override;

    // Commits what was typed and not yet committed, for an Apply that comes while the box
    // still has the focus. True when the record changed.
    bool commitTypedLines();

    // The lines box while the controls are shown, else null.
    QLineEdit* linesBox() const;

private:
    // The stored lines and mode in the box.
    void showStored();

    QPointer<QLineEdit> m_box;
    SettingsRecord* m_record = nullptr;
    std::function<void()> m_linesCommitted;
};

} // namespace volantra
