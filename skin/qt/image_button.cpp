#include "skin/qt/image_button.h"

#include "skin/qt/skin_image.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace volantra {

namespace {

// Applies `rule` to the straight (not premultiplied) colour of every pixel; alpha stays.
template <typename Rule> QImage mapColours(const QImage& image, Rule rule)
{
    if (image.isNull())
        return image;
    QImage straight = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < straight.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(straight.scanLine(y));
        for (int x = 0; x < straight.width(); ++x)
            line[x] = rule(line[x]);
    }
    return SkinImage::premultiplied(straight);
}

int channel(double fraction)
{
    return std::clamp(static_cast<int>(fraction * 255.0 + 0.5), 0, 255);
}

QImage composed(const QImage& background, QSize size, const QImage& image, QPoint at)
{
    // As sharp as the sharpest of its parts.
    QImage face =
        SkinImage::canvas(size, std::max(background.isNull() ? 1.0 : background.devicePixelRatio(),
                                         image.devicePixelRatio()));
    QPainter painter(&face);
    if (!background.isNull())
        painter.drawImage(0, 0, background);
    painter.drawImage(at, image);
    return face;
}

} // namespace

ImageButton::ImageButton(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void ImageButton::setImages(const QImage& standard, const QImage& alternate)
{
    m_standard = standard;
    m_alternate = alternate;
    m_facesBuilt = false;
    if (!standard.isNull())
        resize(SkinImage::logicalSize(standard));
    update();
}

void ImageButton::captureBackground(const QImage& parentPicture)
{
    if (!m_background.isNull())
        return;
    m_background = SkinImage::copyLogical(parentPicture, geometry());
    m_facesBuilt = false;
}

void ImageButton::setDisabledLook(bool disabled)
{
    m_disabled = disabled;
    update();
}

void ImageButton::setVerticalTrack(int top, int bottom)
{
    m_draggable = true;
    m_trackTop = top;
    m_trackBottom = bottom;
}

const QImage& ImageButton::face(Face face) const
{
    return m_faces[static_cast<int>(face)];
}

QImage ImageButton::highlighted(const QImage& image)
{
    return mapColours(image, [](QRgb pixel) {
        auto lift = [](int value) { return channel(1.05 * value / 255.0 + 0.05); };
        return qRgba(lift(qRed(pixel)), lift(qGreen(pixel)), lift(qBlue(pixel)), qAlpha(pixel));
    });
}

QImage ImageButton::greyed(const QImage& image)
{
    return mapColours(image, [](QRgb pixel) {
        const int grey =
            channel((0.3 * qRed(pixel) + 0.59 * qGreen(pixel) + 0.11 * qBlue(pixel)) / 255.0);
        return qRgba(grey, grey, grey, qAlpha(pixel));
    });
}

void ImageButton::buildFaces()
{
    if (m_facesBuilt || m_standard.isNull())
        return;
    const QSize area = size();
    auto set = [this](Face which, QImage image) {
        m_faces[static_cast<int>(which)] = std::move(image);
    };
    set(Face::StandardPressed, composed(m_background, area, m_standard, QPoint(0, 0)));
    set(Face::StandardHighlighted,
        composed(m_background, area, highlighted(m_standard), QPoint(0, 0)));
    set(Face::Disabled, composed(m_background, area, greyed(m_standard), QPoint(0, 0)));
    if (!m_alternate.isNull()) {
        set(Face::AlternatePressed, composed(m_background, area, m_alternate, QPoint(1, 1)));
        set(Face::AlternateHighlighted,
            composed(m_background, area, highlighted(m_alternate), QPoint(0, 0)));
    }
    m_facesBuilt = true;
}

void ImageButton::paintEvent(QPaintEvent*)
{
    buildFaces();
    if (!m_facesBuilt)
        return; // without its image the button draws nothing of its own
    const bool alternate = m_toggleOn && !m_alternate.isNull();
    if (m_disabled)
        m_current = Face::Disabled;
    else if (m_pressed)
        m_current = alternate ? Face::AlternatePressed : Face::StandardPressed;
    else
        m_current = alternate ? Face::AlternateHighlighted : Face::StandardHighlighted;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, face(m_current));
}

void ImageButton::press(QPoint globalPosition)
{
    m_pressed = true;
    if (m_isToggle)
        m_toggleOn = !m_toggleOn;
    m_dragging = m_draggable;
    m_lastPointer = globalPosition;
    update();
}

void ImageButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !m_disabled)
        press(event->globalPosition().toPoint());
}

// A double click starts a drag like a single press.
void ImageButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void ImageButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    m_dragging = false;
    update();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void ImageButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pointer = event->globalPosition().toPoint();
    if (m_dragging) {
        // A fast drag past the end of the track stops at the end instead of being lost.
        const int highest = m_trackTop;
        const int lowest = std::max(m_trackTop, m_trackBottom - height());
        const int top = std::clamp(y() + pointer.y() - m_lastPointer.y(), highest, lowest);
        if (top != y()) {
            move(x(), top);
            emit dragged(top);
        }
    }
    m_lastPointer = pointer;
}

// Idle and hovered buttons share a face; entering and leaving only repaint, as a tool tip
// or a changed image may need it.
void ImageButton::enterEvent(QEnterEvent*)
{
    update();
}

void ImageButton::leaveEvent(QEvent*)
{
    update();
}

} // namespace volantra
