#include "app/device_notice.h"

#include "common/language_table.h"
#include "model/config_block.h"
#include "model/setting_rules.h"

#include <array>
#include <string_view>

namespace volantra {
namespace {

constexpr std::array<std::string_view, 6> kStageNotices{
    "Switch DPI into the first stage ", "Switch DPI into the second stage ",
    "Switch DPI into the third stage ", "Switch DPI into the fourth stage ",
    "Switch DPI into the fifth stage ", "Switch DPI into the sixth stage ",
};

} // namespace

std::optional<NoticeCause> noticeCauseOf(DeviceEvent event)
{
    if (event.isDpiStage())
        return NoticeCause{NoticeKind::DpiStageChosen, event.value};
    if (event.isMacroKey())
        return NoticeCause{NoticeKind::MacroKeyPressed, event.value};
    return std::nullopt;
}

bool needsStageRead(NoticeCause cause)
{
    return cause.kind == NoticeKind::DpiStageChosen && cause.value >= 1 &&
           cause.value <= kStageNotices.size();
}

std::optional<DeviceNotice>
deviceNotice(NoticeCause cause, const std::optional<DeviceImage>& stageConfig, Language language)
{
    const LanguageTable& table = LanguageTable::forLanguage(language);
    switch (cause.kind) {
    case NoticeKind::DpiStageChosen: {
        if (!needsStageRead(cause))
            return std::nullopt;
        std::string text(table.text(kStageNotices[cause.value - 1]));
        if (stageConfig) {
            // Anything but a DPI a stage can be set to is a failed read (zeros) or a byte
            // no stage was set to (0xD0 and 0 of stages 5 and 6).
            const std::optional<unsigned> dpi = stageDpiForNotice(*stageConfig, cause.value);
            if (dpi && setting_rules::kDpi.holds(static_cast<int>(*dpi)))
                text += std::to_string(*dpi);
        }
        return DeviceNotice{"Info", std::move(text)};
    }
    case NoticeKind::MacroKeyPressed:
        if (cause.value == 0)
            return std::nullopt;
        return DeviceNotice{"Info", std::string(table.text("Switch to macro key")) +
                                        std::to_string(cause.value)};
    case NoticeKind::MouseDetected:
        return DeviceNotice{"Info", std::string(table.text("The system detect the gaming mouse.")),
                            DeviceNotice::kPresenceMs};
    case NoticeKind::MouseNotDetected:
        return DeviceNotice{"Warning",
                            std::string(table.text("The system did not detect the gaming mouse!")),
                            DeviceNotice::kPresenceMs};
    }
    return std::nullopt;
}

} // namespace volantra
