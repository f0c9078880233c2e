// SystemParametersInfoW for real under wine: what is written reads back. wine keeps every
// value but the pointer speed (its SPI_GETMOUSESPEED reads 0), so for the speed only the
// call's success is checked.
#include "platform/windows/windows_pointer_settings.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace volantra {
namespace {

struct Saved
{
    int mouse[3] = {};
    UINT lines = 0;
    UINT doubleClick = 0;
};

class WindowsPointerSettingsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SystemParametersInfoW(SPI_GETMOUSE, 0, m_saved.mouse, 0);
        SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &m_saved.lines, 0);
        m_saved.doubleClick = GetDoubleClickTime();
    }
    void TearDown() override
    {
        SystemParametersInfoW(SPI_SETMOUSE, 0, m_saved.mouse, 0);
        SystemParametersInfoW(SPI_SETWHEELSCROLLLINES, m_saved.lines, nullptr, 0);
        SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, m_saved.doubleClick, nullptr,
                              SPIF_UPDATEINIFILE);
    }

    Saved m_saved;
};

TEST_F(WindowsPointerSettingsTest, WritesEverySettingAsPart46Says)
{
    WindowsPointerSettings settings;
    PointerValues values;
    values.enhancedPrecision = true;
    values.speed = 12;
    values.scrollLines = 7;
    values.doubleClickMilliseconds = 333;
    const PointerReport report = settings.apply(values);
    for (PointerSetting setting : kPointerSettings)
        EXPECT_TRUE(report[setting].applied()) << report[setting].message();

    int mouse[3] = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETMOUSE, 0, mouse, 0));
    EXPECT_EQ(mouse[0], 6);
    EXPECT_EQ(mouse[1], 10);
    EXPECT_EQ(mouse[2], 1);
    UINT lines = 0;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, 7u);
    EXPECT_EQ(GetDoubleClickTime(), 333u);
}

TEST_F(WindowsPointerSettingsTest, OffPrecisionAndOneScreenPerStep)
{
    WindowsPointerSettings settings;
    PointerValues values;
    values.enhancedPrecision = false;
    values.scrollByScreen = true;
    values.doubleClickMilliseconds = 900;
    const PointerReport report = settings.apply(values);
    EXPECT_TRUE(report.failures().empty());
    int mouse[3] = {1, 1, 1};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETMOUSE, 0, mouse, 0));
    EXPECT_EQ(mouse[0] | mouse[1] | mouse[2], 0);
    UINT lines = 0;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, static_cast<UINT>(WHEEL_PAGESCROLL));
    EXPECT_EQ(GetDoubleClickTime(), 900u);
    EXPECT_EQ(settings.desktopName(), "Windows");
}

} // namespace
} // namespace volantra
