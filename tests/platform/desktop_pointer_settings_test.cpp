#include "platform/pointer/desktop_pointer_settings.h"
#include "platform/pointer/kde_pointer_settings.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace volantra {
namespace {

TEST(DesktopPointerSettings, ChoosesTheBackendFromTheSessionsDesktopList)
{
    struct Case
    {
        const char* currentDesktop;
        PointerDesktop desktop;
        const char* name;
    };
    const Case cases[] = {
        {"GNOME", PointerDesktop::Gnome, "GNOME"},
        {"ubuntu:GNOME", PointerDesktop::Gnome, "GNOME"},
        {"GNOME-Classic:GNOME", PointerDesktop::Gnome, "GNOME"},
        {"Unity", PointerDesktop::Gnome, "GNOME"},
        {"gnome", PointerDesktop::Gnome, "GNOME"},
        {"KDE", PointerDesktop::Kde, "KDE Plasma"},
        {"X-Cinnamon", PointerDesktop::Other, "X-Cinnamon"},
        {"XFCE", PointerDesktop::Other, "XFCE"},
        {"GNOMEish", PointerDesktop::Other, "GNOMEish"},
        {"", PointerDesktop::Other, "this desktop"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pointerDesktopFor(c.currentDesktop), c.desktop) << c.currentDesktop;
        EXPECT_EQ(createPointerSettings(c.currentDesktop, "/tmp/unused")->desktopName(), c.name)
            << c.currentDesktop;
    }
}

TEST(DesktopPointerSettings, AnOtherDesktopReportsEverySettingMissing)
{
    const auto settings = createPointerSettings("X-Cinnamon", "/tmp/unused");
    const PointerReport report = settings->apply({true, 12, false, 3, 480});
    for (PointerSetting setting : kPointerSettings) {
        EXPECT_TRUE(report[setting].isUnsupported()) << pointerSettingName(setting);
        EXPECT_EQ(report[setting].message(), "Volantra cannot change the pointer settings of "
                                             "X-Cinnamon; it can on GNOME and KDE Plasma.");
    }
}

TEST(DesktopPointerSettings, FindsKdesFilesInTheSessionsConfigFolder)
{
    struct Case
    {
        const char* configHome;
        const char* expected;
    };
    const Case cases[] = {
        {"/home/someone/conf", "/home/someone/conf"},
        {"relative/conf", "/home/someone/.config"},
        {nullptr, "/home/someone/.config"},
    };
    for (const Case& c : cases) {
        setenv("XDG_CURRENT_DESKTOP", "KDE", 1);
        setenv("HOME", "/home/someone", 1);
        if (c.configHome)
            setenv("XDG_CONFIG_HOME", c.configHome, 1);
        else
            unsetenv("XDG_CONFIG_HOME");
        const auto settings = createSessionPointerSettings();
        const auto* kde = dynamic_cast<const KdePointerSettings*>(settings.get());
        ASSERT_NE(kde, nullptr);
        EXPECT_EQ(kde->configHome(), c.expected) << (c.configHome ? c.configHome : "unset");
    }
}

} // namespace
} // namespace volantra
