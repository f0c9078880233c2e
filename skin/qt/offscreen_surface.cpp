#include "skin/qt/offscreen_surface.h"

#include "skin/qt/skin_image.h"

#include <QWidget>

namespace volantra {

namespace {

QRect chosenArea(const QImage& picture, QRect area)
{
    const QRect whole(QPoint(0, 0), SkinImage::logicalSize(picture));
    return area.isEmpty() ? whole : area.intersected(whole);
}

} // namespace

OffscreenSurface::OffscreenSurface(QImage& picture, QRect area, QWidget* window)
    : m_picture(picture), m_area(chosenArea(picture, area)), m_window(window),
      m_buffer(SkinImage::copyLogical(picture, m_area))
{
    // The buffer starts as a copy of what is there, so images with alpha blend onto the
    // current picture exactly as they would on the window.
    m_painter.begin(&m_buffer);
    m_painter.translate(-m_area.topLeft());
}

OffscreenSurface::~OffscreenSurface()
{
    m_painter.end();
    QPainter copy(&m_picture);
    copy.setCompositionMode(QPainter::CompositionMode_Source);
    copy.drawImage(m_area.topLeft(), m_buffer);
    copy.end();
    if (m_window)
        m_window->update(m_area);
}

} // namespace volantra
