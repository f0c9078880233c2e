#include "platform/windows/wide_string.h"
#include "platform/windows/windows_folder_lock.h"
#include "support/temporary_directory.h"

#include <gtest/gtest.h>
#include <thread>
#include <windows.h>

namespace volantra {
namespace {

using namespace std::chrono_literals;

TEST(WindowsFolderLocker, ASecondLockWaitsThenTimesOut)
{
    test::TemporaryDirectory folder;
    WindowsFolderLocker locker;
    auto first = locker.lock(folder.path().string(), 0ms);
    ASSERT_TRUE(first.ok()) << first.error().message;
    const auto start = std::chrono::steady_clock::now();
    auto second = locker.lock(folder.path().string(), 200ms);
    ASSERT_FALSE(second.ok());
    EXPECT_EQ(second.error().kind, Error::Kind::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 190ms);
    EXPECT_NE(second.error().message.find("another Volantra program"), std::string::npos);
}

TEST(WindowsFolderLocker, ALockLetGoOfIsFreeAgain)
{
    test::TemporaryDirectory folder;
    WindowsFolderLocker locker;
    auto first = locker.lock(folder.path().string(), 0ms);
    ASSERT_TRUE(first.ok());
    std::thread release([&] {
        std::this_thread::sleep_for(100ms);
        first->reset();
    });
    auto second = locker.lock(folder.path().string(), 5s);
    release.join();
    EXPECT_TRUE(second.ok()) << second.error().message;
}

TEST(WindowsFolderLocker, LocksANonAsciiFolder)
{
    test::TemporaryDirectory folder;
    const std::string base = folder.path().string() + "\\Profile-Ünïcødé-鼠标";
    ASSERT_TRUE(CreateDirectoryW(wideFromUtf8(base).c_str(), nullptr));
    WindowsFolderLocker locker;
    auto held = locker.lock(base, 0ms);
    ASSERT_TRUE(held.ok()) << held.error().message;
    EXPECT_NE(GetFileAttributesW((wideFromUtf8(base) + L"\\.volantra.lock").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

TEST(WindowsFolderLocker, AMissingFolderIsAnError)
{
    test::TemporaryDirectory folder;
    WindowsFolderLocker locker;
    auto held = locker.lock(folder.file("missing"), 0ms);
    ASSERT_FALSE(held.ok());
    EXPECT_NE(held.error().message.find("cannot lock the data folder"), std::string::npos);
}

} // namespace
} // namespace volantra
