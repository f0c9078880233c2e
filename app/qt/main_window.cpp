#include "app/qt/main_window.h"

#include "pages/qt/main_panels.h"
#include "skin/qt/enter_escape.h"
#include "skin/qt/offscreen_surface.h"
#include "skin/qt/skin_image.h"
#include "skin/qt/skin_library.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWindow>

namespace volantra {

namespace {

constexpr const char* kLogo = "/Logo.png";

} // namespace

MainWindow::MainWindow(SkinLibrary& skin, bool toolWindow)
    : QWidget(nullptr, (toolWindow ? Qt::Tool : Qt::Window) | Qt::FramelessWindowHint), m_skin(skin)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // A click on the picture takes the focus from an edit box, which commits its typing.
    setFocusPolicy(Qt::ClickFocus);
    for (const WindowButtonLook& look : windowButtons())
        m_buttons.add(look.button, look.area,
                      {std::string(look.normalImage), std::string(look.overImage)});
    setTexts([](const char* english) { return QString::fromUtf8(english); });
}

void MainWindow::setTexts(std::function<QString(const char*)> text)
{
    m_text = std::move(text);
    setWindowTitle(m_text("Gaming Mouse"));
    for (const WindowButtonLook& look : windowButtons()) {
        if (!look.caption.empty())
            m_buttons[look.button].setLabel(
                m_text(std::string(look.caption).c_str()), look.captionArea,
                look.captionAlignment == CaptionAlignment::Left ? Qt::AlignLeft | Qt::AlignVCenter
                                                                : Qt::AlignCenter);
    }
}

std::vector<std::string> MainWindow::imagesAtRest()
{
    std::vector<std::string> images{kBackground, kLogo};
    for (const WindowButtonLook& look : windowButtons())
        images.emplace_back(look.normalImage);
    return images;
}

bool MainWindow::loadBackground()
{
    // Decoded whole: a header that reads well says nothing about the pixels after it.
    const QSize size = SkinImage::logicalSize(m_skin.image(kBackground));
    if (size.width() < kMinimumWidth || size.height() < kMinimumHeight)
        return false;
    setFixedSize(size);
    // At the skin's pixel ratio, so text and lines drawn over the images are as sharp.
    m_picture = SkinImage::canvas(size, m_skin.devicePixelRatio() > 1 ? 2 : 1, Qt::black);
    return true;
}

void MainWindow::setTextStyle(QColor colour, QFont normal)
{
    m_textColour = colour;
    m_font = normal;
}

void MainWindow::redrawAll()
{
    if (m_picture.isNull())
        return;
    {
        OffscreenSurface surface(m_picture, QRect(), this);
        QPainter& painter = surface.painter();
        m_skin.draw(painter, kBackground, QPoint(0, 0));
        m_skin.draw(painter, kLogo, QPoint(20, 32));
        if (m_panels)
            m_panels->paint(painter);
        drawButtons(painter);
    }
    if (m_panels && !m_thumbBackgroundTaken) {
        m_thumbBackgroundTaken = true;
        m_panels->captureThumbBackground(m_picture);
    }
    emit redrawn();
}

void MainWindow::redrawButtons()
{
    if (m_picture.isNull())
        return;
    {
        OffscreenSurface surface(m_picture, QRect(), this);
        drawButtons(surface.painter());
    }
    emit redrawn();
}

void MainWindow::drawButtons(QPainter& painter)
{
    painter.setFont(m_font);
    painter.setPen(m_textColour);
    // A button's face is drawn over what lies beneath, so the spot is restored first.
    const QImage background = m_skin.image(kBackground);
    m_buttons.draw(painter, m_skin, &background);
}

void MainWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(event->rect(), m_picture, SkinImage::pixelRect(m_picture, event->rect()));
}

void MainWindow::mousePressEvent(QMouseEvent* event)
{
    m_dragStart.reset();
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    if (pressClosesHelpPanel(point.x(), point.y()))
        emit helpPanelDismissed();
    if (const std::optional<WindowButton> button = windowButtonAt(point.x(), point.y())) {
        // Typing not yet committed belongs to what the button does (Apply above all).
        setFocus(Qt::MouseFocusReason);
        emit buttonClicked(*button);
        return;
    }
    if (m_panels) {
        const PanelPress pressed = m_panels->press(point);
        if (pressed.redraw || pressed.recordChanged)
            redrawAll();
        if (pressed.macroManagerRequested)
            emit macroManagerRequested();
        if (pressed.handled) {
            m_panelsPressed = true;
            return;
        }
    }
    m_dragStart = event->globalPosition().toPoint();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (m_buttons.hover(point))
        redrawButtons();
    if (m_pointerObserver && !(event->buttons() & Qt::LeftButton) && m_pointerObserver(point))
        redrawAll();
    if (m_panelsPressed && (event->buttons() & Qt::LeftButton)) {
        if (m_panels->drag(point))
            redrawAll();
        return;
    }
    if (m_dragStart && (event->buttons() & Qt::LeftButton) &&
        (event->globalPosition().toPoint() - *m_dragStart).manhattanLength() >=
            QApplication::startDragDistance()) {
        m_dragStart.reset();
        if (QWindow* handle = windowHandle())
            handle->startSystemMove();
    }
}

void MainWindow::mouseReleaseEvent(QMouseEvent*)
{
    m_dragStart.reset();
    if (m_panelsPressed) {
        m_panelsPressed = false;
        m_panels->release();
    }
}

void MainWindow::wheelEvent(QWheelEvent* event)
{
    if (m_panels && m_panels->wheel(event->position().toPoint(), event->angleDelta().y()))
        redrawAll();
}

void MainWindow::leaveEvent(QEvent*)
{
    if (m_buttons.leave())
        redrawButtons();
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (!swallowEnterAndEscape(*event))
        QWidget::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit closeRequested();
}

} // namespace volantra
