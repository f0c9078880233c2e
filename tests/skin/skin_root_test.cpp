#include "skin/skin_root.h"

#include <gtest/gtest.h>

namespace volantra {
namespace {

TEST(SkinRootTest, ImagePathsJoinRootFolderAndRelativePathAsTheyStand)
{
    struct Case
    {
        const char* pathValue;
        const char* relative;
        const char* expected;
    } cases[] = {
        {"Dark", "/main.png", "/data/Skins/Dark/main.png"},
        {"Dark", "/Config/Config.png", "/data/Skins/Dark/Config/Config.png"},
        // An empty Path keeps the doubled separator, which the file system accepts.
        {"", "/main.png", "/data/Skins//main.png"},
        {"My Skin 2", "/Logo.png", "/data/Skins/My Skin 2/Logo.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pathValue);
        EXPECT_EQ(SkinRoot::forProfile("/data", c.pathValue).image(c.relative), c.expected);
    }
}

TEST(SkinRootTest, PathValuesThatCouldLeaveTheSkinsFolderGiveTheDefaultSkin)
{
    const char* hostile[] = {"..",   ".",        "../../etc", "Dark/../..",
                             "/etc", "Dark\\..", "a\nb",      "\x7f"};
    for (const char* value : hostile) {
        SCOPED_TRACE(value);
        EXPECT_FALSE(SkinRoot::isPlainFolderName(value));
        EXPECT_EQ(SkinRoot::forProfile("/data", value).path(), "/data/Skins/Default");
    }
    EXPECT_TRUE(SkinRoot::isPlainFolderName("..Dark"));
    EXPECT_TRUE(SkinRoot::isPlainFolderName("深色"));
}

} // namespace
} // namespace volantra
