#include "assign/key_table.h"
#include "assign/pc_keyboard.h"
#include "assign/qt/qt_key_names.h"

#include <QKeyEvent>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace volantra {
namespace {

std::optional<std::string_view> nameOf(int key, quint32 scanCode,
                                       Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                                       quint32 nativeVirtualKey = 0)
{
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, scanCode, nativeVirtualKey, 0);
    return QtKeyNames::name(event);
}

TEST(QtKeyNames, TheScanCodeNamesEveryKeyWhateverQtMakesOfIt)
{
    // Qt's key is what the layout, Shift or Num Lock made of the key; the name must not
    // depend on it.
    for (const test::EvdevKey& key : test::kNamedKeys) {
        EXPECT_EQ(nameOf(Qt::Key_unknown, key.code + 8), key.name) << key.code;
        EXPECT_EQ(nameOf(Qt::Key_Z, key.code + 8, Qt::ShiftModifier), key.name) << key.code;
    }
    // A French layout puts Q where A is: the mouse still gets the usage of that place.
    EXPECT_EQ(nameOf(Qt::Key_Q, 30 + 8), "A");
    // Num Lock off: the keypad's 1 is End to Qt, still "Num 1" by place.
    EXPECT_EQ(nameOf(Qt::Key_End, 79 + 8, Qt::KeypadModifier), "Num 1");
}

TEST(QtKeyNames, AScanCodeWithoutANameIsNotGuessedFromQtsKey)
{
    EXPECT_EQ(nameOf(Qt::Key_F13, 183 + 8), std::nullopt);
    EXPECT_EQ(nameOf(Qt::Key_Less, 86 + 8), std::nullopt) << "ISO key left of Z";
    EXPECT_EQ(nameOf(Qt::Key_VolumeUp, 115 + 8), std::nullopt);
    EXPECT_EQ(nameOf(Qt::Key_NumberSign, 43 + 8), "\\") << "ISO # shares the code of \\";
}

struct FallbackCase
{
    int key;
    Qt::KeyboardModifiers modifiers;
    quint32 nativeVirtualKey;
    const char* name;
};

// Events without a scan code, as programs make them. X key symbols tell left from right.
const FallbackCase kFallbackCases[] = {
    {Qt::Key_Control, {}, 0xFFE3, "Ctrl"},
    {Qt::Key_Control, {}, 0, "Ctrl"},
    {Qt::Key_Control, {}, 0xFFE4, "Right Ctrl"},
    {Qt::Key_Shift, {}, 0xFFE1, "Shift"},
    {Qt::Key_Shift, {}, 0xFFE2, "Right Shift"},
    {Qt::Key_Alt, {}, 0xFFE9, "Alt"},
    {Qt::Key_Alt, {}, 0xFFEA, "Right Alt"},
    {Qt::Key_AltGr, {}, 0, "Right Alt"},
    {Qt::Key_Meta, {}, 0xFFEB, "Left Windows"},
    {Qt::Key_Super_L, {}, 0, "Left Windows"},
    {Qt::Key_Super_R, {}, 0, "Right Windows"},
    {Qt::Key_Meta, {}, 0xFFEC, "Right Windows"},
    {Qt::Key_0, Qt::KeypadModifier, 0, "Num 0"},
    {Qt::Key_1, Qt::KeypadModifier, 0, "Num 1"},
    {Qt::Key_2, Qt::KeypadModifier, 0, "Num 2"},
    {Qt::Key_3, Qt::KeypadModifier, 0, "Num 3"},
    {Qt::Key_4, Qt::KeypadModifier, 0, "Num 4"},
    {Qt::Key_5, Qt::KeypadModifier, 0, "Num 5"},
    {Qt::Key_6, Qt::KeypadModifier, 0, "Num 6"},
    {Qt::Key_7, Qt::KeypadModifier, 0, "Num 7"},
    {Qt::Key_8, Qt::KeypadModifier, 0, "Num 8"},
    {Qt::Key_9, Qt::KeypadModifier, 0, "Num 9"},
    {Qt::Key_Insert, Qt::KeypadModifier, 0, "Num 0"},
    {Qt::Key_Clear, Qt::KeypadModifier, 0, "Num 5"},
    {Qt::Key_PageUp, Qt::KeypadModifier, 0, "Num 9"},
    {Qt::Key_Period, Qt::KeypadModifier, 0, "Num Del"},
    {Qt::Key_Delete, Qt::KeypadModifier, 0, "Num Del"},
    {Qt::Key_Slash, Qt::KeypadModifier, 0, "Num /"},
    {Qt::Key_Asterisk, Qt::KeypadModifier, 0, "Num *"},
    {Qt::Key_Minus, Qt::KeypadModifier, 0, "Num -"},
    {Qt::Key_Plus, Qt::KeypadModifier, 0, "Num +"},
    {Qt::Key_Enter, Qt::KeypadModifier, 0, "Num Enter"},
    {Qt::Key_Enter, {}, 0, "Num Enter"},
    {Qt::Key_NumLock, {}, 0, "Num Lock"},
    {Qt::Key_Return, {}, 0, "Enter"},
    {Qt::Key_Escape, {}, 0, "Esc"},
    {Qt::Key_Backspace, {}, 0, "Backspace"},
    {Qt::Key_Tab, {}, 0, "Tab"},
    {Qt::Key_Backtab, Qt::ShiftModifier, 0, "Tab"},
    {Qt::Key_Space, {}, 0, "Space"},
    {Qt::Key_CapsLock, {}, 0, "Caps Lock"},
    {Qt::Key_F1, {}, 0, "F1"},
    {Qt::Key_F2, {}, 0, "F2"},
    {Qt::Key_F3, {}, 0, "F3"},
    {Qt::Key_F4, {}, 0, "F4"},
    {Qt::Key_F5, {}, 0, "F5"},
    {Qt::Key_F6, {}, 0, "F6"},
    {Qt::Key_F7, {}, 0, "F7"},
    {Qt::Key_F8, {}, 0, "F8"},
    {Qt::Key_F9, {}, 0, "F9"},
    {Qt::Key_F10, {}, 0, "F10"},
    {Qt::Key_F11, {}, 0, "F11"},
    {Qt::Key_F12, {}, 0, "F12"},
    {Qt::Key_Print, {}, 0, "Prnt Scrn"},
    {Qt::Key_SysReq, Qt::AltModifier, 0, "Prnt Scrn"},
    {Qt::Key_ScrollLock, {}, 0, "Scroll Lock"},
    {Qt::Key_Pause, {}, 0, "Pause"},
    {Qt::Key_Insert, {}, 0, "Insert"},
    {Qt::Key_Home, {}, 0, "Home"},
    {Qt::Key_PageUp, {}, 0, "Page Up"},
    {Qt::Key_Delete, {}, 0, "Delete"},
    {Qt::Key_End, {}, 0, "End"},
    {Qt::Key_PageDown, {}, 0, "Page Down"},
    {Qt::Key_Right, {}, 0, "Right"},
    {Qt::Key_Left, {}, 0, "Left"},
    {Qt::Key_Down, {}, 0, "Down"},
    {Qt::Key_Up, {}, 0, "Up"},
    {Qt::Key_Menu, {}, 0, "Application"},
    {Qt::Key_1, {}, 0, "1"},
    {Qt::Key_2, {}, 0, "2"},
    {Qt::Key_3, {}, 0, "3"},
    {Qt::Key_4, {}, 0, "4"},
    {Qt::Key_5, {}, 0, "5"},
    {Qt::Key_6, {}, 0, "6"},
    {Qt::Key_7, {}, 0, "7"},
    {Qt::Key_8, {}, 0, "8"},
    {Qt::Key_9, {}, 0, "9"},
    {Qt::Key_0, {}, 0, "0"},
    {Qt::Key_Minus, {}, 0, "-"},
    {Qt::Key_Equal, {}, 0, "="},
    {Qt::Key_BracketLeft, {}, 0, "["},
    {Qt::Key_BracketRight, {}, 0, "]"},
    {Qt::Key_Backslash, {}, 0, "\\"},
    {Qt::Key_Semicolon, {}, 0, ";"},
    {Qt::Key_Apostrophe, {}, 0, "'"},
    {Qt::Key_QuoteLeft, {}, 0, "`"},
    {Qt::Key_Comma, {}, 0, ","},
    {Qt::Key_Period, {}, 0, "."},
    {Qt::Key_Slash, {}, 0, "/"},
    {Qt::Key_Exclam, Qt::ShiftModifier, 0, "1"},
    {Qt::Key_ParenRight, Qt::ShiftModifier, 0, "0"},
    {Qt::Key_Underscore, Qt::ShiftModifier, 0, "-"},
    {Qt::Key_Bar, Qt::ShiftModifier, 0, "\\"},
    {Qt::Key_Question, Qt::ShiftModifier, 0, "/"},
    {Qt::Key_AsciiTilde, Qt::ShiftModifier, 0, "`"},
};

TEST(QtKeyNames, WithoutAScanCodeQtsKeyNamesTheKey)
{
    std::set<std::string> produced;
    for (const FallbackCase& c : kFallbackCases) {
        const auto name = nameOf(c.key, 0, c.modifiers, c.nativeVirtualKey);
        EXPECT_EQ(name, c.name) << std::hex << c.key;
        produced.insert(c.name);
    }
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string name(1, letter);
        EXPECT_EQ(nameOf(Qt::Key_A + (letter - 'A'), 0), name);
        EXPECT_EQ(nameOf(Qt::Key_A + (letter - 'A'), 0, Qt::ShiftModifier), name);
        produced.insert(name);
    }
    // The fallback reaches every key the scan codes reach.
    for (const test::EvdevKey& key : test::kNamedKeys)
        EXPECT_EQ(produced.count(key.name), 1u) << key.name;
}

TEST(QtKeyNames, KeysTheMouseCannotSendHaveNoFallbackName)
{
    for (int key :
         {int(Qt::Key_F13), int(Qt::Key_F24), int(Qt::Key_VolumeUp), int(Qt::Key_MediaPlay),
          int(Qt::Key_Henkan), int(Qt::Key_Hangul), int(Qt::Key_unknown), int(Qt::Key_Eacute)}) {
        EXPECT_EQ(nameOf(key, 0), std::nullopt) << std::hex << key;
    }
}

} // namespace
} // namespace volantra
