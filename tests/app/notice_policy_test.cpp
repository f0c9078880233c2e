#include "app/notice_policy.h"

#include <gtest/gtest.h>
#include <sstream>

namespace volantra {
namespace {

TEST(NoticePolicy, EachCauseIsShownAndLoggedOncePerRun)
{
    struct Report
    {
        std::string_view cause;
        std::string_view message;
        bool shown;
    };
    // Two Applies that both fail on the pointer settings and the profile file, and a skin
    // image that is missing at every redraw.
    const Report reports[] = {
        {"SETMOUSE failed.", "SETMOUSE failed.", true},
        {"SETMOUSESPEED failed.", "SETMOUSESPEED failed.", true},
        {"Config file is not exist.", "Config file is not exist.", true},
        {"SETMOUSE failed.", "SETMOUSE failed.", false},
        {"SETMOUSESPEED failed.", "SETMOUSESPEED failed.", false},
        {"Config file is not exist.", "Config file is not exist.", false},
        {"skin:/Enable.png", "LoadPng---Load image failed.: /skins/Dark/Enable.png", true},
        {"skin:/Enable.png", "LoadPng---Load image failed.: /skins/Dark/Enable.png", false},
        {"skin:/Disable.png", "LoadPng---Load image failed.: /skins/Dark/Disable.png", true},
    };
    std::ostringstream log;
    NoticePolicy policy(log);
    for (const Report& report : reports) {
        EXPECT_EQ(policy.report(report.cause, report.message), report.shown) << report.cause;
        EXPECT_TRUE(policy.wasReported(report.cause));
    }
    EXPECT_EQ(log.str(), "volantra: SETMOUSE failed.\n"
                         "volantra: SETMOUSESPEED failed.\n"
                         "volantra: Config file is not exist.\n"
                         "volantra: LoadPng---Load image failed.: /skins/Dark/Enable.png\n"
                         "volantra: LoadPng---Load image failed.: /skins/Dark/Disable.png\n");
}

TEST(NoticePolicy, AMessageWithoutACauseIsItsOwnCause)
{
    std::ostringstream log;
    NoticePolicy policy(log);
    EXPECT_FALSE(policy.wasReported("SETMOUSE failed."));
    EXPECT_TRUE(policy.report("SETMOUSE failed."));
    EXPECT_FALSE(policy.report("SETMOUSE failed."));
    EXPECT_FALSE(policy.report("SETMOUSE failed.", "a second wording of the same cause"));
    EXPECT_TRUE(policy.report("SETMOUSESPEED failed."));
    EXPECT_EQ(log.str(), "volantra: SETMOUSE failed.\nvolantra: SETMOUSESPEED failed.\n");
}

TEST(NoticePolicy, RunsKeepTheirOwnCauses)
{
    std::ostringstream first;
    std::ostringstream second;
    NoticePolicy firstRun(first);
    EXPECT_TRUE(firstRun.report("Config file is not exist."));
    NoticePolicy secondRun(second);
    EXPECT_TRUE(secondRun.report("Config file is not exist."));
    EXPECT_EQ(second.str(), "volantra: Config file is not exist.\n");
}

} // namespace
} // namespace volantra
