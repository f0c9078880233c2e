#include "assign/qt/qt_key_names.h"

#include "assign/key_names.h"

#include <QKeyEvent>
#include <array>
#include <span>
#include <utility>

namespace volantra {
namespace {

// X key symbols of the right-hand modifiers (X11/keysymdef.h), which Qt gives as the
// native virtual key on X11 and Wayland.
constexpr quint32 kControlRight = 0xFFE4;
constexpr quint32 kShiftRight = 0xFFE2;
constexpr quint32 kMetaRight = 0xFFE8;
constexpr quint32 kAltRight = 0xFFEA;
constexpr quint32 kSuperRight = 0xFFEC;

using KeyRow = std::pair<int, std::string_view>;

std::optional<std::string_view> find(std::span<const KeyRow> rows, int key)
{
    for (const auto& [rowKey, name] : rows) {
        if (rowKey == key)
            return name;
    }
    return std::nullopt;
}

// The keypad with Num Lock on and off.
constexpr std::array<KeyRow, 28> kKeypad{{
    {Qt::Key_0, "Num 0"},         {Qt::Key_1, "Num 1"},        {Qt::Key_2, "Num 2"},
    {Qt::Key_3, "Num 3"},         {Qt::Key_4, "Num 4"},        {Qt::Key_5, "Num 5"},
    {Qt::Key_6, "Num 6"},         {Qt::Key_7, "Num 7"},        {Qt::Key_8, "Num 8"},
    {Qt::Key_9, "Num 9"},         {Qt::Key_Insert, "Num 0"},   {Qt::Key_End, "Num 1"},
    {Qt::Key_Down, "Num 2"},      {Qt::Key_PageDown, "Num 3"}, {Qt::Key_Left, "Num 4"},
    {Qt::Key_Clear, "Num 5"},     {Qt::Key_Right, "Num 6"},    {Qt::Key_Home, "Num 7"},
    {Qt::Key_Up, "Num 8"},        {Qt::Key_PageUp, "Num 9"},   {Qt::Key_Period, "Num Del"},
    {Qt::Key_Comma, "Num Del"},   {Qt::Key_Delete, "Num Del"}, {Qt::Key_Slash, "Num /"},
    {Qt::Key_Asterisk, "Num *"},  {Qt::Key_Minus, "Num -"},    {Qt::Key_Plus, "Num +"},
    {Qt::Key_Enter, "Num Enter"},
}};

// Keys whose Qt key is the same in every layout.
constexpr std::array<KeyRow, 36> kFixedKeys{{
    {Qt::Key_Return, "Enter"},
    {Qt::Key_Enter, "Num Enter"},
    {Qt::Key_Escape, "Esc"},
    {Qt::Key_Backspace, "Backspace"},
    {Qt::Key_Tab, "Tab"},
    {Qt::Key_Backtab, "Tab"},
    {Qt::Key_Space, "Space"},
    {Qt::Key_CapsLock, "Caps Lock"},
    {Qt::Key_F1, "F1"},
    {Qt::Key_F2, "F2"},
    {Qt::Key_F3, "F3"},
    {Qt::Key_F4, "F4"},
    {Qt::Key_F5, "F5"},
    {Qt::Key_F6, "F6"},
    {Qt::Key_F7, "F7"},
    {Qt::Key_F8, "F8"},
    {Qt::Key_F9, "F9"},
    {Qt::Key_F10, "F10"},
    {Qt::Key_F11, "F11"},
    {Qt::Key_F12, "F12"},
    {Qt::Key_Print, "Prnt Scrn"},
    {Qt::Key_SysReq, "Prnt Scrn"},
    {Qt::Key_ScrollLock, "Scroll Lock"},
    {Qt::Key_Pause, "Pause"},
    {Qt::Key_Insert, "Insert"},
    {Qt::Key_Home, "Home"},
    {Qt::Key_PageUp, "Page Up"},
    {Qt::Key_Delete, "Delete"},
    {Qt::Key_End, "End"},
    {Qt::Key_PageDown, "Page Down"},
    {Qt::Key_Right, "Right"},
    {Qt::Key_Left, "Left"},
    {Qt::Key_Down, "Down"},
    {Qt::Key_Up, "Up"},
    {Qt::Key_NumLock, "Num Lock"},
    {Qt::Key_Menu, "Application"},
}};

// Digits and punctuation of a US keyboard, with and without Shift.
constexpr std::array<KeyRow, 42> kUsSymbols{{
    {Qt::Key_1, "1"},           {Qt::Key_2, "2"},
    {Qt::Key_3, "3"},           {Qt::Key_4, "4"},
    {Qt::Key_5, "5"},           {Qt::Key_6, "6"},
    {Qt::Key_7, "7"},           {Qt::Key_8, "8"},
    {Qt::Key_9, "9"},           {Qt::Key_0, "0"},
    {Qt::Key_Minus, "-"},       {Qt::Key_Equal, "="},
    {Qt::Key_BracketLeft, "["}, {Qt::Key_BracketRight, "]"},
    {Qt::Key_Backslash, "\\"},  {Qt::Key_Semicolon, ";"},
    {Qt::Key_Apostrophe, "'"},  {Qt::Key_QuoteLeft, "`"},
    {Qt::Key_Comma, ","},       {Qt::Key_Period, "."},
    {Qt::Key_Slash, "/"},       {Qt::Key_Exclam, "1"},
    {Qt::Key_At, "2"},          {Qt::Key_NumberSign, "3"},
    {Qt::Key_Dollar, "4"},      {Qt::Key_Percent, "5"},
    {Qt::Key_AsciiCircum, "6"}, {Qt::Key_Ampersand, "7"},
    {Qt::Key_Asterisk, "8"},    {Qt::Key_ParenLeft, "9"},
    {Qt::Key_ParenRight, "0"},  {Qt::Key_Underscore, "-"},
    {Qt::Key_Plus, "="},        {Qt::Key_BraceLeft, "["},
    {Qt::Key_BraceRight, "]"},  {Qt::Key_Bar, "\\"},
    {Qt::Key_Colon, ";"},       {Qt::Key_QuoteDbl, "'"},
    {Qt::Key_AsciiTilde, "`"},  {Qt::Key_Less, ","},
    {Qt::Key_Greater, "."},     {Qt::Key_Question, "/"},
}};

constexpr std::string_view kLetters[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                         "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                         "S", "T", "U", "V", "W", "X", "Y", "Z"};

std::optional<std::string_view> modifierName(int key, quint32 nativeVirtualKey)
{
    switch (key) {
    case Qt::Key_Control:
        return nativeVirtualKey == kControlRight ? "Right Ctrl" : "Ctrl";
    case Qt::Key_Shift:
        return nativeVirtualKey == kShiftRight ? "Right Shift" : "Shift";
    case Qt::Key_Alt:
        return nativeVirtualKey == kAltRight ? "Right Alt" : "Alt";
    case Qt::Key_AltGr:
        return "Right Alt";
    case Qt::Key_Super_R:
        return "Right Windows";
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
        return nativeVirtualKey == kSuperRight || nativeVirtualKey == kMetaRight ? "Right Windows"
                                                                                 : "Left Windows";
    default:
        return std::nullopt;
    }
}

} // namespace

CapturedKeyEvent QtKeyNames::captured(const QKeyEvent& event)
{
    return CapturedKeyEvent{name(event), event.isAutoRepeat()};
}

std::optional<std::string_view> QtKeyNames::name(const QKeyEvent& event)
{
    const quint32 scanCode = event.nativeScanCode();
    if (scanCode > kScanCodeOffset)
        return evdevKeyName(scanCode - kScanCodeOffset);
    return fallbackName(event.key(), event.modifiers(), event.nativeVirtualKey());
}

std::optional<std::string_view> QtKeyNames::fallbackName(int key, Qt::KeyboardModifiers modifiers,
                                                         quint32 nativeVirtualKey)
{
    if (auto name = modifierName(key, nativeVirtualKey))
        return name;
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (auto name = find(kKeypad, key))
            return name;
    }
    if (auto name = find(kFixedKeys, key))
        return name;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return kLetters[key - Qt::Key_A];
    return find(kUsSymbols, key);
}

} // namespace volantra
