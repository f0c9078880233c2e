#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace volantra {

// One line of a macro's event list, as the editor shows it and record.ini stores it:
// "A   Dn" (press), "A   Up" (release) or "120 ms" (the pause after the event above).
enum class MacroItemKind { Press, Release, Delay, Other };

// The suffixes of the three line forms; the key suffixes begin with three spaces.
inline constexpr std::string_view kPressSuffix = "   Dn";
inline constexpr std::string_view kReleaseSuffix = "   Up";
inline constexpr std::string_view kDelaySuffix = " ms";

// The longest pause a delay line may hold: the mouse counts long pauses in 16 bits of
// 100 ms units.
inline constexpr std::int64_t kMaxMacroDelayMs = 6553500;

// Lines are classified by what they contain, press before release before delay, the way
// the editor and the encoder have always read them.
MacroItemKind classifyMacroItem(std::string_view text);

// The key or button name of a press or release line (every suffix of its kind removed);
// nothing for other lines.
std::optional<std::string> macroItemKeyName(std::string_view text);

std::string macroPressItem(std::string_view keyName);
std::string macroReleaseItem(std::string_view keyName);
// "120 ms"; a delay outside 0..kMaxMacroDelayMs is clamped into it.
std::string macroDelayItem(std::int64_t milliseconds);

// A delay line of the form "<number> ms" with its number clamped into 0..kMaxMacroDelayMs,
// as "6553500 ms" for a pause too long to play and "0 ms" for a negative one (older files
// hold both); any other line comes back as it is.
std::string clampedDelayItem(std::string_view text);

// The delay line for a pause typed into the editor: spaces are ignored, the text must be
// digits followed by "ms" ("12 34ms" is 1234 ms, "ms" alone 0 ms), and a pause above
// kMaxMacroDelayMs becomes that longest pause. Nothing for any other text.
std::optional<std::string> typedDelayItem(std::string_view typed);

// The platform's reading of a number at the start of a text: leading white space, an
// optional sign and the decimal digits that follow ("12px" is 12, "abc" is 0). Saturates
// instead of overflowing, so a absurdly long number stays absurdly large.
std::int64_t leadingInteger(std::string_view text);

// Every occurrence of `what` removed from `text`.
std::string withoutEvery(std::string_view text, std::string_view what);

} // namespace volantra
