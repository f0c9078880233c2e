#include "app/device_notice.h"

#include "common/language_table.h"
#include "model/config_block.h"

#include <array>
#include <string_view>

namespace volantra {
namespace {

constexpr std::array<std::string_view, 6> kStageNotices{
    "Switch DPI into the first stage ", "Switch DPI into the second stage ",
    "Switch DPI into the third stage ", "Switch DPI into the fourth stage ",
    "Switch DPI into the fifth stage ", "Switch DPI into the sixth stage ",
};

// The DPI a stage can be set to: 100 to 5000, stored as steps of 50. Anything else in the
// image is a failed read (zeros) or a byte no stage was set to (0xD0 and 0 of stages 5 and
// 6), and would show a DPI the mouse does not have.
constexpr unsigned kLowestDpi = 2 * kDpiPerStep;
constexpr unsigned kHighestDpi = 100 * kDpiPerStep;

bool isDpiStage(DeviceEvent event)
{
    return event.code >= DeviceEventCode::kFirstDpiStage &&
           event.code <= DeviceEventCode::kLastDpiStage;
}

} // namespace

bool needsStageRead(DeviceEvent event)
{
    return isDpiStage(event) && event.value >= 1 && event.value <= kStageNotices.size();
}

std::optional<DeviceNotice>
deviceNotice(DeviceEvent event, const std::optional<DeviceImage>& stageConfig, Language language)
{
    const LanguageTable& table = LanguageTable::forLanguage(language);

    if (isDpiStage(event)) {
        if (!needsStageRead(event))
            return std::nullopt;
        std::string text(table.text(kStageNotices[event.value - 1]));
        if (stageConfig) {
            const std::optional<unsigned> dpi = stageDpiForNotice(*stageConfig, event.value);
            if (dpi && *dpi >= kLowestDpi && *dpi <= kHighestDpi)
                text += std::to_string(*dpi);
        }
        return DeviceNotice{"Info", std::move(text)};
    }

    switch (event.code) {
    case DeviceEventCode::kMacroKey:
        if (event.value == 0)
            return std::nullopt;
        return DeviceNotice{"Info", std::string(table.text("Switch to macro key")) +
                                        std::to_string(event.value)};
    case DeviceEventCode::kDetected:
        return DeviceNotice{"Info", std::string(table.text("The system detect the gaming mouse.")),
                            DeviceNotice::kPresenceMs};
    case DeviceEventCode::kNotDetected:
        return DeviceNotice{"Warning",
                            std::string(table.text("The system did not detect the gaming mouse!")),
                            DeviceNotice::kPresenceMs};
    default:
        return std::nullopt;
    }
}

} // namespace volantra
