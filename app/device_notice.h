#pragma once

#include "common/language.h"
#include "device/device_event.h"
#include "device/device_images.h"

#include <optional>
#include <string>

namespace volantra {

// What the tray shows for something the mouse did by itself, or for the mouse coming and
// going.
//
// Every one carries the information icon, "Warning" included, and its title is the literal
// "Info" or "Warning" in every language, as the mouse's users know them.
struct DeviceNotice
{
    // Long enough to read what the mouse did; the mouse coming and going only as briefly
    // as the desktop shows a notice at all.
    static constexpr int kEventMs = 5000;
    static constexpr int kPresenceMs = 100;

    std::string title;
    std::string text;
    int durationMs = kEventMs;

    friend bool operator==(const DeviceNotice&, const DeviceNotice&) = default;
};

// The event codes the program answers; the mouse sends more, which are ignored.
struct DeviceEventCode
{
    static constexpr std::uint8_t kFirstDpiStage = 1; // 1 to 3: a DPI stage chosen on the mouse
    static constexpr std::uint8_t kLastDpiStage = 3;
    static constexpr std::uint8_t kMacroKey = 9;
    // Raised by the program itself when the mouse arrives or cannot be found.
    static constexpr std::uint8_t kDetected = 14;
    static constexpr std::uint8_t kNotDetected = 15;
};

// True for a DPI-stage event the notice needs the mouse's configuration image for: the
// caller reads it (DeviceCommands::readStageConfig) before asking for the notice.
bool needsStageRead(DeviceEvent event);

// The notice for a device event in the language, or nothing for an event that shows none.
// `stageConfig` is the configuration image read for a DPI-stage event, or nothing when the
// read failed; the stage's DPI is added only when the image holds a DPI the mouse can have
// (stages 5 and 6 keep bytes no stage is set to).
std::optional<DeviceNotice>
deviceNotice(DeviceEvent event, const std::optional<DeviceImage>& stageConfig, Language language);

} // namespace volantra
