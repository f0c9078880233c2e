#include "platform/windows/event_object_waker.h"

#include <gtest/gtest.h>
#include <thread>
#include <windows.h>

namespace volantra {
namespace {

TEST(EventObjectWaker, AWakeUpBeforeTheWaitIsNotLost)
{
    auto waker = EventObjectWaker::create();
    ASSERT_TRUE(waker.ok());
    (*waker)->wake();
    (*waker)->waitForWake(); // returns at once
    EXPECT_EQ(WaitForSingleObject((*waker)->waitHandle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST(EventObjectWaker, WakesAnotherThread)
{
    auto waker = EventObjectWaker::create();
    ASSERT_TRUE(waker.ok());
    std::thread sleeper([&] { (*waker)->waitForWake(); });
    (*waker)->wake();
    sleeper.join();
}

TEST(EventObjectWaker, IdleMeansNotSignalled)
{
    auto waker = EventObjectWaker::create();
    ASSERT_TRUE(waker.ok());
    EXPECT_EQ((*waker)->fileDescriptor(), -1);
    EXPECT_EQ(WaitForSingleObject((*waker)->waitHandle(), 50), static_cast<DWORD>(WAIT_TIMEOUT));
    (*waker)->wake();
    (*waker)->clear();
    EXPECT_EQ(WaitForSingleObject((*waker)->waitHandle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

} // namespace
} // namespace volantra
