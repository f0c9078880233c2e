#include "pages/apply_pointer_settings.h"

#include "model/setting_rules.h"
#include "model/settings_record.h"
#include "pages/scroll_speed_rules.h"
#include "pages/speed_dial_rules.h"

namespace volantra {

PointerValues pointerValuesFor(const SettingsRecord& record)
{
    PointerValues values;
    values.enhancedPrecision = record.enhancePointerPrecision();

    values.speed =
        setting_rules::pointerSpeedOfDial(SpeedDialRules::shownValue(record.pointerSpeed()));

    values.scrollByScreen = ScrollSpeedRules::scrollsByScreen(record.scrollMode());
    values.scrollLines = ScrollSpeedRules::shownLines(record.wheelScrollLines());

    values.doubleClickMilliseconds = setting_rules::doubleClickMillisecondsOfDial(
        SpeedDialRules::shownValue(record.doubleClickSpeed()));
    return values;
}

PointerReport applyPointerSettings(const SettingsRecord& record, PointerSettings& desktop)
{
    return desktop.apply(pointerValuesFor(record));
}

} // namespace volantra
