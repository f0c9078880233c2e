#pragma once

#include "pages/panel_state.h"
#include "pages/qt/section_view.h"

#include <QObject>
#include <QPoint>
#include <array>
#include <functional>
#include <string>
#include <vector>

class QImage;
class QPainter;

namespace volantra {

class ImageButton;

// What a press on the main window did in the panels.
struct PanelPress
{
    // Something of the panels lies under the press (a view button, a header, the Macro
    // Manager item or a section's content). When false the press is on a free spot and
    // the window may be moved from there.
    bool handled = false;
    // The panels' picture changed: draw them again.
    bool redraw = false;
    bool recordChanged = false;
    // The Macro Manager item was pressed: the window runs the macro manager.
    bool macroManagerRequested = false;
};

// The three columns of the main window: the mouse picture with its view buttons in the
// middle, the left accordion (Button Assignment, Macro Manager, X/Y Sensitivity) and the
// right accordion of seven settings sections with its scroll thumb.
//
// The panels own their layout state and draw the headers; each section's content is a
// SectionView registered by the window. A section that is not registered shows its
// header only. All sections draw with and edit through the one context of the window.
class MainPanels : public QObject
{
    Q_OBJECT

public:
    // `context` outlives the panels. The scroll thumb becomes a child of context.window.
    explicit MainPanels(SectionContext& context, QObject* parent = nullptr);
    ~MainPanels() override;

    void setSection(RightSection section, SectionView* view);
    void setAssignmentSection(SectionView* view);
    void setXySection(SectionView* view);
    // Draws the per-button marks over the mouse picture of a view (the Button Assignment
    // highlights); drawn after the picture at every paint of the middle panel.
    void setPictureMarks(std::function<void(QPainter&, MouseView)> marks);

    const PanelState& state() const { return m_state; }
    ImageButton& scrollThumb() { return *m_thumb; }

    // After a profile was loaded (and at the first showing): measures the section
    // backgrounds of the current skin, lays the right panel out as a full repaint does,
    // and shows the controls of the open sections with the record's values.
    void refresh();
    // After Reset: every section closed, the top and front views, the thumb at the top of
    // its track, every control of the sections taken down.
    void reset();

    // Draws the middle, left and right panels and the thumb's track, in that order, over
    // the window's background.
    void paint(QPainter& painter);
    // What paint() draws of the skin while no section is open, largest first.
    static std::vector<std::string> imagesAtRest();

    // A left press at `point` (window coordinates).
    PanelPress press(QPoint point);
    // A move with the left button held after a press that went to the panels; true when
    // the record changed and the panels must be drawn again.
    bool drag(QPoint point);
    void release();
    // The mouse wheel: over the right panel it moves the thumb to an end of its track.
    // True when the right panel changed its view.
    bool wheel(QPoint point, int angleDelta);

    // The window's pixels under the thumb, taken once after the window first drew its
    // picture, so the thumb's rounded ends blend over the track.
    void captureThumbBackground(const QImage& picture);

signals:
    // The scroll thumb changed the right panel's view: draw the panels again.
    void redrawNeeded();

private:
    void thumbDragged(int top);
    void measure();
    SectionView* viewOf(const PanelSection& section) const;
    QPoint originOf(const PanelSection& section) const;
    bool contentShown(const PanelSection& section) const;
    void syncControls(const PanelSection& section);
    void syncLeftControls();
    void syncRightControls();
    void placeThumb();

    void paintMiddle(QPainter& painter);
    void paintLeft(QPainter& painter);
    void paintRight(QPainter& painter);
    void paintHeader(QPainter& painter, const char* image, const Rect& rect, const char* title);

    SectionContext& m_context;
    PanelState m_state;
    bool m_measured = false;
    std::array<SectionView*, kRightSectionCount> m_right{};
    SectionView* m_assignment = nullptr;
    SectionView* m_xy = nullptr;
    // Which sections' controls are up, so each is taken down once when it closes.
    std::array<bool, kRightSectionCount> m_rightControls{};
    bool m_assignmentControls = false;
    bool m_xyControls = false;
    std::function<void(QPainter&, MouseView)> m_pictureMarks;
    // The sections that took the last press, which hear its drag and release.
    std::vector<PanelSection> m_pressed;
    ImageButton* m_thumb = nullptr;
};

} // namespace volantra
