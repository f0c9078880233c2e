// The SetupAPI backend for real under wine, which has no HID devices: the enumeration
// works and finds no mouse, and volantra-cli answers "no mouse" with exit status 3.
#include "platform/windows/windows_hid_backend.h"
#include "support/cli_run.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace volantra {
namespace {

TEST(WindowsHidBackend, EnumeratesWithoutFailingAndFindsNoMouse)
{
    auto backend = WindowsHidBackend::create();
    ASSERT_TRUE(backend.ok());
    Result<std::vector<HidNode>> nodes = (*backend)->enumerate();
    ASSERT_TRUE(nodes.ok()) << nodes.error().message;
    for (const HidNode& node : *nodes)
        EXPECT_FALSE(node.vendorId == 0x04D9 && node.productId == 0xA0F4) << node.node;
}

TEST(WindowsHidBackend, CliSaysNoMouseWithExitStatusThree)
{
    const test::CliRun connect = test::runCliCapturing({"connect"});
    EXPECT_EQ(connect.status, 3);
    EXPECT_EQ(connect.err, "volantra-cli: no mouse\n");
    const test::CliRun devices = test::runCliCapturing({"devices"});
    EXPECT_EQ(devices.status, 3);
    EXPECT_EQ(devices.out, "no mouse\n");
}

TEST(WindowsHidBackend, OpeningAMissingInterfaceSaysTheDeviceIsGone)
{
    auto backend = WindowsHidBackend::create();
    ASSERT_TRUE(backend.ok());
    const std::string path =
        "\\\\?\\hid#vid_04d9&pid_a0f4&mi_01#0&0000&0#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    auto handle = (*backend)->open(path, OpenMode::ReadWrite);
    ASSERT_FALSE(handle.ok());
    EXPECT_EQ(handle.error().kind, Error::Kind::Gone) << handle.error().message;
}

TEST(WindowsHidBackend, VendorAndProductFromTheInterfacePath)
{
    auto ids = hidIdsFromInterfacePath("\\\\?\\HID#VID_04D9&PID_A0F4&MI_01&Col02#7&1a2b3c&0&0001#{"
                                       "4d1e55b2-f16f-11cf-88cb-001111000030}");
    ASSERT_TRUE(ids.has_value());
    EXPECT_EQ(ids->vendorId, 0x04D9);
    EXPECT_EQ(ids->productId, 0xA0F4);
    EXPECT_FALSE(hidIdsFromInterfacePath("\\\\?\\root#system#0000").has_value());
}

TEST(WindowsHidBackend, ErrorKindsAsOnLinux)
{
    EXPECT_EQ(windowsDeviceError("n", ERROR_ACCESS_DENIED).kind, Error::Kind::Permission);
    EXPECT_EQ(windowsDeviceError("n", ERROR_DEVICE_NOT_CONNECTED).kind, Error::Kind::Gone);
    EXPECT_EQ(windowsDeviceError("n", ERROR_FILE_NOT_FOUND).kind, Error::Kind::Gone);
    EXPECT_EQ(windowsDeviceError("n", ERROR_SEM_TIMEOUT).kind, Error::Kind::TimedOut);
    EXPECT_EQ(windowsDeviceError("n", ERROR_CRC).kind, Error::Kind::Io);
}

TEST(WindowsHidBackend, TheHotplugMonitorStartsAndIsQuietWithoutDevices)
{
    auto backend = WindowsHidBackend::create();
    ASSERT_TRUE(backend.ok());
    auto monitor = (*backend)->createMonitor();
    ASSERT_TRUE(monitor.ok()) << monitor.error().message;
    ASSERT_NE((*monitor)->waitHandle(), nullptr);
    EXPECT_EQ(WaitForSingleObject((*monitor)->waitHandle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_TRUE((*monitor)->receive().empty());
}

} // namespace
} // namespace volantra
