#pragma once

#include "assign/capture_dialog_texts.h"
#include "assign/captured_key_event.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace volantra {

// What the single-key dialog returns on OK.
struct SingleKeyChoice
{
    std::string name;
    std::uint8_t usage = 0;

    friend bool operator==(const SingleKeyChoice&, const SingleKeyChoice&) = default;
};

// The single-key dialog's state: the key caught last.
//
// Presses and releases both name their key, so the choice is the key of the last event
// before OK: pressing Ctrl, then A, and letting go of both in that order gives "A";
// letting go of A before Ctrl gives "Ctrl".
class SingleKeyCapture
{
public:
    void keyEvent(const CapturedKeyEvent& event);

    bool hasCaughtKey() const { return m_caught.has_value(); }
    // Empty before the first key and for a key without a name.
    std::string_view shownName() const;
    CapturePrompt prompt() const;

    // OK is taken only for a key the mouse can send; otherwise nothing, and the dialog
    // stays open with its prompt.
    std::optional<SingleKeyChoice> ok() const;

private:
    std::optional<std::string> m_caught;
};

} // namespace volantra
