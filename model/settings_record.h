#pragma once

#include "device/device_images.h"
#include "model/button_function.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace volantra {

// A DPI stage's colour. The profile stores the three bytes as red, blue, green.
struct StageColour
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const StageColour&, const StageColour&) = default;
};

// Everything the user edits, laid out as the body of a profile file: 220 bytes of
// settings, then the twelve macro images. The record is its bytes; accessors read and
// write them in place, so bytes no accessor names survive a load and save unchanged.
// Values are small step values (DPI divided by 50, levels, choices), never device bytes.
// Indices are 0-based; an index past the end is a programming error (std::out_of_range).
class SettingsRecord
{
public:
    static constexpr std::size_t kSize = 1756;
    static constexpr std::size_t kSettingsSize = 220; // everything before the macro images
    static constexpr std::size_t kButtonCount = 8;
    static constexpr std::size_t kDpiStageCount = 4;
    static constexpr std::size_t kLightingLevelCount = 3;
    using Bytes = std::array<std::uint8_t, kSize>;

    SettingsRecord() = default;
    explicit SettingsRecord(const Bytes& bytes) : m_bytes(bytes) {}

    const Bytes& bytes() const { return m_bytes; }

    // Takes the settings from another record and keeps this record's macros (Reset).
    void takeSettingsFrom(const SettingsRecord& source);

    // The mouse's profile number; Apply sets it to 0.
    std::uint8_t profile() const { return m_bytes[kProfile]; }
    void setProfile(std::uint8_t value) { m_bytes[kProfile] = value; }

    // Milliseconds per USB report: 1, 2, 4 or 8.
    std::uint8_t reportInterval() const { return m_bytes[kReportInterval]; }
    void setReportInterval(std::uint8_t value) { m_bytes[kReportInterval] = value; }

    // Stage 1 to 4 is index 0 to 3; the value is DPI divided by 50.
    std::uint8_t dpiStage(std::size_t index) const;
    void setDpiStage(std::size_t index, std::uint8_t value);
    StageColour stageColour(std::size_t index) const;
    void setStageColour(std::size_t index, StageColour colour);

    std::uint8_t lightingMode() const { return m_bytes[kLightingMode]; }
    void setLightingMode(std::uint8_t value) { m_bytes[kLightingMode] = value; }
    // The first, second and third lighting levels are index 0, 1 and 2.
    std::uint8_t lightingLevel(std::size_t index) const;
    void setLightingLevel(std::size_t index, std::uint8_t value);

    // Pointer settings of the desktop, applied from the record, never sent to the mouse.
    bool enhancePointerPrecision() const { return m_bytes[kEnhancePointerPrecision] == 1; }
    void setEnhancePointerPrecision(bool on) { m_bytes[kEnhancePointerPrecision] = on ? 1 : 0; }
    // 0 scrolls by lines, 1 by screen.
    std::uint8_t scrollMode() const { return m_bytes[kScrollMode]; }
    void setScrollMode(std::uint8_t value) { m_bytes[kScrollMode] = value; }
    std::uint8_t pointerSpeed() const { return m_bytes[kPointerSpeed]; }
    void setPointerSpeed(std::uint8_t value) { m_bytes[kPointerSpeed] = value; }
    std::uint8_t wheelScrollLines() const { return m_bytes[kWheelScrollLines]; }
    void setWheelScrollLines(std::uint8_t value) { m_bytes[kWheelScrollLines] = value; }
    std::uint8_t doubleClickSpeed() const { return m_bytes[kDoubleClickSpeed]; }
    void setDoubleClickSpeed(std::uint8_t value) { m_bytes[kDoubleClickSpeed] = value; }

    // 1 to 10.
    std::uint8_t angleSnapLevel() const { return m_bytes[kAngleSnapLevel]; }
    void setAngleSnapLevel(std::uint8_t value) { m_bytes[kAngleSnapLevel] = value; }
    // 1 to 11.
    std::uint8_t xSensitivity() const { return m_bytes[kXSensitivity]; }
    void setXSensitivity(std::uint8_t value) { m_bytes[kXSensitivity] = value; }
    std::uint8_t ySensitivity() const { return m_bytes[kYSensitivity]; }
    void setYSensitivity(std::uint8_t value) { m_bytes[kYSensitivity] = value; }

    // "Button 1" to "Button 8" are index 0 to 7. Setting a button's parameters writes
    // every parameter byte, those of other kinds included.
    ButtonParameters button(std::size_t index) const;
    void setButton(std::size_t index, const ButtonParameters& parameters);
    std::uint8_t buttonKind(std::size_t index) const;
    void setButtonKind(std::size_t index, std::uint8_t kind);

    // Macro slot 1 to 12 is index 0 to 11.
    DeviceImage macroImage(std::size_t index) const;
    void setMacroImage(std::size_t index, const DeviceImage& image);

    friend bool operator==(const SettingsRecord&, const SettingsRecord&) = default;

private:
    // Where each field lives; a per-button array holds button i at its offset + i.
    static constexpr std::size_t kProfile = 0x000;
    static constexpr std::size_t kReportInterval = 0x005;
    static constexpr std::size_t kDpiStages = 0x007;
    static constexpr std::size_t kStageColours = 0x017; // 3 bytes each: red, blue, green
    static constexpr std::size_t kLightingMode = 0x02F;
    static constexpr std::size_t kLightingLevels = 0x030;
    static constexpr std::size_t kEnhancePointerPrecision = 0x033;
    static constexpr std::size_t kScrollMode = 0x034;
    static constexpr std::size_t kPointerSpeed = 0x035;
    static constexpr std::size_t kWheelScrollLines = 0x036;
    static constexpr std::size_t kDoubleClickSpeed = 0x037;
    static constexpr std::size_t kAngleSnapLevel = 0x038;
    static constexpr std::size_t kXSensitivity = 0x03A;
    static constexpr std::size_t kYSensitivity = 0x03B;
    static constexpr std::size_t kButtonKinds = 0x03C;
    static constexpr std::size_t kScrollChoices = 0x044;
    static constexpr std::size_t kDpiChoices = 0x04C;
    static constexpr std::size_t kMultimediaUsages = 0x05C;
    static constexpr std::size_t kWindowsChoices = 0x064;
    static constexpr std::size_t kHotKeyUsages = 0x084;
    static constexpr std::size_t kSingleKeyUsages = 0x08C;
    static constexpr std::size_t kComboModifiers = 0x094;
    static constexpr std::size_t kComboFirstKeys = 0x09C;
    static constexpr std::size_t kComboSecondKeys = 0x0A4;
    static constexpr std::size_t kMacroPositions = 0x0CC;
    static constexpr std::size_t kMacroRepeatModes = 0x0D4;
    static constexpr std::size_t kMacroImages = 0x0DC;
    static_assert(kMacroImages == kSettingsSize);
    static_assert(kMacroImages + kMacroSlotCount * kImageSize == kSize);

    std::uint8_t& buttonByte(std::size_t base, std::size_t index);
    std::uint8_t buttonByte(std::size_t base, std::size_t index) const;

    Bytes m_bytes{};
};

} // namespace volantra
