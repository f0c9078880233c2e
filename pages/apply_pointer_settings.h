#pragma once

#include "common/pointer_settings.h"

namespace volantra {

class SettingsRecord;

// The desktop values a profile asks for: the pointer speed dial d gives speed 1 for d = 1,
// else 2d - 2, at most 20; the double-click dial d gives 900 - 70 (d - 1) milliseconds;
// scroll mode 0 scrolls the stored lines, any other mode one screen. A dial outside 1 to 12
// and lines outside 1 to 100 count as the nearest end, as the sections show them; the
// record itself is never changed.
PointerValues pointerValuesFor(const SettingsRecord& record);

// Writes the profile's pointer settings to the desktop, after Apply and Reset.
PointerReport applyPointerSettings(const SettingsRecord& record, PointerSettings& desktop);

} // namespace volantra
