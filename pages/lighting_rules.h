#pragma once

#include "common/rect.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace volantra {

class SettingsRecord;

// The Lighting section: three rows, one per lighting mode (Standard, Respiration, Neon),
// each with a radio mark that chooses the mode and a step slider for that mode's own
// level (brightness for Standard, period for the others). Rows are index 0 to 2; the
// record's mode byte is row + 1 and 0 means no mode chosen. Positions are pixels relative
// to the section's origin (its header's left and bottom edge).
//
// A profile may hold any byte as mode or level. The section shows the nearest level the
// record can hold and no mark for a mode other than 1 to 3, and writes a byte only on the
// user's press.
class LightingRules
{
public:
    static constexpr const char* kTitle = "Lighting";
    static constexpr const char* kBackground = "/Lighting/BK_Lighting.png";
    static constexpr const char* kChosenMarkImage = "/Enable.png";
    static constexpr const char* kOtherMarkImage = "/Disable.png";
    static constexpr std::size_t kRowCount = 3;
    static constexpr std::size_t kStepCaptionCount = 5;
    static constexpr std::array<const char*, kRowCount> kModeCaptions{"Standard", "Respiration",
                                                                      "Neon"};

    // A caption under a slider, with its horizontal extent relative to the slider's left.
    struct StepCaption
    {
        const char* text;
        int left;
        int right;
    };
    static const std::array<StepCaption, kStepCaptionCount>& stepCaptions(std::size_t row);

    // The mark and the slider are also where their images are drawn.
    static Rect modeMark(std::size_t row);
    static Rect modeCaption(std::size_t row);
    static Rect slider(std::size_t row);
    static Rect stepCaptionArea(std::size_t row, std::size_t caption);

    static std::optional<std::size_t> modeMarkAt(int x, int y);
    static std::optional<std::size_t> sliderAt(int x, int y);
    // The level a press `offset` pixels right of a slider's left edge gives.
    static std::uint8_t levelAt(int offset);

    // The row whose mark shows as chosen for a stored mode, if any.
    static std::optional<std::size_t> chosenRow(std::uint8_t mode);
    static std::uint8_t shownLevel(std::uint8_t stored);
    // "/Lighting/<n>.png" for the level shown.
    static std::string sliderImage(std::uint8_t stored);

    // A press on a mark chooses its mode; a press on a slider sets that row's level and
    // leaves the mode alone. True when a stored byte changed.
    static bool press(SettingsRecord& record, int x, int y);
};

} // namespace volantra
