#include "app/qt/main_window.h"

#include "pages/qt/main_panels.h"
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

MainWindow::MainWindow(SkinLibrary& skin, bool toolWindow)
    : QWidget(nullptr, (toolWindow ? Qt::Tool : Qt::Window) | Qt::FramelessWindowHint), m_skin(skin)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // A click on the picture takes the focus from an edit box, which commits its typing.
    setFocusPolicy(Qt::ClickFocus);
    setTexts([](const char* english) { return QString::fromUtf8(english); });
}

void MainWindow::setTexts(std::function<QString(const char*)> text)
{
    m_text = std::move(text);
    setWindowTitle(m_text("Gaming Mouse"));
}

bool MainWindow::loadBackground()
{
    // Decoded whole: a header that reads well says nothing about the pixels after it.
    const QSize size = SkinImage::logicalSize(m_skin.image(kBackground));
    if (size.width() < kMinimumWidth || size.height() < kMinimumHeight)
        return false;
    setFixedSize(size);
    // At the skin's pixel ratio, so text and lines drawn over the images are as sharp.
    m_picture = SkinImage::canvas(size, m_skin.devicePixelRatio() > 1 ? 2 : 1);
    m_picture.fill(Qt::black);
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
        m_skin.draw(painter, "/Logo.png", QPoint(20, 32));
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
    for (const WindowButtonLook& look : windowButtons()) {
        const bool over = m_hovered == look.button;
        const QPoint at(look.area.left, look.area.top);
        // A button's face is drawn over what lies beneath, so the spot is restored first.
        m_skin.drawArea(painter, kBackground,
                        QRect(at, QSize(look.area.width(), look.area.height())));
        m_skin.draw(painter, over ? look.overImage : look.normalImage, at);
        if (!look.caption.empty()) {
            const Rect& area = look.captionArea;
            painter.drawText(QRect(area.left, area.top, area.width(), area.height()),
                             Qt::AlignCenter, m_text(std::string(look.caption).c_str()));
        }
    }
}

void MainWindow::setHovered(std::optional<WindowButton> button)
{
    if (button == m_hovered)
        return;
    m_hovered = button;
    redrawButtons();
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
    setHovered(windowButtonAt(point.x(), point.y()));
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
    setHovered(std::nullopt);
}

// Enter and Escape are swallowed, so neither closes or changes anything by accident.
void MainWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit closeRequested();
}

} // namespace volantra
