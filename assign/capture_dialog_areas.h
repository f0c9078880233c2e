#pragma once

#include "assign/capture_dialog_texts.h"
#include "common/rect.h"

#include <array>

// Where the capture dialogs' buttons, fields and lists stand on their backgrounds (dialog
// coordinates, right and bottom exclusive), as the default skin draws them.
namespace volantra::capture_dialog_areas {

// The close button, OK, Cancel and the note beside them, alike in the three dialogs.
constexpr Rect kClose{352, 6, 370, 24};
constexpr Rect kOk{250, 250, 308, 275};
constexpr Rect kCancel{314, 250, 372, 275};
constexpr Rect kNote{20, 250, 245, 276};

namespace single_key {
constexpr Rect kPrompt{34, 103, 180, 123};
constexpr Rect kName{74, 129, 150, 143};
// The top of the default skin's key cap, which shows the caught key.
constexpr Rect kKeyTile{240, 83, 322, 157};
} // namespace single_key

namespace combo_key {
constexpr Rect kModifierField{50, 70, 116, 84};
constexpr Rect kModifierBox{50, 70, 132, 84};
constexpr Rect kModifierList{50, 87, 132, 227};
constexpr Rect kFirstKey{50, 120, 131, 134};
constexpr Rect kSecondKey{50, 170, 131, 184};
constexpr Rect kPrompt{50, 196, 240, 212};
// The tops of the two key caps of the default skin: the modifier's, then the keys'.
constexpr Rect kModifierTile{186, 101, 246, 140};
constexpr Rect kKeyTile{296, 101, 338, 140};
} // namespace combo_key

namespace macro_key {
constexpr Rect kPrompt{12, 112, 181, 128};
constexpr Rect kMacroBox{42, 128, 151, 144};
constexpr Rect kNameField{42, 128, 136, 144};
constexpr Rect kMacroList{42, 146, 151, 286};
// The three repeat modes: their tick boxes and texts.
constexpr std::array<Rect, kRepeatModeCount> kTicks{
    {{220, 78, 236, 94}, {220, 128, 236, 144}, {220, 178, 236, 194}}};
constexpr std::array<Rect, kRepeatModeCount> kModeTexts{
    {{237, 70, 390, 102}, {237, 120, 390, 152}, {237, 170, 390, 202}}};
} // namespace macro_key

} // namespace volantra::capture_dialog_areas
