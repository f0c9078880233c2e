#include "skin/qt/skin_button.h"

#include "skin/qt/dialog_font.h"
#include "skin/qt/qt_rect.h"
#include "skin/qt/skin_image.h"
#include "skin/qt/skin_library.h"

#include <QPainter>

namespace volantra {
namespace {

// How strongly a disabled button without a face of its own is drawn.
constexpr qreal kFadedOpacity = 0.4;

const std::string& orElse(const std::string& face, const std::string& fallback)
{
    return face.empty() ? fallback : face;
}

} // namespace

SkinButton::SkinButton(Rect area, SkinButtonFaces faces)
    : m_area(area), m_faces(std::move(faces)), m_labelArea(area)
{
}

void SkinButton::setLabel(QString label, std::optional<Rect> labelArea, int alignment)
{
    m_label = std::move(label);
    m_labelArea = labelArea.value_or(m_area);
    m_alignment = alignment;
}

bool SkinButton::changes(bool& state, bool value)
{
    const Look before = look();
    state = value;
    return look() != before;
}

bool SkinButton::setHovered(bool hovered)
{
    return changes(m_hovered, hovered);
}

bool SkinButton::setHeld(bool held)
{
    return changes(m_held, held);
}

bool SkinButton::setEnabled(bool enabled)
{
    return changes(m_enabled, enabled);
}

bool SkinButton::setChecked(bool checked)
{
    return changes(m_checked, checked);
}

SkinButton::Look SkinButton::look() const
{
    // A toggle without hover faces of its own shows its state under the pointer too.
    const std::string& normal =
        m_checked ? orElse(m_faces.checkedNormal, m_faces.normal) : m_faces.normal;
    const std::string& over =
        m_checked
            ? orElse(m_faces.checkedOver, m_faces.checkedNormal.empty() ? m_faces.over : normal)
            : orElse(m_faces.over, normal);
    const std::string& shown = m_held ? orElse(m_faces.pressed, over) : (m_hovered ? over : normal);
    if (m_enabled)
        return {shown, false};
    if (!m_faces.disabled.empty())
        return {m_faces.disabled, false};
    return {shown, true};
}

void SkinButton::draw(QPainter& painter, SkinLibrary& images, const QImage* underlay) const
{
    const Look shown = look();
    const QRect area = qtRect(m_area);
    if (underlay)
        painter.drawImage(QRectF(area), *underlay, QRectF(SkinImage::pixelRect(*underlay, area)));
    if (shown.face.empty())
        return;
    const qreal opacity = painter.opacity();
    if (shown.faded)
        painter.setOpacity(opacity * kFadedOpacity);
    images.draw(painter, shown.face, m_faceAt.value_or(area.topLeft()));
    if (!m_label.isEmpty()) {
        const QRect labelArea = qtRect(m_labelArea);
        const QFont font = painter.font();
        const int flags = m_alignment | Qt::TextSingleLine;
        painter.setFont(DialogFont::fittedTo(font, labelArea, flags, m_label));
        painter.drawText(labelArea, flags, m_label);
        painter.setFont(font);
    }
    painter.setOpacity(opacity);
}

} // namespace volantra
