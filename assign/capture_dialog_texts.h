#pragma once

#include "common/language.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace volantra {

// The three dialogs a button's function list opens.
enum class CaptureDialogKind { SingleKey, ComboKey, MacroKey };

// What a capture dialog's prompt line says.
enum class CapturePrompt {
    None,         // nothing to say (the combination dialog before a refused OK)
    EnterKey,     // no key caught yet
    CannotAssign, // the key caught has no code the mouse could send
    SelectMacro,  // no macro chosen yet
    NoMacros,     // the macro file holds no macro to choose
};

// The texts and font of one capture dialog in one language. Heights are the cell height
// of the font in pixels.
struct CaptureDialogLook
{
    std::string_view ok;
    std::string_view cancel;
    std::string_view fontFace;
    int fontHeight = 0;
};

CaptureDialogLook captureDialogLook(CaptureDialogKind dialog, Language language);

// The skin image a dialog takes its look and size from, and the caption of the message
// that says it is missing.
std::string_view captureDialogBackground(CaptureDialogKind dialog);
std::string_view missingBackgroundCaption(CaptureDialogKind dialog);

std::string_view capturePromptText(CapturePrompt prompt, Language language);

// Keys the desktop keeps for itself never reach a window; the key dialogs say so.
std::string_view desktopKeysNote(Language language);

// The macro dialog's three ways of playing a macro, in mode order.
inline constexpr std::size_t kRepeatModeCount = 3;
std::string_view repeatModeText(std::uint8_t mode, Language language);

} // namespace volantra
