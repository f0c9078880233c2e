#include "pages/apply_pointer_settings.h"

#include "model/settings_record.h"
#include "pages/scroll_speed_rules.h"
#include "pages/speed_dial_rules.h"

#include <algorithm>

namespace volantra {
namespace {

// The double-click dial runs from 900 ms at its slow end down in steps of 70 ms.
constexpr int kSlowestDoubleClick = 900;
constexpr int kDoubleClickStep = 70;

} // namespace

PointerValues pointerValuesFor(const SettingsRecord& record)
{
    PointerValues values;
    values.enhancedPrecision = record.enhancePointerPrecision();

    // The fastest dial value asks for 22, beyond the fastest speed: it gives the fastest.
    const int speedDial = SpeedDialRules::shownValue(record.pointerSpeed());
    values.speed = speedDial == 1 ? 1 : std::min(2 * speedDial - 2, PointerValues::kFastest);

    values.scrollByScreen = ScrollSpeedRules::scrollsByScreen(record.scrollMode());
    values.scrollLines = ScrollSpeedRules::shownLines(record.wheelScrollLines());

    const int clickDial = SpeedDialRules::shownValue(record.doubleClickSpeed());
    values.doubleClickMilliseconds = kSlowestDoubleClick - kDoubleClickStep * (clickDial - 1);
    return values;
}

PointerReport applyPointerSettings(const SettingsRecord& record, PointerSettings& desktop)
{
    return desktop.apply(pointerValuesFor(record));
}

} // namespace volantra
