#pragma once

#include "assign/capture_dialog_texts.h"
#include "assign/captured_key_event.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace volantra {

// What the combination dialog returns on OK; a part left out is an empty name and 0.
struct ComboKeyChoice
{
    std::string modifierName;
    std::string firstKeyName;
    std::string secondKeyName;
    std::uint8_t modifierMask = 0;
    std::uint8_t firstKeyUsage = 0;
    std::uint8_t secondKeyUsage = 0;

    friend bool operator==(const ComboKeyChoice&, const ComboKeyChoice&) = default;
};

// The two key fields of the combination dialog.
enum class ComboKeyField { First, Second };

// The combination dialog's state: one optional modifier from the list of eight
// (modifierNameTable()) and up to two keys, each caught into the field that has the
// keyboard focus. While the modifier list is open the key fields are off and keys caught
// change nothing.
class ComboKeyCapture
{
public:
    // `focused` is the key field with the keyboard focus, nothing when neither has it.
    void keyEvent(std::optional<ComboKeyField> focused, const CapturedKeyEvent& event);

    // A click on the modifier box opens the list, a second one closes it.
    void toggleModifierList() { m_listOpen = !m_listOpen; }
    // A click anywhere else in the dialog closes it.
    void closeModifierList() { m_listOpen = false; }
    bool modifierListOpen() const { return m_listOpen; }
    bool keyFieldsEnabled() const { return !m_listOpen; }
    // Row `index` of the modifier list was clicked: it becomes the modifier and the list
    // closes. A row the list does not have changes nothing.
    void chooseModifier(std::size_t index);

    std::string_view modifierName() const { return m_modifier; }
    // Empty before the field caught a key and for a key without a name.
    std::string_view shownName(ComboKeyField field) const;
    CapturePrompt prompt() const;

    // OK is taken when the combination holds at least one part and every key caught has
    // a code the mouse can send; otherwise nothing, and the prompt says why.
    std::optional<ComboKeyChoice> ok();

private:
    const std::optional<std::string>& caught(ComboKeyField field) const
    {
        return m_keys[static_cast<std::size_t>(field)];
    }
    bool holdsUnassignableKey() const;
    bool isEmpty() const;

    std::string m_modifier;
    std::array<std::optional<std::string>, 2> m_keys; // "" for a key without a name
    bool m_listOpen = false;
    bool m_refusedEmpty = false;
};

} // namespace volantra
