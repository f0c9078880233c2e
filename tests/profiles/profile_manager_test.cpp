#include "model/profile_list.h"
#include "model/profile_store.h"
#include "profiles/profile_directory.h"
#include "profiles/profile_manager.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace volantra {
namespace {

namespace fs = std::filesystem;
using Current = ProfileHandOver::Current;
using Request = ProfileHandOver::Request;
using Names = std::vector<std::string>;

// A disk that fills up just before one file is written: every other write goes through.
class DiskFullBefore final : public AtomicFileWriter
{
public:
    DiskFullBefore(AtomicFileWriter& disk, std::string fileName)
        : m_disk(&disk), m_fileName(std::move(fileName))
    {
    }
    Status writeFile(const std::string& path, std::span<const std::uint8_t> bytes) override
    {
        if (fs::path(path).filename() == m_fileName)
            return Error{Error::Kind::Io, "cannot save " + path + ": No space left on device"};
        return m_disk->writeFile(path, bytes);
    }
    Status moveOver(const std::string& from, const std::string& to) override
    {
        return m_disk->moveOver(from, to);
    }
    void makeRoom() { m_fileName.clear(); }

private:
    AtomicFileWriter* m_disk;
    std::string m_fileName;
};

class ProfileManagerTest : public ::testing::Test
{
protected:
    // The main window's state at start-up: the store found the current profile and the
    // record holds it.
    void loadStore()
    {
        store.emplace(data.path(), data.writer());
        ASSERT_TRUE(store->loadCurrentProfile(record));
        ASSERT_TRUE(store->readProfileIni());
    }

    ProfileManager open(AtomicFileWriter* writer = nullptr)
    {
        if (!store)
            store.emplace(data.path(), data.writer());
        Result<ProfileManager> manager =
            ProfileManager::open(*store, writer ? *writer : data.writer());
        EXPECT_TRUE(manager) << (manager ? "" : manager.error().message);
        return std::move(*manager);
    }

    // What the main window does with the hand-over, as far as the store goes: the index
    // the store finds now and the record it loads.
    void expectStoreFinds(std::uint8_t index, const std::string& name)
    {
        ProfileStore fresh(data.path(), data.writer());
        SettingsRecord loaded;
        ASSERT_TRUE(fresh.loadCurrentProfile(loaded));
        EXPECT_EQ(fresh.currentProfileIndex(), index);
        EXPECT_EQ(loaded, test::ProfileDirectory::recordOf(name));
    }

    Names listedNames() const
    {
        const ProfileList list = ProfileList::read(data.list());
        return list.names();
    }
    std::string currentName() const
    {
        return data.list().readString("Profile", "CurProfileName", "<none>");
    }

    test::ProfileDirectory data;
    std::optional<ProfileStore> store;
    SettingsRecord record;
};

TEST_F(ProfileManagerTest, ReadsTheListAndSelectsWhatTheStoreLoads)
{
    struct Case
    {
        const char* name;
        const char* list;
        Names names;
        std::optional<std::size_t> selected;
        bool notice;
    };
    const Case cases[] = {
        {"three profiles",
         "CurProfileName=B\nItemCount=3\nItem0=A\nItem1=B\nItem2=C\n",
         {"A", "B", "C"},
         1,
         false},
        {"an exact name, not a prefix",
         "CurProfileName=PROFILE_1\nItemCount=2\nItem0=PROFILE_1\nItem1=PROFILE_10\n",
         {"PROFILE_1", "PROFILE_10"},
         0,
         false},
        {"names compare with case",
         "CurProfileName=work\nItemCount=1\nItem0=Work\n",
         {"Work"},
         std::nullopt,
         false},
        {"the later of two equal names",
         "CurProfileName=X\nItemCount=3\nItem0=X\nItem1=Y\nItem2=X\n",
         {"X", "Y", "X"},
         2,
         false},
        {"ItemCount 7: six of the seven keys",
         "CurProfileName=B\nItemCount=7\nItem0=A\nItem1=B\nItem2=C\nItem3=D\nItem4=E\nItem5=F\n"
         "Item6=G\n",
         {"A", "B", "C", "D", "E", "F"},
         1,
         true},
        {"no ItemCount", "CurProfileName=B\nItem0=A\nItem1=B\n", {"A", "B"}, 1, false},
        {"keys in any order and case",
         "curprofilename=C\nITEM2=C\nitem0=A\nItem1=B\n",
         {"A", "B", "C"},
         2,
         false},
        {"keys that are no profile numbers",
         "CurProfileName=A\nItemCount=1\nItem0=A\nItem01=B\nItemX=C\nItem-1=D\n",
         {"A"},
         0,
         false},
        {"no section", "", {}, std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        data.writeText("str.ini", std::string("[Profile]\n") + c.list);
        store.reset();
        const ProfileManager manager = open();
        EXPECT_EQ(manager.names(), c.names);
        EXPECT_EQ(manager.selected(), c.selected);
        EXPECT_EQ(manager.readingNotice().has_value(), c.notice);
        if (manager.readingNotice()) {
            EXPECT_NE(manager.readingNotice()->find("str.ini lists 7 profiles"), std::string::npos)
                << *manager.readingNotice();
        }
        // The store's own lookup finds the same profile in every list it can use.
        const ProfileList list = ProfileList::read(data.list());
        if (list.isUsable()) {
            EXPECT_EQ(list.currentIndex(), c.selected);
        }
    }
}

TEST_F(ProfileManagerTest, ClosingWithoutChangesWritesNothing)
{
    struct Case
    {
        const char* name;
        std::optional<std::string> list; // none: no str.ini
    };
    const Case cases[] = {
        {"a usable list", "[Profile]\nCurProfileName=B\nItemCount=2\nItem0=A\nItem1=B\n"},
        {"ItemCount 7", "[Profile]\nCurProfileName=A\nItemCount=7\nItem0=A\nItem1=B\nItem2=C\n"
                        "Item3=D\nItem4=E\nItem5=F\nItem6=G\n"},
        {"a current name that matches nothing",
         "[Profile]\nCurProfileName=Gone\nItemCount=2\nItem0=A\nItem1=B\n"},
        {"no str.ini", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(data.file("str.ini"));
        if (c.list)
            data.writeText("str.ini", *c.list);
        const auto before = data.snapshot();
        store.reset();
        ProfileManager manager = open();
        EXPECT_FALSE(manager.hasChanges());
        const Result<ProfileHandOver> closed = manager.close(record);
        ASSERT_TRUE(closed);
        EXPECT_EQ(closed->request, Request::Closed);
        EXPECT_EQ(closed->current, Current::Same);
        EXPECT_EQ(data.snapshot(), before);
    }
}

TEST_F(ProfileManagerTest, NamesNewProfiles)
{
    struct Case
    {
        const char* name;
        Names names;
        std::string expected;
    };
    const Case cases[] = {
        {"an empty list", {}, "PROFILE_0"},
        {"after PROFILE_3", {"PROFILE_0", "PROFILE_3"}, "PROFILE_4"},
        {"after a name without an underscore", {"A", "Work"}, "Work_2"},
        {"after a name whose number is text", {"My_Game"}, "PROFILE_1"},
        {"past a number in use", {"PROFILE_1", "My_Game"}, "PROFILE_2"},
        {"past a number in use in another case", {"profile_1", "My_Game"}, "PROFILE_2"},
        {"past a name in use", {"Work_2", "Work"}, "Work_3"},
        {"after a number too large", {"PROFILE_99999999999"}, "PROFILE_1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        data.writeProfiles(c.names, "");
        store.reset();
        ProfileManager manager = open();
        ASSERT_TRUE(manager.addNew());
        ASSERT_EQ(manager.names().size(), c.names.size() + 1);
        EXPECT_EQ(manager.names().back(), c.expected);
        EXPECT_EQ(manager.selected(), c.names.size());
    }
}

TEST_F(ProfileManagerTest, RefusesASeventhProfile)
{
    data.writeProfiles({"A", "B", "C", "D", "E", "F"}, "A");
    loadStore();
    ProfileManager manager = open();
    for (const Status& refused : {manager.addNew(), manager.copy(0, "Copy")}) {
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.error().kind, Error::Kind::InvalidInput);
        EXPECT_EQ(refused.error().message, "Profile numbers up to 6.");
    }
    EXPECT_EQ(manager.names().size(), 6u);
    EXPECT_FALSE(manager.hasChanges());
}

TEST_F(ProfileManagerTest, ANewProfileStartsFromTheRecordAndItsProfilesSkin)
{
    data.writeProfiles({"Home", "Work"}, "Work");
    loadStore();
    // Unapplied edits: the new profile takes the record as it is, and its button names.
    record.setDpiStage(0, 77);
    store->setItemName(0, "Fire");
    ProfileManager manager = open();
    ASSERT_TRUE(manager.addNew());
    EXPECT_TRUE(manager.replacesRecord());
    const Result<ProfileHandOver> closed = manager.close(record);
    ASSERT_TRUE(closed) << closed.error().message;
    EXPECT_EQ(*closed, (ProfileHandOver{Request::Closed, 2, Current::Other}));

    EXPECT_EQ(listedNames(), (Names{"Home", "Work", "Work_2"}));
    EXPECT_EQ(currentName(), "Work_2");
    EXPECT_EQ(data.pairs(), (Names{"Home", "Work", "<mixed>"}));
    SettingsRecord loaded;
    ProfileStore fresh(data.path(), data.writer());
    ASSERT_TRUE(fresh.loadCurrentProfile(loaded));
    ASSERT_TRUE(fresh.readProfileIni());
    EXPECT_EQ(fresh.currentProfileIndex(), 2);
    EXPECT_EQ(loaded, record);
    EXPECT_EQ(fresh.itemNames()[0], "Fire");
    EXPECT_EQ(fresh.skin(), (ProfileSkin{"Default", 200, 210, 220}));
    EXPECT_EQ(fresh.readLanguageCode(), "EN");
    // Nothing of the list leaks into the new profile's own INI.
    EXPECT_FALSE(IniDocument::parse(std::string_view(test::readText(data.file("str2.ini"))))
                     .hasSection("Profile"));
}

TEST_F(ProfileManagerTest, CopiesTheSourcePair)
{
    data.writeProfiles({"Home", "Work", "Play"}, "Work");
    loadStore();
    ProfileManager manager = open();
    ASSERT_TRUE(manager.copy(0, "Copy"));
    ASSERT_TRUE(manager.copy(0, "Copy"));
    EXPECT_EQ(manager.names(), (Names{"Home", "Work", "Play", "Copy Home", "Copy Home (2)"}));
    EXPECT_EQ(manager.selected(), 1u);
    EXPECT_FALSE(manager.replacesRecord());
    const Result<ProfileHandOver> closed = manager.close(record);
    ASSERT_TRUE(closed) << closed.error().message;
    EXPECT_EQ(*closed, (ProfileHandOver{Request::Closed, 1, Current::Same}));
    EXPECT_EQ(data.pairs(), (Names{"Home", "Work", "Play", "Home", "Home"}));
    EXPECT_EQ(listedNames(), (Names{"Home", "Work", "Play", "Copy Home", "Copy Home (2)"}));
    EXPECT_EQ(currentName(), "Work");
    expectStoreFinds(1, "Work");
}

TEST_F(ProfileManagerTest, ChecksTypedNames)
{
    struct Case
    {
        const char* name;
        std::string typed;
        std::optional<std::string> stored; // none: refused
    };
    const Case cases[] = {
        {"as typed", "Games", "Games"},
        {"trimmed", "  Games \t", "Games"},
        {"inner spaces stay", "My  Games", "My  Games"},
        {"Chinese", "游戏", "游戏"},
        {"blank", "   ", std::nullopt},
        {"empty", "", std::nullopt},
        {"a tab inside", "My\tGames", std::nullopt},
        {"a line break", "My\nGames", std::nullopt},
        {"DEL", "My\x7fGames", std::nullopt},
        {"a C1 control", "My\xc2\x85Games", std::nullopt},
        {"1023 bytes", std::string(1023, 'a'), std::string(1023, 'a')},
        {"1024 bytes", std::string(1024, 'a'), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result<std::string> checked = ProfileManager::checkName(c.typed);
        ASSERT_EQ(checked.ok(), c.stored.has_value());
        if (c.stored) {
            EXPECT_EQ(*checked, *c.stored);
        } else {
            EXPECT_EQ(checked.error().kind, Error::Kind::InvalidInput);
        }
    }
}

TEST_F(ProfileManagerTest, RenamesInTheListOnly)
{
    data.writeProfiles({"Home", "Work", "Play"}, "Work");
    loadStore();
    ProfileManager manager = open();
    struct Case
    {
        const char* name;
        std::size_t index;
        const char* typed;
        bool accepted;
    };
    const Case cases[] = {
        {"another profile's name", 0, "Work", false},
        {"another profile's name in another case", 0, " work ", false},
        {"its own name in another case", 2, "PLAY", true},
        {"a new name for the current profile", 1, " Office ", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Names before = manager.names();
        const Status renamed = manager.rename(c.index, c.typed);
        EXPECT_EQ(renamed.ok(), c.accepted);
        if (!c.accepted) {
            EXPECT_EQ(manager.names(), before);
        }
    }
    EXPECT_EQ(manager.names(), (Names{"Home", "Office", "PLAY"}));
    const auto filesBefore = data.snapshot();
    const Result<ProfileHandOver> closed = manager.close(record);
    ASSERT_TRUE(closed);
    EXPECT_EQ(closed->current, Current::Same);
    EXPECT_EQ(listedNames(), (Names{"Home", "Office", "PLAY"}));
    EXPECT_EQ(currentName(), "Office");
    EXPECT_EQ(data.pairs(), (Names{"Home", "Work", "Play"}));
    // Only str.ini changed.
    auto filesAfter = data.snapshot();
    filesAfter.erase("str.ini");
    auto unchanged = filesBefore;
    unchanged.erase("str.ini");
    EXPECT_EQ(filesAfter, unchanged);
    expectStoreFinds(1, "Work");
}

TEST_F(ProfileManagerTest, DeletingMovesThePairAsideAndTheLaterOnesDown)
{
    struct Case
    {
        const char* name;
        std::vector<std::size_t> deletions; // positions at the time of each deletion
        std::optional<std::size_t> chosen;  // selected before closing
        Names pairs;
        std::vector<std::pair<std::size_t, std::string>> backups;
        std::string current;
        std::uint8_t index;
        Current outcome;
    };
    // A, B, C, D with C current.
    const Case cases[] = {
        {"the first", {0}, std::nullopt, {"B", "C", "D"}, {{0, "A"}}, "C", 1, Current::Renumbered},
        {"the last", {3}, std::nullopt, {"A", "B", "C"}, {{3, "D"}}, "C", 2, Current::Same},
        {"the current one", {2}, std::nullopt, {"A", "B", "D"}, {{2, "C"}}, "A", 0, Current::Other},
        {"two", {0, 1}, std::nullopt, {"B", "D"}, {{0, "A"}, {2, "C"}}, "B", 0, Current::Other},
        {"one, then choosing another", {1}, 2, {"A", "C", "D"}, {{1, "B"}}, "D", 2, Current::Other},
        {"all",
         {0, 0, 0, 0},
         std::nullopt,
         {},
         {{0, "A"}, {1, "B"}, {2, "C"}, {3, "D"}},
         "",
         0,
         Current::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (std::size_t i = 0; i <= 6; ++i) {
            fs::remove(data.file("config" + std::to_string(i) + ".bin.bak"));
            fs::remove(data.file("str" + std::to_string(i) + ".ini.bak"));
        }
        data.writeProfiles({"A", "B", "C", "D"}, "C");
        loadStore();
        ProfileManager manager = open();
        for (const std::size_t position : c.deletions) {
            // The user selects the entry to delete it.
            ASSERT_TRUE(manager.select(position));
            ASSERT_TRUE(manager.remove(position));
        }
        if (c.chosen) {
            ASSERT_TRUE(manager.select(*c.chosen));
        }
        EXPECT_EQ(manager.replacesRecord(), c.outcome == Current::Other);
        const Result<ProfileHandOver> closed = manager.close(record);
        ASSERT_TRUE(closed) << closed.error().message;
        EXPECT_EQ(*closed, (ProfileHandOver{Request::Closed, c.index, c.outcome}));
        EXPECT_EQ(data.pairs(), c.pairs);
        for (const auto& [number, name] : c.backups)
            EXPECT_EQ(data.backupAt(number), name) << number;
        EXPECT_EQ(currentName(), c.current);
        const IniDocument list = data.list();
        if (c.pairs.empty()) {
            EXPECT_FALSE(list.hasKey("Profile", "ItemCount"));
            EXPECT_FALSE(list.hasKey("Profile", "Item0"));
        } else {
            EXPECT_EQ(list.readInt("Profile", "ItemCount", 0), int(c.pairs.size()));
            EXPECT_EQ(listedNames(), c.pairs);
            expectStoreFinds(c.index, c.current);
        }
        // The rest of str.ini stays.
        EXPECT_EQ(list.readString("Skins", "Path", ""), "Default");
        EXPECT_EQ(list.readString("Setting-EN", "Item1", ""), "Default");
    }
}

TEST_F(ProfileManagerTest, DeletingNewAndCopiedEntriesBeforeClosing)
{
    data.writeProfiles({"A", "B", "C"}, "B");
    loadStore();
    ProfileManager manager = open();
    ASSERT_TRUE(manager.copy(2, "Copy")); // "Copy C" at 3
    ASSERT_TRUE(manager.addNew());        // "Copy C_4" at 4, selected
    ASSERT_TRUE(manager.remove(4));       // gone before it had files
    EXPECT_EQ(manager.selected(), 1u);    // back on B, the profile of the record
    ASSERT_TRUE(manager.remove(0));       // A goes, B moves up
    EXPECT_EQ(manager.names(), (Names{"B", "C", "Copy C"}));
    EXPECT_EQ(manager.selected(), 0u);
    const Result<ProfileHandOver> closed = manager.close(record);
    ASSERT_TRUE(closed) << closed.error().message;
    EXPECT_EQ(*closed, (ProfileHandOver{Request::Closed, 0, Current::Renumbered}));
    EXPECT_EQ(data.pairs(), (Names{"B", "C", "C"}));
    EXPECT_EQ(data.backupAt(0), "A");
    expectStoreFinds(0, "B");
}

TEST_F(ProfileManagerTest, StaleFilesWhereANewProfileGoesAreMovedAside)
{
    data.writeProfiles({"A"}, "A");
    data.writeProfile(1, "Orphan");
    loadStore();
    ProfileManager manager = open();
    ASSERT_TRUE(manager.addNew());
    ASSERT_TRUE(manager.close(record));
    EXPECT_EQ(data.backupAt(1), "Orphan");
    expectStoreFinds(1, "A"); // the new profile holds the record, which is A's
}

TEST_F(ProfileManagerTest, ListsWithGapsAreClosedUp)
{
    data.writeText("str.ini", "[Profile]\nCurProfileName=C\nItemCount=7\nItem0=A\nItem2=C\n"
                              "Item3=D\n");
    data.writeProfile(0, "A");
    data.writeProfile(1, "Stale");
    data.writeProfile(2, "C");
    data.writeProfile(3, "D");
    ProfileStore unusable(data.path(), data.writer());
    EXPECT_FALSE(unusable.loadCurrentProfile(record)); // ItemCount 7
    ProfileManager manager = open();
    EXPECT_EQ(manager.names(), (Names{"A", "C", "D"}));
    EXPECT_EQ(manager.selected(), 1u);
    ASSERT_TRUE(manager.rename(0, "Alpha"));
    ASSERT_TRUE(manager.select(1));
    const Result<ProfileHandOver> closed = manager.close(record);
    ASSERT_TRUE(closed) << closed.error().message;
    EXPECT_EQ(closed->current, Current::Other); // the record held no profile
    EXPECT_EQ(data.pairs(), (Names{"A", "C", "D"}));
    EXPECT_EQ(data.backupAt(1), "Stale");
    EXPECT_EQ(listedNames(), (Names{"Alpha", "C", "D"}));
    expectStoreFinds(1, "C");
}

TEST_F(ProfileManagerTest, LoadAndSaveCarryOutTheEditsFirst)
{
    struct Case
    {
        const char* name;
        bool save;
        std::size_t target;
        Current outcome;
    };
    const Case cases[] = {
        {"Load of another profile", false, 1, Current::Other},
        {"Save of the current profile", true, 0, Current::Renumbered},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        data.writeProfiles({"A", "B", "C"}, "B");
        fs::remove(data.file("config0.bin.bak"));
        fs::remove(data.file("str0.ini.bak"));
        loadStore();
        ProfileManager manager = open();
        ASSERT_TRUE(manager.remove(0)); // B and C move down before the dialog starts
        ASSERT_TRUE(manager.select(c.target));
        EXPECT_EQ(manager.replacesRecord(), c.outcome == Current::Other);
        const Result<ProfileHandOver> handed =
            c.save ? manager.save(c.target, record) : manager.load(c.target, record);
        ASSERT_TRUE(handed) << handed.error().message;
        EXPECT_EQ(*handed, (ProfileHandOver{c.save ? Request::Export : Request::Import,
                                            static_cast<std::uint8_t>(c.target), c.outcome}));
        EXPECT_EQ(data.pairs(), (Names{"B", "C"}));
        const std::string expected = c.target == 0 ? "B" : "C";
        EXPECT_EQ(currentName(), expected);
        expectStoreFinds(static_cast<std::uint8_t>(c.target), expected);
        // Once carried out, closing has nothing left to do.
        const auto before = data.snapshot();
        const Result<ProfileHandOver> closed = manager.close(record);
        ASSERT_TRUE(closed);
        EXPECT_EQ(closed->current, Current::Same);
        EXPECT_EQ(closed->profile, c.target);
        EXPECT_EQ(data.snapshot(), before);
    }
}

TEST_F(ProfileManagerTest, TwoProfilesOfOneName)
{
    data.writeProfiles({"X", "Y", "X"}, "X");
    loadStore();
    EXPECT_EQ(store->currentProfileIndex(), 2);
    ProfileManager manager = open();
    EXPECT_EQ(manager.selected(), 2u);
    // The first X cannot be made current by its name, so Load and Save refuse it.
    const Result<ProfileHandOver> refused = manager.load(0, record);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().kind, Error::Kind::InvalidInput);
    EXPECT_NE(refused.error().message.find("Two profiles are called \"X\""), std::string::npos);
    // Giving it another name makes it reachable.
    ASSERT_FALSE(manager.rename(1, "x"));
    ASSERT_TRUE(manager.rename(0, "X1"));
    const Result<ProfileHandOver> loaded = manager.load(0, record);
    ASSERT_TRUE(loaded) << loaded.error().message;
    EXPECT_EQ(*loaded, (ProfileHandOver{Request::Import, 0, Current::Other}));
    expectStoreFinds(0, "X");
}

TEST_F(ProfileManagerTest, WithoutStrIniTheListStartsEmptyAndIsCreatedForNewEntries)
{
    ProfileManager manager = open();
    EXPECT_TRUE(manager.names().empty());
    ASSERT_TRUE(manager.addNew());
    ASSERT_TRUE(manager.rename(0, "Mine"));
    const Result<ProfileHandOver> closed = manager.close(record);
    ASSERT_TRUE(closed) << closed.error().message;
    EXPECT_EQ(*closed, (ProfileHandOver{Request::Closed, 0, Current::Other}));
    EXPECT_EQ(listedNames(), (Names{"Mine"}));
    EXPECT_EQ(currentName(), "Mine");
    EXPECT_TRUE(fs::exists(data.file("config0.bin")));
    EXPECT_TRUE(fs::exists(data.file("str0.ini")));
    SettingsRecord loaded;
    ProfileStore fresh(data.path(), data.writer());
    ASSERT_TRUE(fresh.loadCurrentProfile(loaded));
    EXPECT_EQ(loaded, record);
}

TEST_F(ProfileManagerTest, AFailedStepPutsEveryFileBack)
{
    struct Case
    {
        const char* name;
        std::string obstacle;     // a folder in the way of moving a pair aside
        std::string fullBefore;   // the disk fills up before this file is written
        std::string namedInError; // the file the error names
    };
    // A, B, C, D: B is deleted (aside), C and D move down, a copy of C and a new profile
    // are written, then the list.
    const Case cases[] = {
        {"moving a pair aside", "str1.ini.bak", "", "str1.ini"},
        {"writing a copy", "", "config3.bin", "config3.bin"},
        {"writing a new profile's INI", "", "str4.ini", "str4.ini"},
        {"writing the list", "", "str.ini", "str.ini"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        data.writeProfiles({"A", "B", "C", "D"}, "C");
        if (!c.obstacle.empty())
            fs::create_directories(data.file(c.obstacle) + "/inside");
        loadStore();
        const auto before = data.snapshot();
        DiskFullBefore disk(data.writer(), c.fullBefore);
        ProfileManager manager = open(&disk);
        ASSERT_TRUE(manager.remove(1));
        ASSERT_TRUE(manager.copy(1, "Copy"));
        ASSERT_TRUE(manager.addNew());
        const Result<ProfileHandOver> closed = manager.close(record);
        ASSERT_FALSE(closed);
        EXPECT_NE(closed.error().message.find(c.namedInError), std::string::npos)
            << closed.error().message;
        EXPECT_NE(closed.error().message.find("left as they were"), std::string::npos)
            << closed.error().message;
        EXPECT_EQ(data.snapshot(), before);
        EXPECT_EQ(data.pairs(), (Names{"A", "B", "C", "D"}));
        EXPECT_EQ(listedNames(), (Names{"A", "B", "C", "D"}));

        // The edits survive the failure: once there is room, closing goes through.
        fs::remove_all(data.file("str1.ini.bak"));
        disk.makeRoom();
        const Result<ProfileHandOver> retried = manager.close(record);
        ASSERT_TRUE(retried) << retried.error().message;
        EXPECT_EQ(retried->current, Current::Other); // the new profile is selected
        // The copy is C's pair, the new profile holds the record, which is C's too.
        EXPECT_EQ(data.pairs(), (Names{"A", "C", "D", "C", "C"}));
        EXPECT_EQ(data.backupAt(1), "B");
        EXPECT_EQ(listedNames(), (Names{"A", "C", "D", "Copy C", "Copy C_4"}));
        for (const char* backup : {"config1.bin.bak", "str1.ini.bak"})
            fs::remove(data.file(backup));
        for (int i = 3; i <= 4; ++i) {
            fs::remove(data.file("config" + std::to_string(i) + ".bin"));
            fs::remove(data.file("str" + std::to_string(i) + ".ini"));
        }
    }
}

} // namespace
} // namespace volantra
