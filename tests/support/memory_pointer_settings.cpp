#include "support/memory_pointer_settings.h"

#include <algorithm>

namespace volantra {

MemoryPointerSettings::MemoryPointerSettings(std::string desktopName,
                                             std::initializer_list<PointerSetting> missing)
    : m_desktopName(std::move(desktopName))
{
    for (PointerSetting setting : missing)
        m_missing[static_cast<std::size_t>(setting)] = true;
}

PointerReport MemoryPointerSettings::apply(const PointerValues& values)
{
    ++m_applyCount;
    PointerReport report;
    const auto lacks = [&](PointerSetting setting) {
        if (has(setting))
            return false;
        report.set(setting, SettingOutcome::unsupported(m_desktopName + " has no setting for " +
                                                        pointerSettingName(setting) + "."));
        return true;
    };
    if (!lacks(PointerSetting::Acceleration))
        m_current.enhancedPrecision = values.enhancedPrecision;
    if (!lacks(PointerSetting::Speed))
        m_current.speed =
            std::clamp(values.speed, PointerValues::kSlowest, PointerValues::kFastest);
    if (!lacks(PointerSetting::WheelScroll)) {
        m_current.scrollByScreen = values.scrollByScreen;
        if (!values.scrollByScreen)
            m_current.scrollLines = std::max(values.scrollLines, 1);
    }
    if (!lacks(PointerSetting::DoubleClickTime))
        m_current.doubleClickMilliseconds = std::max(values.doubleClickMilliseconds, 1);
    return report;
}

} // namespace volantra
