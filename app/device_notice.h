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

// What a notice tells of: something the mouse did (from its event reports), or the mouse
// coming and going, which the program finds out itself.
enum class NoticeKind { DpiStageChosen, MacroKeyPressed, MouseDetected, MouseNotDetected };

struct NoticeCause
{
    NoticeKind kind = NoticeKind::MouseDetected;
    std::uint8_t value = 0; // the stage chosen or the macro key pressed

    friend bool operator==(const NoticeCause&, const NoticeCause&) = default;
};

// What a device event tells of, or nothing for the codes the program does not show.
std::optional<NoticeCause> noticeCauseOf(DeviceEvent event);

// True for a chosen DPI stage whose notice needs the mouse's configuration image: the
// caller reads it (DeviceCommands::readStageConfig) before asking for the notice.
bool needsStageRead(NoticeCause cause);

// The notice in the language, or nothing for a stage or macro key that shows none.
// `stageConfig` is the configuration image read for a chosen DPI stage, or nothing when the
// read failed; the stage's DPI is added only when the image holds a DPI the mouse can have
// (stages 5 and 6 keep bytes no stage is set to).
std::optional<DeviceNotice>
deviceNotice(NoticeCause cause, const std::optional<DeviceImage>& stageConfig, Language language);

} // namespace volantra
