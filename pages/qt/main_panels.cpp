#include "pages/qt/main_panels.h"

#include "skin/qt/image_button.h"
#include "skin/qt/skin_image.h"
#include "skin/qt/skin_library.h"

#include <QPainter>

namespace volantra {

namespace {

constexpr const char* kHeaderImage = "/ItemBK.png";
constexpr const char* kMacroItemImage = "/MacroManagementBK.png";
constexpr const char* kMiddleBackground = "/BK_MainMid.png";
constexpr const char* kLeftBackground = "/BK_MainLeft.png";
constexpr const char* kRightBackground = "/BK_MainRight.png";
constexpr const char* kTrackImage = "/Bar1.png";
constexpr const char* kChosenViewButton = "/button-mouse-leave.png";
constexpr const char* kOtherViewButton = "/button-mouse-normal.png";
constexpr const char* kFrontPicture = "/Mouse/Front/MouseFront.png";
constexpr const char* kSidePicture = "/Mouse/Side/MouseSide.png";
const QPoint kMiddlePanel(262, 32);
const QPoint kFrontPictureAt(335, 58);
const QPoint kSidePictureAt(362, 59);
// Titles start this far right of a header's left edge.
constexpr int kTitleInset = 10;

QRect toQRect(const Rect& rect)
{
    return QRect(rect.left, rect.top, rect.width(), rect.height());
}

QPoint topLeft(const Rect& rect)
{
    return QPoint(rect.left, rect.top);
}

} // namespace

MainPanels::MainPanels(SectionContext& context, QObject* parent)
    : QObject(parent), m_context(context), m_thumb(new ImageButton(context.window))
{
    const QImage thumb = SkinImage::scrollThumb();
    m_thumb->setImages(thumb, thumb);
    m_thumb->setVerticalTrack(PanelState::kThumbTrackTop, PanelState::kThumbTrackBottom);
    placeThumb();
    if (context.window)
        m_thumb->show(); // a child shows with its window; without one it stays hidden
    connect(m_thumb, &ImageButton::dragged, this, &MainPanels::thumbDragged);
    // A press without a move hands over the thumb's place too, so a thumb left low while
    // the panel showed its top view can still switch to the bottom view.
    connect(m_thumb, &ImageButton::clicked, this, [this] { thumbDragged(m_thumb->y()); });
    connect(m_thumb, &QObject::destroyed, this, [this] { m_thumb = nullptr; });
}

MainPanels::~MainPanels()
{
    delete m_thumb;
}

void MainPanels::setSection(RightSection section, SectionView* view)
{
    m_right[indexOf(section)] = view;
    m_measured = false;
}

void MainPanels::setAssignmentSection(SectionView* view)
{
    m_assignment = view;
    m_measured = false;
}

void MainPanels::setXySection(SectionView* view)
{
    m_xy = view;
    m_measured = false;
}

void MainPanels::setPictureMarks(std::function<void(QPainter&, MouseView)> marks)
{
    m_pictureMarks = std::move(marks);
}

void MainPanels::measure()
{
    const auto heightOf = [this](SectionView* view, const char* fallback) {
        return m_context.skin.size(view ? view->contentBackground() : fallback).height();
    };
    ContentHeights heights;
    heights.buttonAssignment =
        heightOf(m_assignment, contentBackground(LeftSection::ButtonAssignment));
    heights.xySensitivity = heightOf(m_xy, contentBackground(LeftSection::XySensitivity));
    for (std::size_t i = 0; i < kRightSectionCount; ++i)
        heights.right[i] = heightOf(m_right[i], contentBackground(rightSectionAt(i)));
    m_state.setContentHeights(heights);
    m_measured = true;
}

void MainPanels::refresh()
{
    measure();
    m_state.layOutForRepaint();
    placeThumb();
    syncLeftControls();
    syncRightControls();
}

void MainPanels::reset()
{
    for (std::size_t i = 0; i < kRightSectionCount; ++i) {
        if (m_right[i])
            m_right[i]->hideControls();
    }
    if (m_assignment)
        m_assignment->hideControls();
    if (m_xy)
        m_xy->hideControls();
    m_rightControls.fill(false);
    m_assignmentControls = false;
    m_xyControls = false;
    m_pressed.clear();
    m_state.reset();
    placeThumb();
}

SectionView* MainPanels::viewOf(const PanelSection& section) const
{
    if (const auto* left = std::get_if<LeftSection>(&section))
        return *left == LeftSection::ButtonAssignment ? m_assignment : m_xy;
    return m_right[indexOf(std::get<RightSection>(section))];
}

QPoint MainPanels::originOf(const PanelSection& section) const
{
    const Rect content = std::holds_alternative<LeftSection>(section)
                             ? m_state.contentRect(std::get<LeftSection>(section))
                             : m_state.contentRect(std::get<RightSection>(section));
    return topLeft(content);
}

bool MainPanels::contentShown(const PanelSection& section) const
{
    if (const auto* left = std::get_if<LeftSection>(&section))
        return m_state.expanded(*left);
    return m_state.contentShown(std::get<RightSection>(section));
}

// Controls live while their section is drawn open; every new layout places them again,
// and a section that closed or went out of view takes its controls down.
void MainPanels::syncControls(const PanelSection& section)
{
    SectionView* view = viewOf(section);
    bool& up = std::holds_alternative<LeftSection>(section)
                   ? (std::get<LeftSection>(section) == LeftSection::ButtonAssignment
                          ? m_assignmentControls
                          : m_xyControls)
                   : m_rightControls[indexOf(std::get<RightSection>(section))];
    if (!view)
        return;
    if (contentShown(section)) {
        view->showControls(originOf(section), m_context);
        up = true;
    } else if (up) {
        view->hideControls();
        up = false;
    }
}

void MainPanels::syncLeftControls()
{
    syncControls(LeftSection::ButtonAssignment);
    syncControls(LeftSection::XySensitivity);
}

void MainPanels::syncRightControls()
{
    for (std::size_t i = 0; i < kRightSectionCount; ++i)
        syncControls(rightSectionAt(i));
}

void MainPanels::placeThumb()
{
    if (m_thumb)
        m_thumb->move(PanelState::kThumbLeft, m_state.thumbTop());
}

void MainPanels::thumbDragged(int top)
{
    if (!m_measured)
        measure();
    const bool changed = m_state.scrollThumbTo(top);
    placeThumb();
    if (changed) {
        syncRightControls();
        emit redrawNeeded();
    }
}

void MainPanels::captureThumbBackground(const QImage& picture)
{
    if (m_thumb)
        m_thumb->captureBackground(picture);
}

PanelPress MainPanels::press(QPoint point)
{
    if (!m_measured)
        measure();
    m_pressed.clear();
    PanelPress result;
    const PanelHits hits = m_state.hitsAt(point.x(), point.y());
    result.handled = !hits.freeSpot();

    // The open Button Assignment section hears every press, so a press on a view button,
    // on Macro Manager or on the X/Y header closes its open menu. Its own header closes
    // the section, which takes its menus down.
    if (hits.firstMatch() && hits.leftItem != LeftItem::AssignmentHeader && m_assignment &&
        m_state.expanded(LeftSection::ButtonAssignment)) {
        result.recordChanged =
            m_assignment->click(point, originOf(LeftSection::ButtonAssignment), m_context);
        result.redraw = result.recordChanged;
    }

    if (hits.viewButton) {
        m_state.showMouseView(*hits.viewButton);
        result.redraw = true;
        return result;
    }
    if (hits.leftItem) {
        switch (*hits.leftItem) {
        case LeftItem::AssignmentHeader:
            m_state.toggle(LeftSection::ButtonAssignment);
            syncLeftControls();
            result.redraw = true;
            break;
        case LeftItem::XyHeader:
            m_state.toggle(LeftSection::XySensitivity);
            syncLeftControls();
            result.redraw = true;
            break;
        case LeftItem::MacroManager:
            result.macroManagerRequested = true;
            break;
        }
        return result;
    }

    if (hits.header && m_state.toggle(*hits.header)) {
        placeThumb();
        syncRightControls();
        result.redraw = true;
    }
    for (const PanelSection& section : hits.contents) {
        SectionView* view = viewOf(section);
        if (!view)
            continue;
        if (view->click(point, originOf(section), m_context)) {
            result.recordChanged = true;
            result.redraw = true;
        }
        m_pressed.push_back(section);
    }
    return result;
}

bool MainPanels::drag(QPoint point)
{
    bool changed = false;
    for (const PanelSection& section : m_pressed) {
        if (SectionView* view = viewOf(section))
            changed = view->drag(point, originOf(section), m_context) || changed;
    }
    return changed;
}

void MainPanels::release()
{
    for (const PanelSection& section : m_pressed) {
        if (SectionView* view = viewOf(section))
            view->release();
    }
    m_pressed.clear();
}

bool MainPanels::wheel(QPoint point, int angleDelta)
{
    if (!m_measured)
        measure();
    const bool changed = m_state.wheel(point.x(), point.y(), angleDelta);
    placeThumb();
    if (changed)
        syncRightControls();
    return changed;
}

std::vector<std::string> MainPanels::imagesAtRest()
{
    return {kMiddleBackground, kFrontPicture, kLeftBackground,   kRightBackground, kHeaderImage,
            kMacroItemImage,   kTrackImage,   kChosenViewButton, kOtherViewButton};
}

void MainPanels::paint(QPainter& painter)
{
    if (!m_measured)
        measure();
    painter.save();
    painter.setFont(m_context.font);
    painter.setPen(m_context.textColour);
    painter.setBackgroundMode(Qt::TransparentMode);
    paintMiddle(painter);
    paintLeft(painter);
    paintRight(painter);
    m_context.skin.draw(painter, kTrackImage, QPoint(PanelState::kThumbLeft, 32));
    painter.restore();
}

void MainPanels::paintHeader(QPainter& painter, const char* image, const Rect& rect,
                             const char* title)
{
    m_context.skin.draw(painter, image, topLeft(rect));
    // A section's content drawn before may have left its own font or pen.
    painter.setFont(m_context.font);
    painter.setPen(m_context.textColour);
    painter.drawText(
        QRect(rect.left + kTitleInset, rect.top, rect.width() - kTitleInset, rect.height()),
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_context.text(title));
}

void MainPanels::paintMiddle(QPainter& painter)
{
    SkinLibrary& skin = m_context.skin;
    skin.draw(painter, kMiddleBackground, kMiddlePanel);
    const bool front = m_state.mouseView() == MouseView::Front;
    const struct
    {
        Rect rect;
        bool chosen;
        const char* caption;
    } buttons[] = {{PanelState::kFrontViewButton, front, "Front"},
                   {PanelState::kSideViewButton, !front, "Side"}};
    for (const auto& button : buttons) {
        skin.draw(painter, button.chosen ? kChosenViewButton : kOtherViewButton,
                  topLeft(button.rect));
        painter.drawText(toQRect(button.rect), Qt::AlignCenter | Qt::TextSingleLine,
                         m_context.text(button.caption));
    }
    if (front)
        skin.draw(painter, kFrontPicture, kFrontPictureAt);
    else
        skin.draw(painter, kSidePicture, kSidePictureAt);
    if (m_pictureMarks)
        m_pictureMarks(painter, m_state.mouseView());
}

void MainPanels::paintLeft(QPainter& painter)
{
    m_context.skin.draw(painter, kLeftBackground,
                        QPoint(PanelState::kLeftPanelLeft, PanelState::kAssignmentTop));
    paintHeader(painter, kHeaderImage, m_state.assignmentHeader(),
                sectionTitle(LeftSection::ButtonAssignment));
    if (m_assignment && m_state.expanded(LeftSection::ButtonAssignment))
        m_assignment->paint(painter, originOf(LeftSection::ButtonAssignment), m_context);
    paintHeader(painter, kMacroItemImage, m_state.macroManagerItem(), "Macro Manager");
    paintHeader(painter, kHeaderImage, m_state.xyHeader(),
                sectionTitle(LeftSection::XySensitivity));
    if (m_xy && m_state.expanded(LeftSection::XySensitivity))
        m_xy->paint(painter, originOf(LeftSection::XySensitivity), m_context);
}

void MainPanels::paintRight(QPainter& painter)
{
    m_context.skin.draw(painter, kRightBackground,
                        QPoint(PanelState::kRightPanelLeft, PanelState::kRightPanelTop));
    for (std::size_t i = 0; i < kRightSectionCount; ++i) {
        const RightSection section = rightSectionAt(i);
        if (!m_state.headerVisible(section))
            continue;
        paintHeader(painter, kHeaderImage, m_state.header(section), sectionTitle(section));
        if (m_right[i] && m_state.expanded(section))
            m_right[i]->paint(painter, originOf(section), m_context);
    }
}

} // namespace volantra
