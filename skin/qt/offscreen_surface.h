#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

class QWidget;

namespace volantra {

// Painting of one area into an off-screen image that is copied onto the window's
// persistent picture in one step when the surface goes out of scope, so a redraw of
// many images never shows half-drawn states. Coordinates stay those of the window.
class OffscreenSurface
{
public:
    // `picture` is the window's persistent picture; `area` empty means all of it.
    OffscreenSurface(QImage& picture, QRect area, QWidget* window = nullptr);
    ~OffscreenSurface();

    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;

    QPainter& painter() { return m_painter; }
    QRect area() const { return m_area; }

private:
    QImage& m_picture;
    QRect m_area;
    QWidget* m_window;
    QImage m_buffer;
    QPainter m_painter;
};

} // namespace volantra
