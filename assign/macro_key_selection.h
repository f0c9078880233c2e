#pragma once

#include "assign/capture_dialog_texts.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace volantra {

// What the macro-key dialog returns on OK.
struct MacroKeyChoice
{
    std::uint8_t position = 0; // in the macro file; the mouse plays the macro of slot position + 1
    std::uint8_t repeatMode = 0;
    std::string name;

    friend bool operator==(const MacroKeyChoice&, const MacroKeyChoice&) = default;
};

// The macro-key dialog's state: the macro chosen from the list and the repeat mode.
//
// The list offers the first twelve macros of the file only: the mouse has twelve macro
// slots, filled in file order, so a later macro would give a slot it never receives.
class MacroKeySelection
{
public:
    static constexpr std::size_t kOfferedMacros = 12;

    // `macroNames`: the names of the macro file as the dialog opens, in file order.
    explicit MacroKeySelection(std::vector<std::string> macroNames = {});

    // A click on the macro box opens the list with the names the file holds now, in
    // file order (the file may have changed since the dialog opened); a second click,
    // or a click elsewhere, closes it.
    void openList(std::vector<std::string> macroNames);
    void closeList() { m_listOpen = false; }
    bool listOpen() const { return m_listOpen; }
    const std::vector<std::string>& listedNames() const { return m_listed; }

    // Row `row` of the open list was clicked: that macro is chosen and the list closes.
    // A row the list does not have changes nothing.
    void chooseMacro(std::size_t row);
    // Modes 0 to 2; any other changes nothing.
    void chooseRepeatMode(std::uint8_t mode);

    std::uint8_t repeatMode() const { return m_repeatMode; }
    // Empty until a macro is chosen.
    std::string_view macroName() const;
    CapturePrompt prompt() const;

    // OK is taken once a macro is chosen; before that nothing, and the dialog stays open.
    std::optional<MacroKeyChoice> ok() const;

private:
    void list(std::vector<std::string> macroNames);

    std::vector<std::string> m_listed;
    bool m_listOpen = false;
    std::optional<std::size_t> m_position;
    std::string m_name;
    std::uint8_t m_repeatMode = 0;
};

} // namespace volantra
