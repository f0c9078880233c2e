#include "common/language_table.h"
#include "device/device_commands.h"
#include "editing/default_item_names.h"
#include "editing/editing_session.h"
#include "model/profile_file.h"
#include "platform/posix_atomic_file_writer.h"
#include "platform/sim/simulated_mouse.h"
#include "support/memory_pointer_settings.h"
#include "support/simulated_link.h"
#include "support/temporary_directory.h"
#include "tools/default_data.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace volantra {
namespace {

namespace fs = std::filesystem;

// A session on the default data folder and a connected simulated mouse, as the window has
// it after start-up.
class EditingSessionTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(DefaultData::writeTo(data.path().string(), writer));
        mouse = device.simulator.addMouse();
        ASSERT_TRUE(device.link.discover());
        ASSERT_TRUE(device.link.connect());
        session.loadCurrent();
    }
    std::string profileFile() { return *store.currentProfilePath(); }
    DeviceImage sentConfig() { return device.simulator.mouse(mouse).config(); }

    test::TemporaryDirectory data;
    PosixAtomicFileWriter writer;
    ProfileStore store{data.path().string(), writer};
    test::SimulatedLink device;
    SimulatedBackend::DeviceId mouse = 0;
    MemoryPointerSettings desktop;
    SettingsRecord record;
    EditingSession session{{record, store, &device.link, {}, &desktop}};
};

TEST_F(EditingSessionTest, CancelRestoresTheSnapshotWithTheButtonLabels)
{
    const SettingsRecord loaded = record;
    const ProfileStore::ItemNames labels = store.itemNames();
    const struct
    {
        const char* what;
        std::function<void()> edit;
    } edits[] = {
        {"settings", [&] { record.setDpiStage(0, 77), record.setReportInterval(8); }},
        {"a label", [&] { store.setItemName(2, "Single Key-A"); }},
    };
    for (const auto& e : edits) {
        SCOPED_TRACE(e.what);
        e.edit();
        EXPECT_TRUE(session.hasUnappliedEdits());
        session.cancel();
        EXPECT_EQ(record, loaded);
        EXPECT_EQ(store.itemNames(), labels);
        EXPECT_FALSE(session.hasUnappliedEdits());
    }
    record.setProfile(loaded.profile() + 1);
    EXPECT_FALSE(session.hasUnappliedEdits()) << "the profile byte follows the mouse";
}

TEST_F(EditingSessionTest, ApplySendsSavesAndSetsThePointerSettings)
{
    record.setDpiStage(1, 40);
    Result<ApplyReport> report = session.apply();
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->sent.reached());
    EXPECT_EQ(sentConfig(), device.link.commands()->mirror().configSlots[0]);
    EXPECT_EQ(loadProfileFile(profileFile())->dpiStage(1), 40);
    EXPECT_FALSE(session.hasUnappliedEdits());
    EXPECT_EQ(desktop.applyCount(), 1);
}

// The record sent is the copy Apply began with: edits made while it is sent wait for the
// next Apply.
TEST_F(EditingSessionTest, EditsWhileSendingStayUnapplied)
{
    record.setDpiStage(1, 40);
    Result<PendingApply> pending = session.beginApply();
    ASSERT_TRUE(pending);
    record.setDpiStage(1, 60);
    const SendOutcome sent = EditingSession::send(&device.link, pending->record);
    session.finishApply(std::move(*pending), sent);
    EXPECT_EQ(loadProfileFile(profileFile())->dpiStage(1), 40);
    EXPECT_EQ(record.dpiStage(1), 60);
    EXPECT_TRUE(session.hasUnappliedEdits());
}

TEST_F(EditingSessionTest, AnApplyThatCannotReachTheMouseStillSavesAndLeavesTheDesktop)
{
    device.simulator.mouse(mouse).setFault(SimulatedMouse::Fault::Stall);
    record.setDpiStage(0, 33);
    Result<ApplyReport> report = session.apply();
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->sent.failure);
    EXPECT_EQ(loadProfileFile(profileFile())->dpiStage(0), 33);
    EXPECT_FALSE(session.hasUnappliedEdits());

    device.simulator.unplug(mouse);
    device.link.close();
    record.setPointerSpeed(record.pointerSpeed() % 12 + 1);
    const int before = desktop.applyCount();
    ASSERT_TRUE(session.apply());
    EXPECT_EQ(loadProfileFile(profileFile())->pointerSpeed(), record.pointerSpeed());
    EXPECT_EQ(desktop.applyCount(), before) << "without a mouse the desktop stays as it is";
}

// The mouse holds what an Apply sent even when the profile file could not be written,
// so Cancel must not go back to the settings before it.
TEST_F(EditingSessionTest, AnApplyWhoseSaveFailedIsWhatCancelGoesBackTo)
{
    const fs::path profile = profileFile();
    fs::remove(profile);
    fs::create_directories(profile / "in-the-way"); // nothing can be saved in its place
    record.setDpiStage(0, 33);
    Result<ApplyReport> report = session.apply();
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->saveFailure);
    EXPECT_TRUE(report->sent.reached());
    EXPECT_FALSE(session.hasUnappliedEdits());
    session.cancel();
    EXPECT_EQ(record.dpiStage(0), 33);
}

TEST_F(EditingSessionTest, ApplyRefusesWhatTheMouseWouldNotTakeAndSendsNothing)
{
    const std::vector<std::uint8_t> before = test::readBytes(profileFile());
    const std::size_t traced = device.trace().size();
    record.setDpiStage(0, 0);
    Result<ApplyReport> report = session.apply();
    ASSERT_FALSE(report);
    EXPECT_EQ(report.error().kind, Error::Kind::InvalidInput);
    EXPECT_EQ(test::readBytes(profileFile()), before);
    EXPECT_EQ(device.trace().size(), traced) << "the mouse was not touched";
}

TEST_F(EditingSessionTest, AReloadKeepsTheMousesProfileNumber)
{
    session.followMouseProfile(4);
    record.setDpiStage(2, 99);
    session.reloadKeepingProfile();
    EXPECT_EQ(record.profile(), 4);
    EXPECT_NE(record.dpiStage(2), 99);
    EXPECT_FALSE(session.hasUnappliedEdits());
}

TEST_F(EditingSessionTest, AFailedResetChangesNothing)
{
    fs::remove(data.file("config.bin"));
    record.setDpiStage(1, 30);
    const Status reset = session.reset();
    ASSERT_FALSE(reset);
    EXPECT_EQ(reset.error().kind, Error::Kind::NotFound);
    EXPECT_EQ(record.dpiStage(1), 30);
}

TEST_F(EditingSessionTest, AnImportWithoutNamesNamesTheButtonsAfterTheirFunctions)
{
    test::TemporaryDirectory elsewhere;
    const std::string bare = elsewhere.file("bare.bin");
    fs::copy_file(data.file("config1.bin"), bare);
    ProfileStore::ItemNames stale;
    stale.fill("Stale");
    store.setItemNames(stale);
    ASSERT_TRUE(session.importProfile(bare));
    ProfileStore::ItemNames expected{};
    fillDefaultItemNames(expected, record, LanguageTable::forLanguage(Language::English));
    EXPECT_EQ(store.itemNames(), expected);
    EXPECT_TRUE(session.hasUnappliedEdits()) << "an import waits for Apply";
}

} // namespace
} // namespace volantra
