#pragma once

#include "device/device_images.h"
#include "model/settings_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace volantra {

// The mouse's 128-byte configuration image: where the host writes into it. Bytes not
// named here keep the template's value; the mouse gives them meanings the host never uses.
struct ConfigBlockLayout
{
    static constexpr std::size_t kConstantA = 2;  // always 1
    static constexpr std::size_t kConstantB = 50; // always 0x42
    static constexpr std::size_t kAngleSnap = 51;
    static constexpr std::size_t kConstantC = 64; // always 0x0F
    static constexpr std::size_t kConstantD = 70; // always 4
    static constexpr std::size_t kLightingMode = 71;
    static constexpr std::size_t kLightingParameter = 72;
    static constexpr std::size_t kLightingSubParameter = 73;
    static constexpr std::size_t kXSensitivity = 74;
    static constexpr std::size_t kYSensitivity = 75;
    static constexpr std::size_t kDpiX = 84;          // stages 1 to 6, stages 5 and 6 never written
    static constexpr std::size_t kDpiY = 92;          // stages 1 to 4
    static constexpr std::size_t kConstantE = 100;    // always 0x0F
    static constexpr std::size_t kStageColours = 104; // stages 1 to 4; zeros up to the end
    static constexpr std::size_t kReadableDpiStages = 6;
};

// What the mouse expects in every configuration image before the host's values go in.
inline constexpr DeviceImage kConfigBlockTemplate{
    0x88, 0x08, 0x3F, 0x00, 0x33, 0xAA, 0xFE, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x01, 0x02, 0x04, 0x08, 0x0C, 0x0E, 0x0F, 0x01, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00,
    0xFF, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xA0, 0xA0, 0xA0, 0xFF, 0xFF, 0xFF,
    0x2E, 0x10, 0x42, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x0F, 0x04, 0x0A, 0x0A, 0x19, 0x19, 0x04, 0x03, 0x18, 0x03, 0x64, 0x64, 0x01, 0xC0, 0xF0, 0x03,
    0x01, 0x01, 0x64, 0x00, 0x08, 0x10, 0x14, 0x28, 0xD0, 0x00, 0x00, 0x00, 0x08, 0x10, 0x14, 0x28,
    0xD0, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00, 0x61, 0x00,
    0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xA5, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
};

// The mouse's angle-snap codes for levels 1 to 10.
inline constexpr std::array<std::uint8_t, 10> kAngleSnapCodes{0x00, 0x82, 0x84, 0x85, 0x86,
                                                              0x87, 0x89, 0x8B, 0x8D, 0x8F};

// The configuration image for the record's settings. Levels outside their ranges follow
// the mouse's byte arithmetic (modulo 256); an angle-snap level outside 1 to 10 and a
// lighting mode above 3 leave the template's bytes.
DeviceImage buildConfigBlock(const SettingsRecord& record);

// The DPI of stage 1 to 6 in a configuration image read from the mouse, for the notice of
// a stage chosen on the mouse; nothing for a stage number the mouse should not report.
std::optional<unsigned> stageDpiForNotice(const DeviceImage& config, int stageNumber);

} // namespace volantra
