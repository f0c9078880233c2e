#pragma once

#include <QImage>
#include <QMargins>
#include <QPointF>
#include <QRgb>
#include <QSize>

namespace volantra {

class SkinPainter;

// The controls the windows of the default skin share: button faces, title-bar buttons,
// sliders, marks, boxes and the numbered badges of the mouse pictures. Each image is
// opaque and painted on `surface`, the colour of the spot it is drawn on.
namespace SkinParts {

enum class Tone {
    Plain,   // a graphite face
    Primary, // the accent face of the one main action (Save)
    Chosen,  // the chosen one of a pair (the mouse view)
};

// A button face of `size`; the face itself is `size` less `inset`.
QImage buttonFace(QSize size, Tone tone, bool over, QRgb surface, QMargins inset = {});

enum class Glyph { Help, Minimise, Close };
// The 15 × 15 buttons of the title bars.
QImage titleButton(Glyph glyph, bool over, QRgb surface);

// A horizontal slider: a groove over the full width, filled up to a round knob centred
// at `knobCentre` (clamped so the knob stays whole).
QImage slider(QSize size, double knobCentre, QRgb surface, bool lit = true);
// A round mark that is either chosen or not.
QImage radioMark(QSize size, bool chosen, QRgb surface);
// A square tick box.
QImage tickBox(int size, bool ticked, QRgb surface);

enum class BoxState { Normal, Over, Leave };
// A drop-down box with its arrow at the right.
QImage dropdownBox(QSize size, BoxState state, QRgb surface);
// The frame of an entry field; the window's edit box sits on it.
QImage fieldFrame(QSize size, QRgb surface);

// The numbered circle that names a mouse button on the mouse pictures.
void badge(SkinPainter& painter, QPointF centre, int number, bool lit);
constexpr double kBadgeRadius = 8.5;

} // namespace SkinParts
} // namespace volantra
