#include "model/setting_rules.h"

#include "common/pointer_settings.h"
#include "model/settings_record.h"

#include <algorithm>

namespace volantra::setting_rules {
namespace {

constexpr auto kLeftClick = static_cast<std::uint8_t>(ButtonFunctionKind::Click);
constexpr int kSlowestDoubleClick = 900;
constexpr int kDoubleClickStep = 70;

} // namespace

bool isReportInterval(int interval)
{
    return std::any_of(kReportRates.begin(), kReportRates.end(),
                       [interval](const ReportRate& r) { return r.interval == interval; });
}

int pointerSpeedOfDial(int dial)
{
    return dial == kSpeedDials.lowest ? 1 : std::min(2 * dial - 2, PointerValues::kFastest);
}

int doubleClickMillisecondsOfDial(int dial)
{
    return kSlowestDoubleClick - kDoubleClickStep * (dial - kSpeedDials.lowest);
}

bool keepsLeftClick(const SettingsRecord& record)
{
    for (std::size_t button = 0; button < SettingsRecord::kButtonCount; ++button) {
        if (record.buttonKind(button) == kLeftClick)
            return true;
    }
    return false;
}

bool holdsTheOnlyLeftClick(const SettingsRecord& record, std::size_t button)
{
    if (record.buttonKind(button) != kLeftClick)
        return false;
    for (std::size_t other = 0; other < SettingsRecord::kButtonCount; ++other) {
        if (other != button && record.buttonKind(other) == kLeftClick)
            return false;
    }
    return true;
}

} // namespace volantra::setting_rules
