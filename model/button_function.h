#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace volantra {

// The functions a programmable button can carry; the value is what the profile stores.
enum class ButtonFunctionKind : std::uint8_t {
    Click = 0,
    Menu = 1,
    ScrollSelect = 2,
    IeForward = 3,
    IeBackward = 4,
    DoubleClick = 5,
    DpiCycle = 6,
    Multimedia = 7,
    HotKey = 8,
    Windows = 9,
    SingleKey = 10,
    ComboKey = 11,
    MacroKey = 12,
    ButtonOff = 13,
};

inline constexpr std::size_t kButtonFunctionKindCount = 14;

// The kind a stored byte names, or nothing for a byte no menu offers.
std::optional<ButtonFunctionKind> buttonFunctionKindFromByte(std::uint8_t value);

// Byte 0 of a code: how the mouse reads bytes 1 to 3.
enum class CodeFamily : std::uint8_t {
    Keyboard = 0x00,      // modifier bits, then two keyboard usages
    MouseButton = 0x01,   // byte 2 a MouseButtonCode
    Consumer = 0x03,      // bytes 2 and 3 a consumer-control usage, low byte first
    DpiAction = 0x07,     // byte 2: 1 DPI +, 2 DPI -, 3 DPI loop
    Macro = 0x09,         // byte 1 repeat mode, byte 2 macro slot
    RepeatedClick = 0x0A, // only the double click
};

// The mouse's own codes for its buttons and wheel, in the mouse-button family.
enum class MouseButtonCode : std::uint8_t {
    Left = 0xF0,
    Right = 0xF1,
    Middle = 0xF2,
    Back = 0xF3,
    Forward = 0xF4,
    WheelUp = 0xF7,
    WheelDown = 0xF8,
};

// The four bytes the button table holds for one button, byte 0 first.
struct ButtonFunctionCode
{
    std::array<std::uint8_t, 4> bytes{};

    friend bool operator==(const ButtonFunctionCode&, const ButtonFunctionCode&) = default;
};

// What a profile holds for one button: its kind and the parameter bytes of every kind.
// Values are raw bytes as loaded; only the bytes of the button's kind are used.
struct ButtonParameters
{
    std::uint8_t kind = 0;
    std::uint8_t scrollChoice = 0;    // ScrollSelect: 1 middle button, 2 wheel up, 3 wheel down
    std::uint8_t dpiChoice = 0;       // DpiCycle: 1 DPI +, 2 DPI -, 3 DPI loop
    std::uint8_t multimediaUsage = 0; // Multimedia: low byte of a consumer usage
    std::uint8_t windowsChoice = 0;   // Windows: 0 to 6
    std::uint8_t hotKeyUsage = 0;     // HotKey: keyboard usage of the letter pressed with Ctrl
    std::uint8_t singleKeyUsage = 0;  // SingleKey: keyboard usage
    std::uint8_t comboModifiers = 0;  // ComboKey: modifier bits
    std::uint8_t comboFirstKey = 0;   // ComboKey: keyboard usage
    std::uint8_t comboSecondKey = 0;  // ComboKey: keyboard usage
    std::uint8_t macroPosition = 0;   // MacroKey: 0-based position in the macro list
    std::uint8_t macroRepeatMode = 0; // MacroKey: 0, 1 or 2

    friend bool operator==(const ButtonParameters&, const ButtonParameters&) = default;
};

// The code the mouse gets for a button. Any kind or choice a menu could not have produced
// (possible only from a loaded profile) gives the all-zero code, "no function".
ButtonFunctionCode encodeButtonFunction(const ButtonParameters& button);

// How an entry of a button's function list is chosen.
enum class ChoiceStyle { Immediate, Submenu, Dialog };

// One entry of a button's function list; its position in the list is its kind. The
// English name is also the key of the entry's text in the language tables.
struct ButtonFunctionEntry
{
    ButtonFunctionKind kind;
    std::string_view englishName;
    ChoiceStyle style;
};

inline constexpr std::array<ButtonFunctionEntry, kButtonFunctionKindCount> kButtonFunctionCatalogue{
    {
        {ButtonFunctionKind::Click, "Click", ChoiceStyle::Immediate},
        {ButtonFunctionKind::Menu, "Menu", ChoiceStyle::Immediate},
        {ButtonFunctionKind::ScrollSelect, "Scroll Select", ChoiceStyle::Submenu},
        {ButtonFunctionKind::IeForward, "IE Forward", ChoiceStyle::Immediate},
        {ButtonFunctionKind::IeBackward, "IE Backward", ChoiceStyle::Immediate},
        {ButtonFunctionKind::DoubleClick, "Double Click", ChoiceStyle::Immediate},
        {ButtonFunctionKind::DpiCycle, "CPI Cycle", ChoiceStyle::Submenu},
        {ButtonFunctionKind::Multimedia, "Multimedia", ChoiceStyle::Submenu},
        {ButtonFunctionKind::HotKey, "HotKey", ChoiceStyle::Submenu},
        {ButtonFunctionKind::Windows, "Windows", ChoiceStyle::Submenu},
        {ButtonFunctionKind::SingleKey, "Single Key", ChoiceStyle::Dialog},
        {ButtonFunctionKind::ComboKey, "Combo Key", ChoiceStyle::Dialog},
        {ButtonFunctionKind::MacroKey, "Macro Key", ChoiceStyle::Dialog},
        {ButtonFunctionKind::ButtonOff, "Button Off", ChoiceStyle::Immediate},
    }};

} // namespace volantra
