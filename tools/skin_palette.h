#pragma once

#include <QRgb>

namespace volantra::SkinPalette {

// The colours of the default skin: graphite surfaces, one orange accent. Images that a
// window draws over one another (button faces, sliders, marks) are opaque and carry the
// colour of the surface they sit on, so a redraw never blends with the previous state.

// Surfaces, from the window's edge inwards.
inline constexpr QRgb kWindow = 0xff0f1012;      // window background and margins
inline constexpr QRgb kTitleBar = 0xff17181b;    // title strips and the bottom bar
inline constexpr QRgb kWell = 0xff131416;        // side panels between the sections
inline constexpr QRgb kPanel = 0xff1b1d21;       // section contents and dialog bodies
inline constexpr QRgb kRaised = 0xff24272c;      // cards and button faces
inline constexpr QRgb kRaisedHover = 0xff2e3238; // button faces under the pointer
inline constexpr QRgb kHeaderTop = 0xff2a2d33;   // section headers, a gradient
inline constexpr QRgb kHeaderBottom = 0xff202328;
inline constexpr QRgb kField = 0xff101114;        // entry fields and drop-down boxes
inline constexpr QRgb kControlField = 0xff282828; // under the dialogs' own fields (40, 40, 40)
inline constexpr QRgb kGroove = 0xff0b0c0e;       // slider and bar tracks
inline constexpr QRgb kLine = 0xff30343a;         // frames and dividers
inline constexpr QRgb kLineStrong = 0xff41464e;   // frames under the pointer, outlines

// Marks and texts.
inline constexpr QRgb kText = 0xffdcdcdc; // the skin text colour of the default profiles
inline constexpr QRgb kTextMuted = 0xff8b9099;
inline constexpr QRgb kKnob = 0xffe9e9ea;
inline constexpr QRgb kPaper = 0xffe6e8eb; // the help card, under black text
inline constexpr QRgb kPaperLine = 0xffc7cbd1;

// The accent and its shades.
inline constexpr QRgb kAccent = 0xffff8a3d;
inline constexpr QRgb kAccentBright = 0xffffb27a;
inline constexpr QRgb kAccentDeep = 0xffb8541a;
inline constexpr QRgb kAccentDark = 0xff5a2c12;
inline constexpr QRgb kDanger = 0xffe5484d; // the close button under the pointer

} // namespace volantra::SkinPalette
