#pragma once

#include "assign/combo_key_capture.h"
#include "assign/macro_key_selection.h"
#include "assign/single_key_capture.h"
#include "common/language.h"
#include "model/button_function.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace volantra {

// What a button holds after a choice in its menus: the kind with its parameter bytes,
// and the label its box shows (and the profile keeps). Only the bytes of the chosen kind
// change; those of other kinds stay as they were.
struct ButtonAssignment
{
    ButtonParameters parameters;
    std::string label;

    friend bool operator==(const ButtonAssignment&, const ButtonAssignment&) = default;
};

// `entryText` is the text of the chosen entry as the menu shows it, in the user's
// language; it starts the label.

// An entry of the function list that assigns at once ("Click", "Menu", "IE Forward",
// "IE Backward", "Double Click", "Button Off"); nothing for the entries that open a
// submenu or a dialog, and for rows the list does not have.
std::optional<ButtonAssignment> assignFunction(const ButtonParameters& current, std::size_t entry,
                                               std::string_view entryText);

// Entry `index` of the submenu of `owner` ("Scroll Select", "CPI Cycle", "Multimedia",
// "HotKey", "Windows"): the owner's kind and the entry's byte; the label is the entry's
// text alone. Nothing for another owner or a row the submenu does not have.
std::optional<ButtonAssignment> assignSubmenuEntry(const ButtonParameters& current,
                                                   ButtonFunctionKind owner, std::size_t index,
                                                   std::string_view entryText);

// The choices of the three dialogs, as their OK returns them. Labels: "Single Key-A",
// "Combo Key-Left Ctrl+A" (the parts that have a code, joined by "+"), "Macro Key-Macro_1".
ButtonAssignment assignSingleKey(const ButtonParameters& current, std::string_view entryText,
                                 const SingleKeyChoice& choice);
ButtonAssignment assignComboKey(const ButtonParameters& current, std::string_view entryText,
                                const ComboKeyChoice& choice);
ButtonAssignment assignMacroKey(const ButtonParameters& current, std::string_view entryText,
                                const MacroKeyChoice& choice);

// One entry of a submenu: its text, either a key of the language tables ("Scroll
// Select") or the text to show as it stands.
struct SubmenuEntry
{
    std::string_view text;
    bool isLanguageKey = false;
};

// The entries of the submenu of `owner` in menu order; empty for any other kind.
std::vector<SubmenuEntry> submenuEntries(ButtonFunctionKind owner, Language language);

} // namespace volantra
