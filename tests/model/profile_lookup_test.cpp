#include "model/profile_list.h"
#include "model/profile_store.h"
#include "platform/posix_atomic_file_writer.h"
#include "support/temporary_directory.h"

#include <gtest/gtest.h>

namespace volantra {
namespace {

using Names = std::vector<std::string>;

TEST(ProfileLookup, FindsTheExactNameAndTheLastMatch)
{
    struct Case
    {
        const char* name;
        Names names;
        const char* current;
        std::optional<std::size_t> found;
    };
    const Case cases[] = {
        {"PROFILE_1 before PROFILE_10", {"PROFILE_1", "PROFILE_10"}, "PROFILE_1", 0},
        {"PROFILE_10 before PROFILE_1", {"PROFILE_10", "PROFILE_1"}, "PROFILE_1", 1},
        {"a prefix alone is no match", {"PROFILE_10", "PROFILE_11"}, "PROFILE_1", std::nullopt},
        {"case counts", {"Work", "work"}, "work", 1},
        {"the last of two", {"X", "Y", "X"}, "X", 2},
        {"an empty name finds an empty entry", {"A", ""}, "", 1},
        {"an empty list", {}, "A", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ProfileList::findCurrent(c.names, c.current), c.found);
    }
}

// After the profile manager gave the current profile another number, the store takes the
// new number and paths without touching the record and its unapplied edits.
TEST(ProfileLookup, TheStoreFollowsTheListWithoutReloading)
{
    test::TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
    const auto writeList = [&](const std::string& text) {
        test::writeBytes(directory.file("str.ini"),
                         std::vector<std::uint8_t>(text.begin(), text.end()));
    };
    writeList("[Profile]\nCurProfileName=B\nItemCount=2\nItem0=A\nItem1=B\n");
    ProfileStore store(directory.path().string(), writer);
    ASSERT_TRUE(store.followProfileList());
    EXPECT_EQ(store.currentProfileIndex(), 1);
    EXPECT_EQ(store.currentProfilePath(), directory.file("config1.bin"));

    writeList("[Profile]\nCurProfileName=B\nItemCount=1\nItem0=B\n");
    ASSERT_TRUE(store.followProfileList());
    EXPECT_EQ(store.currentProfileIndex(), 0);
    EXPECT_EQ(store.currentProfilePath(), directory.file("config0.bin"));
    EXPECT_EQ(store.currentIniPath(), directory.file("str0.ini"));

    writeList("[Profile]\nCurProfileName=B\nItemCount=7\nItem0=B\n");
    const Status unusable = store.followProfileList();
    ASSERT_FALSE(unusable);
    EXPECT_NE(unusable.error().message.find("str.ini"), std::string::npos);
    EXPECT_EQ(store.currentProfileIndex(), 0);
}

} // namespace
} // namespace volantra
