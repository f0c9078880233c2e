#pragma once

#include "common/rect.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace volantra {

class SettingsRecord;

// The DPI Setting section: four stages, each with a vertical level bar, a value box with
// the stage's DPI and a colour box. Stage values and their DPI follow setting_rules.
// Stages are index 0 to 3; positions are pixels relative to the section's origin (its
// header's left and bottom edge).
//
// A profile may hold any byte as a stage value. The section shows the nearest value of
// the range and forms its image names from that, but it writes a stage only when the
// user sets it with the bar or commits a typed value.
class DpiStageRules
{
public:
    static constexpr const char* kTitle = "DPI Setting";
    static constexpr const char* kBackground = "/DPISetting/BK_DPISetting.png";
    static constexpr const char* kValueBoxImage = "/DPISetting/BK-DPIValue.png";
    static constexpr const char* kDialDownCaption = "DPI Dial Down";
    static constexpr const char* kDialUpCaption = "DPI Dial Up";
    static constexpr std::size_t kStageCount = 4;

    // Each bar is also where its image is drawn; the value box is where its edit box sits.
    static Rect levelBar(std::size_t stage);
    static Rect valueBox(std::size_t stage);
    static Rect colourBox(std::size_t stage);
    // Down reaches to just before Up, so that "DPI Dial Down" fits.
    static Rect dialDownCaption() { return {31, 13, 136, 32}; }
    static Rect dialUpCaption() { return {141, 13, 226, 32}; }

    static std::optional<std::size_t> barAt(int x, int y);
    static std::optional<std::size_t> colourBoxAt(int x, int y);

    // The stage value a press or a drag at height y gives: one step per pixel row up
    // from the bar's bottom, 100 in the top rows and above the bar, and the lowest step
    // in the bottom rows and below the bar.
    static std::uint8_t stepAtHeight(int y);

    static std::uint8_t shownStep(std::uint8_t stored);
    // "/DPISetting/DPIStage/<n>.png" for the value shown.
    static std::string barImage(std::uint8_t stored);
    // The DPI shown for a stored value, in decimal.
    static std::string stageText(std::uint8_t stored);

    // The DPI a typed text means: leading blanks and one sign are taken, reading stops
    // at the first other character and text without digits means 0. The result is
    // limited to 100 to 5000 DPI, so any text gives a stage value.
    static int typedDpi(std::string_view text);
    static std::uint8_t stepForTypedText(std::string_view text);
    // Stores a committed value box text as the stage's value; true when the byte changed.
    static bool commitTypedText(SettingsRecord& record, std::size_t stage, std::string_view text);

    // A press in a bar stores the value of its height and starts dragging that bar; later
    // moves set the same stage from their height wherever the pointer is, until release.
    // Each returns true when the stored byte changed.
    bool press(SettingsRecord& record, int x, int y);
    bool drag(SettingsRecord& record, int y);
    void release() { m_dragged.reset(); }
    std::optional<std::size_t> draggedStage() const { return m_dragged; }

private:
    std::optional<std::size_t> m_dragged;
};

} // namespace volantra
