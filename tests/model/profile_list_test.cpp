#include "model/profile_list.h"

#include <gtest/gtest.h>

namespace volantra {
namespace {

TEST(ProfileList, FindsTheCurrentProfile)
{
    struct Case
    {
        const char* name;
        const char* ini;
        bool usable;
        std::optional<std::uint8_t> index;
    };
    const Case cases[] = {
        {"one profile", "[Profile]\nCurProfileName=A\nItemCount=1\nItem0=A\n", true, 0},
        {"the third", "[Profile]\nCurProfileName=C\nItemCount=3\nItem0=A\nItem1=B\nItem2=C\n", true,
         2},
        {"last match wins",
         "[Profile]\nCurProfileName=B\nItemCount=4\nItem0=B\nItem1=A\nItem2=B\nItem3=A\n", true, 2},
        {"names compare with case", "[Profile]\nCurProfileName=a\nItemCount=1\nItem0=A\n", true,
         std::nullopt},
        {"a prefix is no match",
         "[Profile]\nCurProfileName=PROFILE_1\nItemCount=2\nItem0=PROFILE_10\nItem1=PROFILE_1x\n",
         true, std::nullopt},
        {"entries past ItemCount are not looked at",
         "[Profile]\nCurProfileName=B\nItemCount=1\nItem0=A\nItem1=B\n", true, std::nullopt},
        {"six profiles",
         "[Profile]\nCurProfileName=F\nItemCount=6\nItem0=A\nItem1=B\nItem2=C\nItem3=D\nItem4="
         "E\nItem5=F\n",
         true, 5},
        {"ItemCount 0", "[Profile]\nCurProfileName=A\nItemCount=0\nItem0=A\n", false, std::nullopt},
        {"ItemCount 7", "[Profile]\nCurProfileName=A\nItemCount=7\nItem0=A\n", false, std::nullopt},
        {"ItemCount -1", "[Profile]\nCurProfileName=A\nItemCount=-1\nItem0=A\n", false,
         std::nullopt},
        {"ItemCount missing", "[Profile]\nCurProfileName=A\nItem0=A\n", false, std::nullopt},
        {"no section", "[Skins]\nPath=Default\n", false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProfileList list = ProfileList::read(IniDocument::parse(std::string_view(c.ini)));
        EXPECT_EQ(list.isUsable(), c.usable);
        EXPECT_EQ(list.currentIndex(), c.index);
        if (!c.usable) {
            EXPECT_TRUE(list.names().empty());
        }
    }
}

TEST(ProfileList, KeepsTheNamesInListOrder)
{
    const ProfileList list = ProfileList::read(IniDocument::parse(std::string_view(
        "[profile]\ncurprofilename=Work\nitemcount=3\nitem2=Play\nitem0=Work\nitem1=Web\n")));
    EXPECT_EQ(list.currentName(), "Work");
    EXPECT_EQ(list.declaredCount(), 3);
    EXPECT_EQ(list.names(), (std::vector<std::string>{"Work", "Web", "Play"}));
}

} // namespace
} // namespace volantra
