#include "model/ini_file.h"
#include "model/profile_file.h"
#include "model/profile_store.h"
#include "platform/posix_atomic_file_writer.h"
#include "support/temporary_directory.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <vector>

namespace volantra {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

using test::readBytes;
using test::writeBytes;

void writeText(const std::string& path, const std::string& text)
{
    writeBytes(path, Bytes(text.begin(), text.end()));
}

// A record whose every byte tells where it came from and where it sits.
SettingsRecord patterned(std::uint8_t seed)
{
    SettingsRecord::Bytes bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    return SettingsRecord(bytes);
}

Bytes profileBytes(std::uint8_t flag, const SettingsRecord& record)
{
    Bytes bytes(1 + record.bytes().size());
    bytes[0] = flag;
    std::copy(record.bytes().begin(), record.bytes().end(), bytes.begin() + 1);
    return bytes;
}

ProfileStore::ItemNames names(const std::string& prefix)
{
    ProfileStore::ItemNames items;
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i] = prefix + std::to_string(i + 1);
    return items;
}

// Every file of the folder with its bytes, to show that nothing changed.
std::map<std::string, Bytes> snapshot(const fs::path& folder)
{
    std::map<std::string, Bytes> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[entry.path().string()] = readBytes(entry.path().string());
    return files;
}

// A disk that refuses every write, as a full one would.
class RefusingWriter final : public AtomicFileWriter
{
public:
    Status writeFile(const std::string& path, std::span<const std::uint8_t>) override
    {
        return Error{Error::Kind::Io, path + ": no space left on device"};
    }
    Status moveOver(const std::string&, const std::string& to) override
    {
        return Error{Error::Kind::Io, to + ": no space left on device"};
    }
};

class ProfileStoreTest : public ::testing::Test
{
protected:
    // A data directory with three profiles, the second current, and the defaults.
    void SetUp() override
    {
        writeText(file("str.ini"), "[Profile]\nCurProfileName=Work\nItemCount=3\nItem0=Home\n"
                                   "Item1=Work\nItem2=Play\n[Setting-EN]\nItem1=Default 1\n"
                                   "Item2=Default 2\n[Skins]\nPath=Factory\nRColor=1\n");
        writeBytes(file("config.bin"), profileBytes(0, patterned(100)));
        for (std::uint8_t i = 0; i < 3; ++i) {
            writeBytes(file("config" + std::to_string(i) + ".bin"), profileBytes(1, patterned(i)));
            writeText(file("str" + std::to_string(i) + ".ini"),
                      "[Skins]\nLan=EN\nPath=Dark\nRColor=10\nGColor=20\nBColor=30\n"
                      "[Setting-EN]\nItem1=Left " +
                          std::to_string(i) +
                          "\nItem8=Eighth\n"
                          "[Setting-CHS]\nItem1=左键\n");
        }
    }

    std::string file(const std::string& name) const { return directory.file(name); }
    ProfileStore makeStore(Language language = Language::English)
    {
        return ProfileStore(directory.path().string(), writer, language);
    }

    test::TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
};

TEST_F(ProfileStoreTest, LoadsTheProfileTheListNames)
{
    ProfileStore store = makeStore();
    SettingsRecord record;
    ASSERT_TRUE(store.loadCurrentProfile(record));
    EXPECT_EQ(store.currentProfileIndex(), 1);
    EXPECT_EQ(record, patterned(1));
    EXPECT_EQ(store.firstRunFlag(), 1);
    EXPECT_EQ(store.currentProfilePath(), file("config1.bin"));
    EXPECT_EQ(store.currentIniPath(), file("str1.ini"));
    EXPECT_EQ(store.macroFilePath(), file("record.ini"));
}

TEST_F(ProfileStoreTest, AnUnknownCurrentNameKeepsThePreviousIndex)
{
    ProfileStore store = makeStore();
    SettingsRecord record;
    ASSERT_TRUE(store.loadCurrentProfile(record));
    writeText(file("str.ini"), "[Profile]\nCurProfileName=Gone\nItemCount=3\nItem0=Home\n"
                               "Item1=Work\nItem2=Play\n");
    ASSERT_TRUE(store.loadCurrentProfile(record));
    EXPECT_EQ(store.currentProfileIndex(), 1);
    EXPECT_EQ(record, patterned(1));
}

TEST_F(ProfileStoreTest, AnUnusableListLoadsNothingAndWritesNothing)
{
    for (const char* count : {"0", "7", "", "many"}) {
        SCOPED_TRACE(count);
        writeText(file("str.ini"), std::string("[Profile]\nCurProfileName=Home\nItemCount=") +
                                       count + "\nItem0=Home\n");
        const auto before = snapshot(directory.path());
        ProfileStore store = makeStore();
        SettingsRecord record = patterned(50);
        const Status loaded = store.loadCurrentProfile(record);
        ASSERT_FALSE(loaded);
        EXPECT_NE(loaded.error().message.find("str.ini"), std::string::npos);
        EXPECT_EQ(record, patterned(50));
        EXPECT_FALSE(store.currentProfilePath().has_value());
        EXPECT_FALSE(store.currentIniPath().has_value());

        // Without a current profile there is nothing to read and nowhere to write.
        store.setItemNames(names("x"));
        ASSERT_TRUE(store.readProfileIni());
        EXPECT_EQ(store.itemNames(), ProfileStore::ItemNames{});
        store.setItemNames(names("x"));
        EXPECT_FALSE(store.writeProfileItems());
        EXPECT_EQ(snapshot(directory.path()), before);
    }
}

TEST_F(ProfileStoreTest, ARecordThatWasNotLoadedIsNeverSaved)
{
    const struct
    {
        const char* what;
        const char* file;
        std::string text;
        bool listUnusable;
    } cases[] = {
        {"no usable list", "str.ini", "[Profile]\nCurProfileName=Work\nItemCount=9\n", true},
        {"a list of random bytes", "str.ini", "\x01\xfe\x00ItemCount=2", true},
        {"a damaged profile", "config1.bin", "short", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        writeText(file(c.file), c.text);
        const auto before = snapshot(directory.path());
        ProfileStore store = makeStore();
        SettingsRecord record = patterned(50);
        ASSERT_FALSE(store.loadCurrentProfile(record));
        ASSERT_TRUE(store.saveRefusal().has_value());
        store.setItemNames(names("x"));
        EXPECT_FALSE(store.saveProfile(record));
        EXPECT_FALSE(store.writeProfileItems());
        if (c.listUnusable) {
            // Profile 0 may be looked at, but neither saved nor reset.
            ASSERT_TRUE(store.loadFirstProfileReadOnly(record));
            EXPECT_EQ(record, patterned(0));
            EXPECT_FALSE(store.resetToDefaults(record));
            EXPECT_FALSE(store.saveProfile(record));
        } else {
            // Reset is what repairs it.
            ASSERT_TRUE(store.resetToDefaults(record));
            EXPECT_TRUE(store.saveProfile(record));
            EXPECT_EQ(readBytes(file(c.file)).size(), ProfileFile::kSize);
            continue;
        }
        EXPECT_EQ(snapshot(directory.path()), before);
    }
}

TEST_F(ProfileStoreTest, AfterTheLastProfileIsDeletedNothingIsSavedOutsideTheList)
{
    ProfileStore store = makeStore();
    SettingsRecord record;
    ASSERT_TRUE(store.loadCurrentProfile(record));
    EXPECT_EQ(store.currentProfileIndex(), 1);
    writeText(file("str.ini"), "[Profile]\nCurProfileName=\n");
    const auto before = snapshot(directory.path());
    store.clearCurrentProfile();
    EXPECT_EQ(store.currentProfileIndex(), 0);
    EXPECT_FALSE(store.saveProfile(record));
    EXPECT_FALSE(store.resetToDefaults(record));
    EXPECT_EQ(snapshot(directory.path()), before);
}

TEST_F(ProfileStoreTest, NoticesWhenAnotherProgramChangedTheProfile)
{
    ProfileStore store = makeStore();
    SettingsRecord record;
    ASSERT_TRUE(store.loadCurrentProfile(record));
    ASSERT_TRUE(store.readProfileIni());
    EXPECT_FALSE(store.changedOnDisk());
    writeBytes(file("config1.bin"), profileBytes(1, patterned(9)));
    EXPECT_TRUE(store.changedOnDisk());
    ASSERT_TRUE(store.saveProfile(record)); // the user chose to overwrite
    EXPECT_FALSE(store.changedOnDisk());
    writeText(file("str1.ini"), "[Setting-EN]\nItem1=Renamed elsewhere\n");
    EXPECT_TRUE(store.changedOnDisk());
}

TEST_F(ProfileStoreTest, AProfileFileOfTheWrongLengthIsRefused)
{
    for (std::size_t size : {std::size_t{0}, std::size_t{1756}, std::size_t{1758}}) {
        SCOPED_TRACE(size);
        writeBytes(file("config1.bin"), Bytes(size, 0xAA));
        ProfileStore store = makeStore();
        SettingsRecord record = patterned(50);
        const Status loaded = store.loadCurrentProfile(record);
        ASSERT_FALSE(loaded);
        EXPECT_NE(loaded.error().message.find(file("config1.bin")), std::string::npos);
        EXPECT_NE(loaded.error().message.find(std::to_string(size)), std::string::npos);
        EXPECT_EQ(record, patterned(50));
        EXPECT_EQ(readBytes(file("config1.bin")), Bytes(size, 0xAA));
    }
}

TEST_F(ProfileStoreTest, AMissingProfileFileIsNamed)
{
    fs::remove(file("config1.bin"));
    ProfileStore store = makeStore();
    SettingsRecord record = patterned(50);
    const Status loaded = store.loadCurrentProfile(record);
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.error().kind, Error::Kind::NotFound);
    EXPECT_NE(loaded.error().message.find("config1.bin"), std::string::npos);
    EXPECT_EQ(record, patterned(50));
}

TEST_F(ProfileStoreTest, ReadsTheNamesOfTheLanguageAndTheSkin)
{
    struct Case
    {
        Language language;
        std::string first;
        std::string eighth;
    };
    const Case cases[] = {
        {Language::English, "Left 1", "Eighth"},
        {Language::SimplifiedChinese, "左键", ""},
        {Language::TraditionalChinese, "", ""},
    };
    for (const Case& c : cases) {
        ProfileStore store = makeStore(c.language);
        SettingsRecord record;
        ASSERT_TRUE(store.loadCurrentProfile(record));
        ASSERT_TRUE(store.readProfileIni());
        EXPECT_EQ(store.itemNames()[0], c.first);
        EXPECT_EQ(store.itemNames()[7], c.eighth);
        EXPECT_EQ(store.skin(), (ProfileSkin{"Dark", 10, 20, 30}));
        EXPECT_EQ(store.readLanguageCode(), "EN");
    }
}

TEST_F(ProfileStoreTest, WritesTheNamesIntoTheirLanguageOnly)
{
    ProfileStore store = makeStore(Language::TraditionalChinese);
    SettingsRecord record;
    ASSERT_TRUE(store.loadCurrentProfile(record));
    store.setItemNames(names("鍵"));
    ASSERT_TRUE(store.writeProfileItems());

    Result<IniFile> ini = IniFile::load(file("str1.ini"), writer);
    ASSERT_TRUE(ini);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(ini->readString("Setting-CHT", "Item" + std::to_string(i + 1), "?"),
                  "鍵" + std::to_string(i + 1));
    EXPECT_EQ(ini->readString("Setting-EN", "Item1", "?"), "Left 1");
    EXPECT_EQ(ini->readString("Setting-CHS", "Item1", "?"), "左键");
    EXPECT_EQ(ini->readString("Skins", "Path", "?"), "Dark");
}

TEST_F(ProfileStoreTest, SavesTheRecordWithTheSavedFlag)
{
    writeBytes(file("config1.bin"), profileBytes(0, patterned(1)));
    ProfileStore store = makeStore();
    SettingsRecord record;
    ASSERT_TRUE(store.loadCurrentProfile(record));
    EXPECT_EQ(store.firstRunFlag(), 0);
    ASSERT_TRUE(store.saveProfile(patterned(77)));
    EXPECT_EQ(readBytes(file("config1.bin")), profileBytes(1, patterned(77)));
    EXPECT_EQ(store.firstRunFlag(), 1);

    // Written, read back and written again, the file stays the same byte for byte.
    SettingsRecord reloaded;
    ASSERT_TRUE(store.loadCurrentProfile(reloaded));
    ASSERT_TRUE(store.saveProfile(reloaded));
    EXPECT_EQ(readBytes(file("config1.bin")), profileBytes(1, patterned(77)));
}

TEST_F(ProfileStoreTest, SavingCreatesAMissingProfileWithItsNames)
{
    writeText(file("str.ini"), "[Profile]\nCurProfileName=New\nItemCount=4\nItem0=Home\n"
                               "Item1=Work\nItem2=Play\nItem3=New\n");
    ProfileStore store = makeStore();
    SettingsRecord record = patterned(9);
    EXPECT_FALSE(store.loadCurrentProfile(record));
    EXPECT_EQ(store.currentProfileIndex(), 3);
    // A record that was never loaded is not saved in its place; the defaults are.
    EXPECT_FALSE(store.saveProfile(record));
    EXPECT_FALSE(fs::exists(file("config3.bin")));
    ASSERT_TRUE(store.resetToDefaults(record));
    store.setItemNames(names("Button "));
    ASSERT_TRUE(store.saveProfile(record));
    SettingsRecord defaults = patterned(100);
    defaults.setProfile(9); // the mouse's profile byte stays
    EXPECT_EQ(readBytes(file("config3.bin")), profileBytes(1, defaults));
    Result<IniFile> ini = IniFile::load(file("str3.ini"), writer);
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->readString("Setting-EN", "Item8", ""), "Button 8");
}

TEST_F(ProfileStoreTest, AFailedSaveLeavesTheFileAsItWas)
{
    RefusingWriter refusing;
    ProfileStore store(directory.path().string(), refusing);
    SettingsRecord record;
    ASSERT_TRUE(store.loadCurrentProfile(record));
    const auto before = snapshot(directory.path());
    const Status saved = store.saveProfile(patterned(77));
    ASSERT_FALSE(saved);
    EXPECT_NE(saved.error().message.find("config1.bin"), std::string::npos);
    store.setItemNames(names("x"));
    EXPECT_FALSE(store.writeProfileItems());
    EXPECT_EQ(snapshot(directory.path()), before);
}

TEST_F(ProfileStoreTest, SavingAnAppliedProfileZeroesItsProfileByteAndKeepsTheNames)
{
    ProfileStore store = makeStore();
    SettingsRecord record;
    ASSERT_TRUE(store.loadCurrentProfile(record));
    record.setProfile(4);
    store.setItemNames(names("Applied "));
    ASSERT_TRUE(store.saveAppliedProfile(record));
    EXPECT_EQ(record.profile(), 0);
    const Bytes saved = readBytes(file("config1.bin"));
    ASSERT_EQ(saved.size(), ProfileFile::kSize);
    EXPECT_EQ(saved[1], 0);
    ProfileStore reader = makeStore();
    ASSERT_TRUE(reader.loadCurrentProfile(record));
    ASSERT_TRUE(reader.readProfileIni());
    EXPECT_EQ(reader.itemNames(), names("Applied "));
}

TEST_F(ProfileStoreTest, ImportRefusesBadFilesBeforeReadingTheirNames)
{
    struct Case
    {
        const char* name;
        std::string path;
        std::optional<std::size_t> size; // nullopt: no such file
    };
    const Case cases[] = {
        {"not a .bin name", directory.file("other.dat"), ProfileFile::kSize},
        {"missing", directory.file("missing.bin"), std::nullopt},
        {"too short", directory.file("short.bin"), ProfileFile::kSize - 1},
        {"too long", directory.file("long.bin"), ProfileFile::kSize + 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.size)
            writeBytes(c.path, Bytes(*c.size, 0x55));
        const std::string ini = c.path.substr(0, c.path.size() - 4) + ".ini";
        writeText(ini, "[Setting-EN]\nItem1=Imported\n[Skins]\nPath=Imported\n");

        ProfileStore store = makeStore();
        SettingsRecord record;
        ASSERT_TRUE(store.loadCurrentProfile(record));
        ASSERT_TRUE(store.readProfileIni());
        const Status imported = store.importProfile(c.path, record);
        ASSERT_FALSE(imported);
        EXPECT_NE(imported.error().message.find(c.path), std::string::npos);
        EXPECT_EQ(record, patterned(1));
        EXPECT_EQ(store.itemNames()[0], "Left 1");
        EXPECT_EQ(store.skin().path, "Dark");
    }
}

TEST_F(ProfileStoreTest, ImportTakesTheRecordAndTheNamesBesideIt)
{
    test::TemporaryDirectory elsewhere;
    writeBytes(elsewhere.file("mine.bin"), profileBytes(1, patterned(42)));
    writeText(elsewhere.file("mine.ini"), "[Setting-EN]\nItem1=Shoot\n[Skins]\nPath=Red\n");
    writeBytes(elsewhere.file("bare.bin"), profileBytes(0, patterned(43)));

    ProfileStore store = makeStore();
    SettingsRecord record;
    ASSERT_TRUE(store.loadCurrentProfile(record));
    ASSERT_TRUE(store.readProfileIni());
    ASSERT_TRUE(store.importProfile(elsewhere.file("mine.bin"), record));
    EXPECT_EQ(record, patterned(42));
    EXPECT_EQ(store.itemNames()[0], "Shoot");
    EXPECT_EQ(store.skin().path, "Red");
    EXPECT_EQ(store.currentProfilePath(), file("config1.bin"));
    // Nothing is saved until the user applies.
    EXPECT_EQ(readBytes(file("config1.bin")), profileBytes(1, patterned(1)));

    // Without an .ini beside it the file has no names: the previous ones do not stay on
    // buttons that may now do something else.
    ASSERT_TRUE(store.importProfile(elsewhere.file("bare.bin"), record));
    EXPECT_EQ(record, patterned(43));
    EXPECT_EQ(store.firstRunFlag(), 0);
    EXPECT_EQ(store.itemNames(), ProfileStore::ItemNames{});
    EXPECT_EQ(store.skin(), ProfileSkin{});
}

TEST_F(ProfileStoreTest, ExportWritesThePairAndItsCopyInTheDataDirectory)
{
    test::TemporaryDirectory elsewhere;
    ProfileStore store = makeStore();
    SettingsRecord record;
    ASSERT_TRUE(store.loadCurrentProfile(record));
    store.setItemNames(names("Exported "));
    Result<ProfileStore::ExportResult> exported =
        store.exportProfile({elsewhere.file("match"), false}, patterned(60));
    ASSERT_TRUE(exported);
    EXPECT_EQ(exported->outcome, ProfileStore::ExportResult::Outcome::Written);
    EXPECT_FALSE(exported->copySkipped);
    EXPECT_EQ(exported->binPath, elsewhere.file("match.bin"));
    for (const std::string& bin : {elsewhere.file("match.bin"), file("match.bin")}) {
        EXPECT_EQ(readBytes(bin), profileBytes(1, patterned(60))) << bin;
        Result<IniFile> ini = IniFile::load(bin.substr(0, bin.size() - 4) + ".ini", writer);
        ASSERT_TRUE(ini);
        EXPECT_EQ(ini->readString("Setting-EN", "Item3", ""), "Exported 3") << bin;
    }
    EXPECT_EQ(store.currentProfilePath(), file("match.bin"));
    EXPECT_EQ(store.currentIniPath(), file("match.ini"));
    // The current profile's own file is not touched by an export.
    EXPECT_EQ(readBytes(file("config1.bin")), profileBytes(1, patterned(1)));
}

TEST_F(ProfileStoreTest, ExportNeverCopiesOverTheProgramsFiles)
{
    for (const char* name :
         {"config", "config.bin", "config0.bin", "config5", "str", "str3", "record"}) {
        SCOPED_TRACE(name);
        test::TemporaryDirectory elsewhere;
        ProfileStore store = makeStore();
        SettingsRecord record;
        ASSERT_TRUE(store.loadCurrentProfile(record));
        const auto before = snapshot(directory.path());
        Result<ProfileStore::ExportResult> exported =
            store.exportProfile({elsewhere.file(name), true}, patterned(61));
        ASSERT_TRUE(exported);
        EXPECT_TRUE(exported->copySkipped);
        EXPECT_EQ(readBytes(exported->binPath), profileBytes(1, patterned(61)));
        EXPECT_EQ(snapshot(directory.path()), before);
        EXPECT_EQ(store.currentProfilePath(), file("config1.bin"));
    }
}

TEST_F(ProfileStoreTest, ExportAsksBeforeReplacingAnotherFileOfTheDataDirectory)
{
    for (const char* existing : {"keep.bin", "keep.ini"}) {
        SCOPED_TRACE(existing);
        test::TemporaryDirectory elsewhere;
        writeText(file(existing), "someone's file");
        ProfileStore store = makeStore();
        SettingsRecord record;
        ASSERT_TRUE(store.loadCurrentProfile(record));
        const auto before = snapshot(directory.path());

        Result<ProfileStore::ExportResult> asked =
            store.exportProfile({elsewhere.file("keep.bin"), false}, patterned(62));
        ASSERT_TRUE(asked);
        EXPECT_EQ(asked->outcome, ProfileStore::ExportResult::Outcome::WouldReplace);
        EXPECT_EQ(asked->existingCopy, file(existing));
        EXPECT_EQ(snapshot(directory.path()), before);
        EXPECT_FALSE(fs::exists(elsewhere.file("keep.bin")));
        EXPECT_EQ(store.currentProfilePath(), file("config1.bin"));

        Result<ProfileStore::ExportResult> confirmed =
            store.exportProfile({elsewhere.file("keep.bin"), true}, patterned(62));
        ASSERT_TRUE(confirmed);
        EXPECT_EQ(confirmed->outcome, ProfileStore::ExportResult::Outcome::Written);
        EXPECT_EQ(readBytes(file("keep.bin")), profileBytes(1, patterned(62)));
        fs::remove(file("keep.bin"));
        fs::remove(file("keep.ini"));
    }
}

TEST_F(ProfileStoreTest, ExportIntoTheDataDirectoryWritesOnce)
{
    ProfileStore store = makeStore();
    SettingsRecord record;
    ASSERT_TRUE(store.loadCurrentProfile(record));
    writeBytes(file("mine.bin"), profileBytes(1, patterned(3)));
    // The chosen file is the copy; replacing it was confirmed by the save dialog.
    Result<ProfileStore::ExportResult> exported =
        store.exportProfile({file("mine.bin"), false, true}, patterned(63));
    ASSERT_TRUE(exported);
    EXPECT_EQ(exported->outcome, ProfileStore::ExportResult::Outcome::Written);
    EXPECT_EQ(readBytes(file("mine.bin")), profileBytes(1, patterned(63)));
}

TEST_F(ProfileStoreTest, ResetTakesTheDefaultSettingsAndKeepsTheMacros)
{
    ProfileStore store = makeStore();
    SettingsRecord record;
    ASSERT_TRUE(store.loadCurrentProfile(record));
    record.setProfile(3);
    ASSERT_TRUE(store.resetToDefaults(record));

    const SettingsRecord defaults = patterned(100);
    const SettingsRecord profile = patterned(1);
    EXPECT_EQ(record.profile(), 3);
    for (std::size_t i = 1; i < SettingsRecord::kSize; ++i) {
        const std::uint8_t expected =
            i < SettingsRecord::kSettingsSize ? defaults.bytes()[i] : profile.bytes()[i];
        ASSERT_EQ(record.bytes()[i], expected) << "offset " << i;
    }
    EXPECT_EQ(store.itemNames()[0], "Default 1");
    EXPECT_EQ(store.skin().path, "Factory");
    EXPECT_EQ(store.firstRunFlag(), 0);
    // Saving after a reset goes to the current profile, never to the defaults.
    EXPECT_EQ(store.currentProfilePath(), file("config1.bin"));
    EXPECT_EQ(store.currentIniPath(), file("str1.ini"));
    ASSERT_TRUE(store.saveAppliedProfile(record));
    EXPECT_EQ(readBytes(file("config.bin")), profileBytes(0, patterned(100)));
    Result<IniFile> ini = IniFile::load(file("str1.ini"), writer);
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->readString("Setting-EN", "Item1", ""), "Default 1");
}

TEST_F(ProfileStoreTest, ResetWithBadDefaultsChangesNothing)
{
    writeBytes(file("config.bin"), Bytes(220, 1));
    ProfileStore store = makeStore();
    SettingsRecord record;
    ASSERT_TRUE(store.loadCurrentProfile(record));
    ASSERT_TRUE(store.readProfileIni());
    const Status reset = store.resetToDefaults(record);
    ASSERT_FALSE(reset);
    EXPECT_NE(reset.error().message.find("config.bin"), std::string::npos);
    EXPECT_NE(reset.error().message.find("220"), std::string::npos);
    EXPECT_EQ(record, patterned(1));
    EXPECT_EQ(store.itemNames()[0], "Left 1");
}

TEST(ProfileStoreNames, KnowsTheProgramsOwnFiles)
{
    for (const char* name : {"config.bin", "config0.bin", "config5.bin", "str.ini", "str0.ini",
                             "str5.ini", "record.ini"})
        EXPECT_TRUE(ProfileStore::isProgramFileName(name)) << name;
    for (const char* name : {"config6.bin", "str6.ini", "Config.bin.bak", "mine.bin", "config.ini"})
        EXPECT_FALSE(ProfileStore::isProgramFileName(name)) << name;
}

TEST(ProfileStoreNames, ChoosesTheLanguageFromItsCode)
{
    const std::pair<const char*, const char*> cases[] = {
        {"CHS", "Setting-CHS"}, {"CHT", "Setting-CHT"}, {"EN", "Setting-EN"},
        {"chs", "Setting-EN"},  {"", "Setting-EN"},     {"CHS ", "Setting-EN"},
    };
    for (const auto& [code, section] : cases)
        EXPECT_STREQ(ProfileStore::itemSection(languageFromCode(code)), section) << code;
}

} // namespace
} // namespace volantra
