#include "model/button_function.h"

#include "device/device_images.h"
#include "model/function_submenus.h"

namespace volantra {
namespace {

// Left Control, sent as the first key of a hot key.
constexpr std::uint8_t kLeftControlUsage = 0xE0;

constexpr ButtonFunctionCode code(CodeFamily family, std::uint8_t b1, std::uint8_t b2,
                                  std::uint8_t b3)
{
    return {{static_cast<std::uint8_t>(family), b1, b2, b3}};
}

constexpr ButtonFunctionCode mouseButton(MouseButtonCode button)
{
    return code(CodeFamily::MouseButton, 0, static_cast<std::uint8_t>(button), 0);
}

constexpr ButtonFunctionCode kNoFunction{};

ButtonFunctionCode encodeScrollChoice(std::uint8_t choice)
{
    switch (choice) {
    case 1:
        return mouseButton(MouseButtonCode::Middle);
    case 2:
        return mouseButton(MouseButtonCode::WheelUp);
    case 3:
        return mouseButton(MouseButtonCode::WheelDown);
    default:
        return kNoFunction;
    }
}

ButtonFunctionCode encodeDpiChoice(std::uint8_t choice)
{
    // A DPI action the mouse does not define would reach it as an unknown command.
    if (choice < kDpiChoices.front().value || choice > kDpiChoices.back().value)
        return kNoFunction;
    return code(CodeFamily::DpiAction, 0, choice, 0);
}

ButtonFunctionCode encodeMultimedia(std::uint8_t usage)
{
    return code(CodeFamily::Consumer, 0, usage, usage == kMediaPlayerUsage ? 0x01 : 0x00);
}

ButtonFunctionCode encodeWindowsChoice(std::uint8_t choice)
{
    if (choice >= kWindowsChoices.size())
        return kNoFunction;
    return kWindowsChoices[choice].code;
}

ButtonFunctionCode encodeMacro(std::uint8_t position, std::uint8_t repeatMode)
{
    // The mouse numbers its macro slots from 1. A position or repeat mode no dialog can
    // produce (only a loaded file holds one) is passed on as it stands, modulo 256.
    return code(CodeFamily::Macro, repeatMode, static_cast<std::uint8_t>(position + 1), 0);
}

} // namespace

std::optional<ButtonFunctionKind> buttonFunctionKindFromByte(std::uint8_t value)
{
    if (value >= kButtonFunctionKindCount)
        return std::nullopt;
    return static_cast<ButtonFunctionKind>(value);
}

ButtonFunctionCode encodeButtonFunction(const ButtonParameters& button)
{
    const std::optional<ButtonFunctionKind> kind = buttonFunctionKindFromByte(button.kind);
    if (!kind)
        return kNoFunction;

    switch (*kind) {
    case ButtonFunctionKind::Click:
        return mouseButton(MouseButtonCode::Left);
    case ButtonFunctionKind::Menu:
        return mouseButton(MouseButtonCode::Right);
    case ButtonFunctionKind::ScrollSelect:
        return encodeScrollChoice(button.scrollChoice);
    case ButtonFunctionKind::IeForward:
        return mouseButton(MouseButtonCode::Forward);
    case ButtonFunctionKind::IeBackward:
        return mouseButton(MouseButtonCode::Back);
    case ButtonFunctionKind::DoubleClick:
        // The mouse's own repeated-click command; its bytes are fixed.
        return code(CodeFamily::RepeatedClick, 0xF0, 0x1E, 0x02);
    case ButtonFunctionKind::DpiCycle:
        return encodeDpiChoice(button.dpiChoice);
    case ButtonFunctionKind::Multimedia:
        return encodeMultimedia(button.multimediaUsage);
    case ButtonFunctionKind::HotKey:
        return code(CodeFamily::Keyboard, 0, kLeftControlUsage, button.hotKeyUsage);
    case ButtonFunctionKind::Windows:
        return encodeWindowsChoice(button.windowsChoice);
    case ButtonFunctionKind::SingleKey:
        return code(CodeFamily::Keyboard, 0, button.singleKeyUsage, 0);
    case ButtonFunctionKind::ComboKey:
        return code(CodeFamily::Keyboard, button.comboModifiers, button.comboFirstKey,
                    button.comboSecondKey);
    case ButtonFunctionKind::MacroKey:
        return encodeMacro(button.macroPosition, button.macroRepeatMode);
    case ButtonFunctionKind::ButtonOff:
        break;
    }
    return kNoFunction;
}

} // namespace volantra
