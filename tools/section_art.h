#pragma once

namespace volantra {

class SkinImageSet;

// The contents of the sections of the main window's two panels: their backgrounds, sized
// so that every layout of the right panel that the pages draw ends above the bottom bar,
// and the images the sections draw over them (level bars, sliders, marks, dials, the
// report-rate ring and the angle-snap pictures), placed where the pages expect them.
class SectionArt
{
public:
    // Heights of the section backgrounds; all are 242 pixels wide.
    static constexpr int kWidth = 242;
    static constexpr int kDpiHeight = 220;
    static constexpr int kLightingHeight = 110;
    static constexpr int kReportRateHeight = 138;
    static constexpr int kDialHeight = 106;
    static constexpr int kScrollHeight = 66;
    static constexpr int kAngleSnapHeight = 140;
    static constexpr int kButtonAssignmentHeight = 188;
    static constexpr int kSensitivityHeight = 140;

    static void paint(SkinImageSet& images);
};

} // namespace volantra
