#include "app/apply_lockout.h"

#include <gtest/gtest.h>

namespace volantra {
namespace {

TEST(ApplyLockoutTest, ApplyIsRefusedForTwoSecondsAfterTheLastAcceptedOne)
{
    using namespace std::chrono_literals;
    ApplyLockout lockout;
    const ApplyLockout::Clock::time_point start{};
    struct Case
    {
        std::chrono::milliseconds at;
        bool accepted;
    } cases[] = {{0ms, true},    {1ms, false},    {1999ms, false},
                 {2000ms, true}, {3000ms, false}, {4000ms, true}};
    for (const Case& c : cases)
        EXPECT_EQ(lockout.tryStart(start + 10s + c.at), c.accepted) << c.at.count();
}

} // namespace
} // namespace volantra
