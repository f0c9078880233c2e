#pragma once

#include "common/rect.h"

#include <QPoint>
#include <QString>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QImage;
class QPainter;

namespace volantra {

class SkinLibrary;

// The images of a skinned button, as paths in the skin. An empty face falls back: over to
// normal, pressed to over, the checked faces of a toggle to the unchecked ones, disabled
// to the face of the moment drawn faded. An empty normal face leaves the spot to the
// background, label and all, while the pointer is elsewhere.
struct SkinButtonFaces
{
    std::string normal;
    std::string over;
    std::string pressed = {};
    std::string disabled = {};
    std::string checkedNormal = {};
    std::string checkedOver = {};
};

// One button drawn from skin images over its owner's picture: its hit rectangle, the face
// its state shows (normal, under the pointer, held, disabled; on or off for a toggle) and
// a label over the face. It draws and hit-tests; what a press does is its owner's.
class SkinButton
{
public:
    SkinButton(Rect area, SkinButtonFaces faces);

    const Rect& area() const { return m_area; }
    bool contains(QPoint point) const { return m_area.contains(point.x(), point.y()); }

    // The label is drawn in the painter's font and pen, made smaller until it fits
    // `labelArea` (the button's area unless given); `alignment` takes Qt's flags.
    void setLabel(QString label, std::optional<Rect> labelArea = std::nullopt,
                  int alignment = Qt::AlignCenter);
    // Where the face is drawn when it is not the area's top-left corner.
    void setFacePosition(QPoint at) { m_faceAt = at; }

    // Each setter says whether the button looks different now.
    bool setHovered(bool hovered);
    bool setHeld(bool held);
    bool setEnabled(bool enabled);
    bool setChecked(bool checked);
    bool isHovered() const { return m_hovered; }
    bool isEnabled() const { return m_enabled; }
    bool isChecked() const { return m_checked; }

    // The image the button's state shows; empty when nothing of it is drawn.
    std::string currentFace() const { return look().face; }
    // Draws the face and the label. `underlay`, when given, is the picture beneath,
    // whose pixels are put back first, for owners that draw into one persistent picture.
    void draw(QPainter& painter, SkinLibrary& images, const QImage* underlay = nullptr) const;

private:
    struct Look
    {
        std::string face;
        bool faded;
        friend bool operator==(const Look&, const Look&) = default;
    };
    Look look() const;
    bool changes(bool& state, bool value);

    Rect m_area;
    SkinButtonFaces m_faces;
    QString m_label;
    Rect m_labelArea;
    int m_alignment = Qt::AlignCenter;
    std::optional<QPoint> m_faceAt;
    bool m_hovered = false;
    bool m_held = false;
    bool m_enabled = true;
    bool m_checked = false;
};

// The buttons of one window, named by `Id`: the hit test in the order they were added
// and the hover and held looks as the pointer moves and presses.
template <typename Id> class SkinButtonSet
{
public:
    SkinButton& add(Id id, Rect area, SkinButtonFaces faces)
    {
        m_buttons.emplace_back(id, SkinButton(area, std::move(faces)));
        return m_buttons.back().second;
    }

    SkinButton& operator[](Id id) { return find(id); }
    const SkinButton& operator[](Id id) const { return const_cast<SkinButtonSet&>(*this).find(id); }

    std::optional<Id> at(QPoint point) const
    {
        for (const auto& [id, button] : m_buttons) {
            if (button.contains(point))
                return id;
        }
        return std::nullopt;
    }

    // The pointer moved to `point`: only the first button under it is hovered. True
    // when any button looks different.
    bool hover(QPoint point)
    {
        const std::optional<Id> under = at(point);
        bool changed = false;
        for (auto& [id, button] : m_buttons)
            changed |= button.setHovered(under == id);
        return changed;
    }
    bool leave() { return hover(QPoint(-1, -1)) | release(); }

    // The left button went down at `point`: the button under it, now held.
    std::optional<Id> press(QPoint point)
    {
        const std::optional<Id> under = at(point);
        if (under)
            find(*under).setHeld(true);
        return under;
    }
    bool release()
    {
        bool changed = false;
        for (auto& entry : m_buttons)
            changed |= entry.second.setHeld(false);
        return changed;
    }

    void draw(QPainter& painter, SkinLibrary& images, const QImage* underlay = nullptr) const
    {
        for (const auto& entry : m_buttons)
            entry.second.draw(painter, images, underlay);
    }

private:
    SkinButton& find(Id id)
    {
        for (auto& entry : m_buttons) {
            if (entry.first == id)
                return entry.second;
        }
        return m_buttons.front().second; // every owner adds each of its ids once
    }

    std::vector<std::pair<Id, SkinButton>> m_buttons;
};

} // namespace volantra
