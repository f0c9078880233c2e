#include "platform/pointer/unsupported_pointer_settings.h"

namespace volantra {

UnsupportedPointerSettings::UnsupportedPointerSettings(std::string desktopName)
    : m_desktopName(std::move(desktopName))
{
}

std::string UnsupportedPointerSettings::desktopName() const
{
    return m_desktopName.empty() ? "this desktop" : m_desktopName;
}

PointerReport UnsupportedPointerSettings::apply(const PointerValues& /*values*/)
{
    const SettingOutcome unsupported =
        SettingOutcome::unsupported("Volantra cannot change the pointer settings of " +
                                    desktopName() + "; it can on GNOME and KDE Plasma.");
    PointerReport report;
    for (PointerSetting setting : kPointerSettings)
        report.set(setting, unsupported);
    return report;
}

} // namespace volantra
