#include "app/qt/main_controller.h"
#include "app/qt/main_window.h"
#include "app/window_areas.h"
#include "assign/button_assignment.h"
#include "common/language_table.h"
#include "device/device_commands.h"
#include "device/device_link.h"
#include "editing/default_item_names.h"
#include "help/help_panel_areas.h"
#include "help/qt/help_panel.h"
#include "macro/macro_editor.h"
#include "macro/macro_encoder.h"
#include "macro/qt/macro_manager_dialog.h"
#include "model/ini_file.h"
#include "model/profile_file.h"
#include "model/profile_store.h"
#include "pages/qt/main_panels.h"
#include "platform/device_session.h"
#include "platform/posix_atomic_file_writer.h"
#include "platform/posix_folder_lock.h"
#include "platform/sim/simulated_mouse.h"
#include "profiles/qt/profile_manager_dialog.h"
#include "skin/qt/qt_rect.h"
#include "skin/qt/skin_library.h"
#include "support/memory_pointer_settings.h"
#include "support/temporary_directory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace volantra {
namespace {

namespace fs = std::filesystem;

bool waitFor(const std::function<bool()>& condition, int milliseconds = 3000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

std::size_t countLines(const std::string& path, const std::string& prefix)
{
    std::size_t count = 0;
    for (const std::string& line : test::readLines(path))
        count += line.rfind(prefix, 0) == 0;
    return count;
}

// The configuration image goes to the mouse once per Apply.
constexpr const char* kConfigWrite = "set-feature 00 0c";

class MainControllerTest : public testing::Test
{
protected:
    // Copies the default data into a fresh folder, with `languageCode` in every profile INI.
    void setSkinPath(const std::string& value)
    {
        PosixAtomicFileWriter writer;
        for (const auto& entry : fs::directory_iterator(directory->path())) {
            if (entry.path().extension() != ".ini")
                continue;
            Result<IniFile> ini = IniFile::load(entry.path().string(), writer);
            ASSERT_TRUE(ini);
            ASSERT_TRUE(ini->writeString("Skins", "Path", value));
        }
    }

    void prepareData(const std::string& languageCode = "", const std::string& extraSkinKeys = "")
    {
        fs::copy(VOLANTRA_DEFAULT_DATA_DIR, directory->path(), fs::copy_options::recursive);
        PosixAtomicFileWriter writer;
        for (const auto& entry : fs::directory_iterator(directory->path())) {
            if (entry.path().extension() != ".ini")
                continue;
            Result<IniFile> ini = IniFile::load(entry.path().string(), writer);
            ASSERT_TRUE(ini);
            if (!languageCode.empty()) {
                ASSERT_TRUE(ini->writeString("Skins", "Lan", languageCode));
            }
            if (!extraSkinKeys.empty()) {
                ASSERT_TRUE(ini->writeString("Skins", "RColor", extraSkinKeys));
            }
        }
    }

    void start()
    {
        AppOptions options;
        options.simulate = true;
        options.dataDirectory = directory->path().string();
        options.tracePath = trace();
        options.show = showAtStart;
        controller = std::make_unique<MainController>(options);
        if (tray)
            controller->setTrayAvailable(*tray);
        QObject::connect(
            &controller->notifier(), &DesktopNotifier::notified,
            [this](const QString&, const QString& text) { notices.push_back(text.toStdString()); });
        auto desktop = std::make_unique<MemoryPointerSettings>();
        pointer = desktop.get();
        controller->setPointerSettings(std::move(desktop));
        controller->setFileChooser([this](bool save, const QString&) {
            (save ? exportChoices : importChoices)++;
            if (!nextChoices.empty()) {
                const std::string next = nextChoices.front();
                nextChoices.erase(nextChoices.begin());
                return QString::fromStdString(next);
            }
            return QString::fromStdString(chosenFile);
        });
        controller->setAsker([this](MainController::Question question) {
            questions.push_back(question);
            return answer;
        });
        const Status started = controller->start();
        ASSERT_TRUE(started) << started.error().message;
    }

    std::string trace() const { return directory->file("trace.txt"); }
    // The sending of an Apply runs on another thread; the test waits for its end.
    void waitForApply()
    {
        ASSERT_TRUE(waitFor([&] { return !controller->applyRunning(); }));
    }
    void applyAndWait()
    {
        controller->apply();
        waitForApply();
    }
    void resetAndWait()
    {
        controller->reset();
        waitForApply();
    }
    std::string currentProfileFile() { return *controller->store().currentProfilePath(); }
    SimulatedBackend& simulator() { return *controller->session().simulator(); }
    std::string lastNotice() { return controller->notifier().lastText().toStdString(); }
    std::size_t noticesWith(const std::string& part) const
    {
        return std::count_if(notices.begin(), notices.end(), [&](const std::string& notice) {
            return notice.find(part) != std::string::npos;
        });
    }
    bool connected() { return controller->session().link().connected(); }
    void unplugAndWait()
    {
        simulator().unplug(0);
        ASSERT_TRUE(waitFor([&] { return !connected(); }));
    }

    // A new data folder and no controller, for tests that go through several cases.
    void startAfresh()
    {
        controller.reset();
        directory = std::make_unique<test::TemporaryDirectory>();
        questions.clear();
        notices.clear();
    }

    std::unique_ptr<test::TemporaryDirectory> directory =
        std::make_unique<test::TemporaryDirectory>();
    std::unique_ptr<MainController> controller;
    MemoryPointerSettings* pointer = nullptr;
    std::vector<MainController::Question> questions;
    MainController::Answer answer = MainController::Answer::Yes;
    std::string chosenFile;
    std::vector<std::string> nextChoices; // chosen before chosenFile, one per dialog
    std::vector<std::string> notices;     // every notice shown, oldest first
    std::optional<bool> tray;             // the desktop's own answer when not set
    bool showAtStart = false;
    int importChoices = 0;
    int exportChoices = 0;
};

TEST_F(MainControllerTest, StartsOnTheSimulatedMouseWithTheWindowSizedToItsBackground)
{
    prepareData();
    start();
    EXPECT_TRUE(controller->session().link().connected());
    EXPECT_EQ(controller->window().size(), QSize(994, 634).expandedTo(controller->window().size()));
    EXPECT_GE(controller->window().width(), MainWindow::kMinimumWidth);
    EXPECT_FALSE(controller->window().windowIcon().pixmap(32).isNull());
    // The connection sequence ran: profile read, then the mode command.
    EXPECT_EQ(countLines(trace(), "set-feature 00 82"), 1u);
    EXPECT_EQ(countLines(trace(), "set-feature 00 01 fc"), 1u);
    EXPECT_EQ(countLines(trace(), kConfigWrite), 0u) << "nothing is sent before Apply";
    // Without a tray the window is shown at once, or it could never be opened.
    if (!controller->trayAvailable()) {
        EXPECT_TRUE(controller->window().isVisible());
    }
}

TEST_F(MainControllerTest, AScreenOfAnotherDensityRedrawsTheWindowFromItsImages)
{
    prepareData();
    start();
    const QSize logical = controller->window().size();
    controller->followPixelRatio(2);
    EXPECT_EQ(controller->skin().image(MainWindow::kBackground).devicePixelRatio(), 2.0)
        << "the default skin's @2x image";
    EXPECT_EQ(controller->window().picture().size(), logical * 2);
    EXPECT_EQ(controller->window().size(), logical) << "the layout stays in logical pixels";
    controller->followPixelRatio(1);
    EXPECT_EQ(controller->window().picture().size(), logical);
    EXPECT_EQ(controller->skin().image(MainWindow::kBackground).devicePixelRatio(), 1.0);
}

TEST_F(MainControllerTest, TheFirstPictureDrawsOnlyImagesDecodedAhead)
{
    prepareData();
    showAtStart = true;
    start();
    ASSERT_TRUE(controller->window().isVisible());
    // Each image decoded while the picture was drawn held up the window's first showing.
    EXPECT_EQ(controller->skin().decodedOnFirstUse(), 0);
}

TEST_F(MainControllerTest, ASecondApplyWithinTwoSecondsIsIgnored)
{
    prepareData();
    start();
    controller->record().setDpiStage(1, 40);
    applyAndWait();
    applyAndWait();
    waitForApply();
    EXPECT_EQ(countLines(trace(), kConfigWrite), 1u);
    EXPECT_TRUE(controller->busyCursorShown());
    EXPECT_FALSE(controller->hasUnappliedEdits());
    EXPECT_EQ(simulator().mouse(0).config(),
              controller->session().link().commands()->mirror().configSlots[0]);
    EXPECT_EQ(pointer->applyCount(), 1) << "the pointer settings follow Apply";

    const std::vector<std::uint8_t> saved = test::readBytes(currentProfileFile());
    ASSERT_EQ(saved.size(), 1757u);
    SettingsRecord::Bytes bytes{};
    std::copy(saved.begin() + 1, saved.end(), bytes.begin());
    EXPECT_EQ(SettingsRecord(bytes).dpiStage(1), 40);
}

// The mouse's waits of an Apply pass on another thread: the window keeps handling events
// and ignores its buttons until the Apply has ended.
TEST_F(MainControllerTest, TheWindowKeepsRunningWhileApplySends)
{
    prepareData();
    start();
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    controller->record().setDpiStage(1, 40);
    controller->apply();
    ASSERT_TRUE(controller->applyRunning());
    emit controller->window().buttonClicked(WindowButton::Reset);
    emit controller->window().buttonClicked(WindowButton::Cancel);
    waitForApply();
    EXPECT_GE(ticks, 10) << "the event loop ran during the mouse's waits";
    EXPECT_TRUE(questions.empty()) << "Reset pressed during the Apply was ignored";
    EXPECT_EQ(controller->record().dpiStage(1), 40) << "so was Cancel";
    EXPECT_EQ(countLines(trace(), kConfigWrite), 1u);
    EXPECT_EQ(simulator().mouse(0).config(),
              controller->session().link().commands()->mirror().configSlots[0]);
}

TEST_F(MainControllerTest, AnApplyStillSendingWhenTheProgramEndsIsSaved)
{
    prepareData();
    start();
    const std::string profile = currentProfileFile();
    controller->record().setDpiStage(2, 45);
    controller->apply();
    ASSERT_TRUE(controller->applyRunning());
    controller.reset(); // as SIGTERM ends the program
    EXPECT_EQ(loadProfileFile(profile)->dpiStage(2), 45);
}

TEST_F(MainControllerTest, AnUnplugDuringApplyEndsItAndIsTold)
{
    prepareData();
    start();
    controller->record().setDpiStage(0, 33);
    controller->apply();
    ASSERT_TRUE(controller->applyRunning());
    simulator().unplug(0); // as the simulated mouse's tray menu does
    waitForApply();
    EXPECT_EQ(noticesWith("could not be sent"), 1u);
    EXPECT_TRUE(waitFor([&] { return noticesWith("did not detect") > 0; }));
    EXPECT_FALSE(connected());
    EXPECT_EQ(loadProfileFile(currentProfileFile())->dpiStage(0), 33) << "saved all the same";
    EXPECT_FALSE(controller->hasUnappliedEdits());
}

TEST_F(MainControllerTest, ResetAsksOnceAndChangesNothingWhenDeclined)
{
    prepareData();
    start();
    controller->record().setDpiStage(2, 99);
    answer = MainController::Answer::Cancel;
    resetAndWait();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], MainController::Question::ConfirmReset);
    EXPECT_EQ(controller->record().dpiStage(2), 99);
    EXPECT_EQ(countLines(trace(), kConfigWrite), 0u);

    answer = MainController::Answer::Yes;
    resetAndWait();
    EXPECT_EQ(questions.size(), 2u);
    EXPECT_NE(controller->record().dpiStage(2), 99);
    EXPECT_EQ(countLines(trace(), kConfigWrite), 1u) << "with a mouse, Reset applies the defaults";
    EXPECT_FALSE(controller->hasUnappliedEdits());
}

TEST_F(MainControllerTest, APressInTheWindowClosesTheHelpPanelFirstButNotResetCancelOrSave)
{
    prepareData();
    showAtStart = true;
    tray = true; // Cancel then hides the window
    start();
    answer = MainController::Answer::Cancel; // Reset asks and changes nothing
    MainWindow& window = controller->window();
    const auto press = [&](QPoint at) {
        QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, at);
    };
    const auto pressButton = [&](WindowButton button) {
        press(qtRect(windowButtonLook(button).area).center());
    };
    const auto helpPanel = [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* panel = qobject_cast<HelpPanel*>(widget))
                return panel;
        }
        return static_cast<HelpPanel*>(nullptr);
    };
    const auto helpShown = [&] { return helpPanel() && helpPanel()->isVisible(); };
    const auto gone = [&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return helpPanel() == nullptr;
    };
    // The header the help panel covers.
    const QPoint header = qtRect(controller->panels().state().header(RightSection::Dpi)).center();

    pressButton(WindowButton::Help);
    ASSERT_TRUE(helpShown());
    for (WindowButton kept : {WindowButton::Reset, WindowButton::Apply}) {
        pressButton(kept);
        waitForApply();
        EXPECT_TRUE(helpShown()) << static_cast<int>(kept);
    }
    pressButton(WindowButton::Cancel);
    ASSERT_FALSE(window.isVisible());
    EXPECT_FALSE(helpShown()) << "hidden with the window";
    EXPECT_FALSE(gone());
    controller->openWindow();
    EXPECT_TRUE(helpShown()) << "and back with it";
    press(header);
    EXPECT_TRUE(gone()) << "a press on the panels closes it";

    pressButton(WindowButton::Help);
    pressButton(WindowButton::Help);
    EXPECT_TRUE(gone()) << "the help button closes it again";

    // After OK the next press anywhere takes it away, and the one on help opens it anew.
    pressButton(WindowButton::Help);
    QTest::mouseClick(helpPanel(), Qt::LeftButton, Qt::NoModifier,
                      qtRect(help_panel_areas::kOk).center());
    EXPECT_FALSE(helpShown());
    EXPECT_FALSE(gone());
    press(header);
    EXPECT_TRUE(gone());
    pressButton(WindowButton::Help);
    EXPECT_TRUE(helpShown());
}

TEST_F(MainControllerTest, ResetWithoutAMouseLoadsTheDefaultsWithoutSending)
{
    prepareData();
    start();
    simulator().unplug(0);
    ASSERT_TRUE(waitFor([&] { return !controller->session().link().connected(); }));
    controller->record().setDpiStage(2, 99);
    resetAndWait();
    EXPECT_NE(controller->record().dpiStage(2), 99);
    EXPECT_EQ(countLines(trace(), kConfigWrite), 0u);
}

TEST_F(MainControllerTest, DeviceEventsGiveTheirNoticeInTheProfilesLanguage)
{
    struct Case
    {
        const char* languageCode;
        std::vector<std::uint8_t> report;
        std::string expectedStart;
    } cases[] = {
        {"", {0x06, 0x07, 0x02, 0x02}, "Switch DPI into the second stage "},
        {"", {0x06, 0x07, 0x09, 0x03}, "Switch to macro key3"},
        {"CHS",
         {0x06, 0x07, 0x09, 0x03},
         std::string(LanguageTable::forCode("CHS").text("Switch to macro key")) + "3"},
        {"CHT",
         {0x06, 0x07, 0x09, 0x05},
         std::string(LanguageTable::forCode("CHT").text("Switch to macro key")) + "5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.languageCode);
        startAfresh();
        prepareData(c.languageCode);
        start();
        simulator().emitEvent(0, c.report);
        ASSERT_TRUE(waitFor([&] { return !lastNotice().empty(); }));
        EXPECT_EQ(lastNotice().rfind(c.expectedStart, 0), 0u) << lastNotice();
    }
}

TEST_F(MainControllerTest, TheStageNoticeCarriesTheDpiTheMouseReports)
{
    prepareData();
    start();
    controller->record().setDpiStage(1, 16); // 800 DPI on stage 2
    applyAndWait();
    simulator().emitEvent(0, {0x06, 0x07, 0x02, 0x02});
    ASSERT_TRUE(waitFor([&] { return !lastNotice().empty(); }));
    EXPECT_EQ(lastNotice(), "Switch DPI into the second stage 800");
}

TEST_F(MainControllerTest, UnplugAndPlugInAreNoticedAndTheArrivalReloadsTheProfile)
{
    prepareData();
    start();
    simulator().unplug(0);
    ASSERT_TRUE(waitFor([&] { return !lastNotice().empty(); }));
    EXPECT_EQ(lastNotice(), "The system did not detect the gaming mouse!");
    EXPECT_FALSE(controller->session().link().connected());

    simulator().plug(0);
    ASSERT_TRUE(waitFor([&] { return lastNotice() == "The system detect the gaming mouse."; }));
    EXPECT_TRUE(controller->session().link().connected());
    EXPECT_EQ(countLines(trace(), "set-feature 00 01 fc"), 2u) << "the arrival connects again";

    // After the arrival the listener reports the mouse's events again.
    simulator().emitEvent(0, {0x06, 0x07, 0x09, 0x07});
    EXPECT_TRUE(waitFor([&] { return lastNotice() == "Switch to macro key7"; }));
}

TEST_F(MainControllerTest, AnArrivalKeepsEditsThatWereNotApplied)
{
    prepareData();
    start();
    simulator().unplug(0);
    ASSERT_TRUE(waitFor([&] { return !controller->session().link().connected(); }));
    controller->record().setDpiStage(3, 55);
    simulator().plug(0);
    ASSERT_TRUE(waitFor([&] { return controller->session().link().connected(); }));
    EXPECT_EQ(controller->record().dpiStage(3), 55);
}

TEST_F(MainControllerTest, AnApplyThatCannotReachTheMouseSaysSoAndStillSaves)
{
    prepareData();
    start();
    simulator().mouse(0).setFault(SimulatedMouse::Fault::Stall);
    controller->record().setDpiStage(0, 33);
    applyAndWait();
    EXPECT_NE(lastNotice().find("could not be sent"), std::string::npos) << lastNotice();
    const std::vector<std::uint8_t> saved = test::readBytes(currentProfileFile());
    ASSERT_EQ(saved.size(), 1757u);
    EXPECT_EQ(saved[1 + 0], controller->record().bytes()[0]);
    EXPECT_FALSE(controller->hasUnappliedEdits());
}

TEST_F(MainControllerTest, SaveWithoutAMouseLeavesTheDesktopsPointerSettingsAlone)
{
    prepareData();
    start();
    simulator().unplug(0);
    ASSERT_TRUE(waitFor([&] { return !controller->session().link().connected(); }));
    controller->record().setPointerSpeed(controller->record().pointerSpeed() % 12 + 1);
    applyAndWait();
    EXPECT_EQ(loadProfileFile(currentProfileFile())->pointerSpeed(),
              controller->record().pointerSpeed());
    EXPECT_EQ(pointer->applyCount(), 0);
}

// The mouse holds what an Apply sent even when the profile file could not be written,
// so Cancel must not go back to the settings before it.
TEST_F(MainControllerTest, AnApplyWhoseSaveFailedIsWhatCancelGoesBackTo)
{
    prepareData();
    start();
    const fs::path profile = currentProfileFile();
    fs::remove(profile);
    fs::create_directories(profile / "in-the-way"); // nothing can be saved in its place
    answer = MainController::Answer::Overwrite;     // the file changed on disk: save anyway
    controller->record().setDpiStage(0, 33);
    applyAndWait();
    EXPECT_EQ(noticesWith("could not be saved"), 1u);
    EXPECT_EQ(simulator().mouse(0).config(),
              controller->session().link().commands()->mirror().configSlots[0]);
    EXPECT_FALSE(controller->hasUnappliedEdits());
    controller->cancel();
    EXPECT_EQ(controller->record().dpiStage(0), 33);
}

TEST_F(MainControllerTest, AMouseThatDoesNotAnswerItsConnectionIsToldOnceAndAskedAgainAtApply)
{
    prepareData();
    start();
    unplugAndWait();
    simulator().mouse(0).setFault(SimulatedMouse::Fault::Stall);
    simulator().plug(0);
    ASSERT_TRUE(waitFor([&] { return noticesWith("0x82") > 0; }));
    QCoreApplication::processEvents(); // every node of the plug-in has arrived
    EXPECT_FALSE(connected());
    EXPECT_EQ(noticesWith("did not answer when it was connected"), 1u);
    EXPECT_EQ(noticesWith("The system detect the gaming mouse."), 0u);

    simulator().mouse(0).setFault(SimulatedMouse::Fault::None);
    controller->record().setDpiStage(0, 21);
    applyAndWait();
    EXPECT_TRUE(connected());
    EXPECT_EQ(countLines(trace(), kConfigWrite), 1u);
    EXPECT_EQ(simulator().mouse(0).config(),
              controller->session().link().commands()->mirror().configSlots[0]);
}

TEST_F(MainControllerTest, AnEventInterfaceThatCannotBeOpenedIsToldOnceAndApplyStillWorks)
{
    prepareData();
    start();
    unplugAndWait();
    simulator().denyAccess(0, SimulatedBackend::Collection::Event);
    for (int plugIn = 0; plugIn < 2; ++plugIn) {
        simulator().plug(0);
        ASSERT_TRUE(waitFor([&] { return connected(); }));
        if (plugIn == 0)
            unplugAndWait();
    }
    EXPECT_EQ(noticesWith("70-volantra.rules"), 1u);
    EXPECT_EQ(noticesWith("permission denied"), 1u) << "the notice says why";
    controller->record().setDpiStage(0, 22);
    applyAndWait();
    EXPECT_EQ(countLines(trace(), kConfigWrite), 1u);
    EXPECT_FALSE(controller->hasUnappliedEdits());
}

TEST_F(MainControllerTest, AMouseThatGoesHidesTheWindowOnlyWhenThereIsATray)
{
    for (const bool withTray : {true, false}) {
        SCOPED_TRACE(withTray);
        startAfresh();
        prepareData();
        tray = withTray;
        showAtStart = true;
        start();
        ASSERT_TRUE(controller->window().isVisible());
        unplugAndWait();
        ASSERT_TRUE(waitFor([&] { return noticesWith("did not detect") > 0; }));
        EXPECT_EQ(controller->window().isVisible(), !withTray);
    }
}

TEST_F(MainControllerTest, ExitAsksAboutUnappliedEditsAndCancelKeepsRunning)
{
    prepareData();
    start();
    int finished = 0;
    QObject::connect(controller.get(), &MainController::finished, [&](int) { ++finished; });
    controller->requestClose();
    EXPECT_EQ(finished, 1) << "nothing to ask about";
    EXPECT_TRUE(questions.empty());
}

TEST_F(MainControllerTest, ExitWithUnappliedEditsFollowsTheAnswer)
{
    struct Case
    {
        MainController::Answer answer;
        int finished;
        std::size_t configWrites;
    } cases[] = {
        {MainController::Answer::Cancel, 0, 0},
        {MainController::Answer::Discard, 1, 0},
        {MainController::Answer::Apply, 1, 1},
    };
    for (const Case& c : cases) {
        startAfresh();
        prepareData();
        start();
        int finished = 0;
        QObject::connect(controller.get(), &MainController::finished, [&](int) { ++finished; });
        controller->record().setDpiStage(0, 20);
        answer = c.answer;
        controller->requestClose();
        EXPECT_EQ(finished, c.finished);
        EXPECT_EQ(countLines(trace(), kConfigWrite), c.configWrites);
        EXPECT_EQ(questions.back(), MainController::Question::ExitWithUnappliedEdits);
    }
}

TEST_F(MainControllerTest, AnExportedProfileLoadsBackAndWaitsForApply)
{
    prepareData();
    start();
    controller->record().setDpiStage(0, 64);
    test::TemporaryDirectory elsewhere;
    chosenFile = elsewhere.file("mine.bin");
    controller->exportProfile();
    EXPECT_EQ(exportChoices, 1);
    ASSERT_EQ(test::readBytes(chosenFile).size(), 1757u);
    EXPECT_TRUE(fs::exists(elsewhere.file("mine.ini")));

    controller->record().setDpiStage(0, 10);
    controller->importProfile();
    EXPECT_EQ(importChoices, 1);
    EXPECT_EQ(controller->record().dpiStage(0), 64);
    EXPECT_EQ(countLines(trace(), kConfigWrite), 0u) << "an import is applied only by Apply";

    // Saving under the same name again asks before the data folder's copy is replaced.
    controller->exportProfile();
    ASSERT_FALSE(questions.empty());
    EXPECT_EQ(questions.back(), MainController::Question::ReplaceExportedCopy);
}

TEST_F(MainControllerTest, AShortProfileFileIsRefusedAndChangesNothing)
{
    prepareData();
    start();
    const SettingsRecord before = controller->record();
    chosenFile = directory->file("short.bin");
    test::writeBytes(chosenFile, std::vector<std::uint8_t>(100, 7));
    controller->importProfile();
    EXPECT_EQ(controller->record(), before);
    EXPECT_NE(lastNotice().find("short.bin"), std::string::npos) << lastNotice();
}

TEST_F(MainControllerTest, TheMacroManagersOkHandsTheMacroImagesToTheRecord)
{
    prepareData();
    test::writeBytes(directory->file("record.ini"), [] {
        const std::string text = "[Macro_1]\r\nDelayTimeSelStatus=1\r\n"
                                 "LoopTimeSelStatus=1\r\nMacroLoopTimes=3\r\n"
                                 "ItemCount=3\r\nItem0=A   Dn\r\nItem1=120 ms\r\n"
                                 "Item2=A   Up\r\n";
        return std::vector<std::uint8_t>(text.begin(), text.end());
    }());
    start();
    const SettingsRecord before = controller->record();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<MacroManagerDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->pressOk();
    });
    controller->openMacroManager();
    const auto& bytes = controller->record().bytes();
    const auto& old = before.bytes();
    EXPECT_TRUE(
        std::equal(bytes.begin(), bytes.begin() + SettingsRecord::kSettingsSize, old.begin()))
        << "the macro manager changes only the macro images";
    EXPECT_FALSE(std::equal(bytes.begin(), bytes.end(), old.begin())) << "Macro_1 is in slot 1 now";
    EXPECT_TRUE(controller->hasUnappliedEdits()) << "the new images wait for Apply";
    EXPECT_EQ(countLines(trace(), kConfigWrite), 0u);
}

TEST_F(MainControllerTest, AMissingSkinImageIsToldOnceAfterThePaintAndItsSpotSkipped)
{
    prepareData();
    fs::remove(directory->path() / "Skins/Default/Logo.png");
    start();
    int told = 0;
    QObject::connect(
        &controller->notifier(), &DesktopNotifier::notified,
        [&](const QString&, const QString& text) { told += text.contains("Logo.png"); });
    for (int redraw = 0; redraw < 3; ++redraw) {
        controller->window().redrawAll();
        QCoreApplication::processEvents();
    }
    EXPECT_NE(controller->notifier().lastText().toStdString().find("Logo.png"), std::string::npos);
    EXPECT_EQ(told, 1) << "one notice per missing image and run, however often it is drawn";
}

TEST_F(MainControllerTest,
       ASkinPathOutsideTheSkinsFolderOrWithoutAUsableBackgroundGivesTheDefaultSkin)
{
    struct Case
    {
        const char* path;
        QSize background; // written into Skins/<path>/main.png when not empty
        bool told;
        bool damaged = false; // the file ends after its header
    } cases[] = {
        {"../../elsewhere", {}, false},
        {"Tiny", {100, 100}, true},
        {"Absent", {}, true},
        {"Damaged", {994, 634}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        startAfresh();
        prepareData();
        setSkinPath(c.path);
        if (!c.background.isEmpty()) {
            fs::create_directories(directory->path() / "Skins" / c.path);
            QImage small(c.background, QImage::Format_RGB32);
            small.fill(Qt::red);
            const fs::path file = directory->path() / "Skins" / c.path / "main.png";
            ASSERT_TRUE(small.save(QString::fromStdString(file.string())));
            if (c.damaged)
                fs::resize_file(file, 200);
        }
        start();
        EXPECT_EQ(controller->window().size(), QSize(994, 634));
        EXPECT_EQ(controller->notifier().lastText().contains("default skin"), c.told)
            << controller->notifier().lastText().toStdString();
    }
}

TEST_F(MainControllerTest, LoadingAnotherProfileInTheManagerPutsItsFileIntoTheRecord)
{
    prepareData();
    PosixAtomicFileWriter writer;
    Result<IniFile> list = IniFile::load(directory->file("str.ini"), writer);
    ASSERT_TRUE(list);
    ASSERT_TRUE(list->writeString("Profile", "ItemCount", "2"));
    ASSERT_TRUE(list->writeString("Profile", "Item1", "PROFILE_1"));
    Result<ProfileFile> second = ProfileFile::load(directory->file("config1.bin"));
    ASSERT_TRUE(second);
    SettingsRecord other = second->record();
    other.setDpiStage(0, 99);
    const ProfileFile::Bytes bytes = ProfileFile::serialize(other);
    test::writeBytes(directory->file("config1.bin"), {bytes.begin(), bytes.end()});
    start();
    controller->record().setDpiStage(0, 11); // an edit not applied yet
    answer = MainController::Answer::Discard;

    controller->openProfileManager();
    auto* manager = controller->window().findChild<ProfileManagerDialog*>();
    ASSERT_NE(manager, nullptr);
    QListWidget* rows = manager->profileList();
    ASSERT_EQ(rows->count(), 2);
    const QPoint second_row = rows->visualItemRect(rows->item(1)).center();
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, second_row);
    manager->loadSelected();

    ASSERT_FALSE(questions.empty());
    EXPECT_EQ(questions.back(), MainController::Question::SwitchProfileWithUnappliedEdits);
    EXPECT_EQ(controller->store().currentProfileIndex(), 1);
    EXPECT_EQ(controller->record().dpiStage(0), 99) << "the record holds the chosen profile";
    EXPECT_EQ(importChoices, 1) << "Load offers the file dialog at that profile";
    EXPECT_FALSE(controller->hasUnappliedEdits());
}

// The whole road of a macro: recorded from key events with their times, taken over by the
// macro manager's OK, given to button 3 as a macro key, and sent by Apply.
TEST_F(MainControllerTest, ARecordedMacroOnAButtonReachesTheMouseAsEncoded)
{
    prepareData();
    {
        PosixAtomicFileWriter writer;
        Result<MacroEditor> editor =
            MacroEditor::open(directory->file("record.ini"), writer, {true, false});
        ASSERT_TRUE(editor);
        ASSERT_TRUE(editor->newMacro("Macro"));
        ASSERT_TRUE(editor->selectMacro(0));
        ASSERT_TRUE(editor->startRecording());
        editor->recordKey("A", false, false, 1000);
        editor->recordKey("A", false, true, 1030); // auto-repeat: not recorded
        editor->recordKey("A", true, false, 1120);
        editor->recordKey("B", false, false, 1300);
        editor->recordKey("B", true, false, 1350);
        ASSERT_TRUE(editor->stopRecording());
    }
    start();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<MacroManagerDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->pressOk();
    });
    controller->openMacroManager();

    const ButtonAssignment macroKey = assignMacroKey(controller->record().button(2), "Macro Key",
                                                     MacroKeyChoice{0, 0, "Macro_1"});
    controller->record().setButton(2, macroKey.parameters);
    controller->store().setItemName(2, macroKey.label);
    applyAndWait();

    PosixAtomicFileWriter writer;
    Result<IniFile> file = IniFile::load(directory->file("record.ini"), writer);
    ASSERT_TRUE(file);
    const MacroImages expected = encodeAll(file->document());
    const SimulatedMouse& mouse = simulator().mouse(0);
    EXPECT_EQ(mouse.macro(1), expected.images[0]);
    EXPECT_NE(mouse.macro(1), DeviceImage{}) << "the recorded events are in slot 1";
    const DeviceImage buttons = mouse.buttons();
    const ButtonFunctionCode code = encodeButtonFunction(macroKey.parameters);
    EXPECT_TRUE(std::equal(code.bytes.begin(), code.bytes.end(), buttons.begin() + 8))
        << "button 3 plays the macro of slot 1";
    EXPECT_EQ(code.bytes[0], 0x09);
}

TEST_F(MainControllerTest, TextColoursBeyondAByteAreClampedNotWrapped)
{
    prepareData("", "300");
    start();
    EXPECT_EQ(controller->textColour().red(), 255);
}

// What the window does when the profile it would save is not one it could load.
TEST_F(MainControllerTest, SaveNeverWritesOrSendsARecordThatWasNotLoaded)
{
    const struct
    {
        const char* file;
        std::string text;
        const char* told;
        bool resetRepairs;
    } cases[] = {
        {"str.ini", "[Profile]\nCurProfileName=PROFILE_1\nItemCount=9\n", "ItemCount 9", false},
        {"str.ini", std::string("\x01\xfe\x00[Profile]\nItemCount=1", 24), "ItemCount 0", false},
        {"config0.bin", "short", "holds 5", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told);
        startAfresh();
        prepareData();
        test::writeBytes(directory->file(c.file), {c.text.begin(), c.text.end()});
        const std::vector<std::uint8_t> profile = test::readBytes(directory->file("config0.bin"));
        start();
        EXPECT_NE(lastNotice().find(c.told), std::string::npos) << lastNotice();
        EXPECT_EQ(lastNotice().find("Config file is not exist."), std::string::npos);
        controller->record().setDpiStage(1, 48);
        applyAndWait();
        EXPECT_EQ(countLines(trace(), kConfigWrite), 0u);
        EXPECT_EQ(test::readBytes(directory->file("config0.bin")), profile);
        resetAndWait();
        EXPECT_EQ(test::readBytes(directory->file("config0.bin")).size(),
                  c.resetRepairs ? ProfileFile::kSize : profile.size());
    }
}

TEST_F(MainControllerTest, EveryFailedResetIsToldAndChangesNothing)
{
    prepareData();
    start();
    fs::remove(directory->file("config.bin"));
    controller->record().setDpiStage(1, 30);
    for (int attempt = 0; attempt < 2; ++attempt) {
        controller->notifier().notify({}, {}, DesktopNotifier::Severity::Information);
        resetAndWait();
        EXPECT_NE(lastNotice().find("Config file is not exist."), std::string::npos) << attempt;
        EXPECT_NE(lastNotice().find("config.bin"), std::string::npos) << lastNotice();
    }
    EXPECT_EQ(controller->record().dpiStage(1), 30);
    EXPECT_EQ(countLines(trace(), kConfigWrite), 0u);
}

TEST_F(MainControllerTest, SaveAsksBeforeOverwritingWhatAnotherProgramChanged)
{
    prepareData();
    const std::string profile = directory->file("config0.bin");
    const auto changeElsewhere = [&](std::uint8_t stage2) {
        SettingsRecord changed = *loadProfileFile(profile);
        changed.setDpiStage(1, stage2);
        const ProfileFile::Bytes bytes = ProfileFile::serialize(changed);
        test::writeBytes(profile, {bytes.begin(), bytes.end()});
    };
    const struct
    {
        MainController::Answer chosen;
        std::uint8_t elsewhere; // volantra-cli set dpi 2 <this × 50>
        std::uint8_t kept;
    } cases[] = {{MainController::Answer::Reload, 44, 44},
                 {MainController::Answer::Overwrite, 46, 20}};
    for (const auto& c : cases) {
        controller.reset();
        start();
        controller->record().setDpiStage(1, 20); // the window's edit
        changeElsewhere(c.elsewhere);
        answer = c.chosen;
        questions.clear();
        applyAndWait();
        ASSERT_EQ(questions, std::vector{MainController::Question::ProfileChangedOnDisk});
        EXPECT_EQ(controller->record().dpiStage(1), c.kept);
        EXPECT_EQ(loadProfileFile(profile)->dpiStage(1), c.kept);
    }
}

TEST_F(MainControllerTest, AChangeByAnotherProgramIsShownWhileNothingIsEdited)
{
    prepareData();
    start();
    SettingsRecord changed = controller->record();
    changed.setDpiStage(3, 77);
    const ProfileFile::Bytes bytes = ProfileFile::serialize(changed);
    PosixAtomicFileWriter writer;
    ASSERT_TRUE(writer.writeFile(currentProfileFile(), bytes));
    EXPECT_TRUE(waitFor([&] { return controller->record().dpiStage(3) == 77; }));
    EXPECT_FALSE(controller->hasUnappliedEdits());
}

TEST_F(MainControllerTest, SaveWaitsForTheDataFolderAndTellsWhenItStaysLocked)
{
    prepareData();
    start();
    const std::vector<std::uint8_t> before = test::readBytes(currentProfileFile());
    Result<std::unique_ptr<FolderLock>> held =
        PosixFolderLocker().lock(directory->path().string(), std::chrono::milliseconds(0));
    ASSERT_TRUE(held);
    controller->record().setDpiStage(1, 30);
    applyAndWait();
    EXPECT_NE(lastNotice().find("another Volantra program"), std::string::npos) << lastNotice();
    EXPECT_EQ(countLines(trace(), kConfigWrite), 0u);
    EXPECT_EQ(test::readBytes(currentProfileFile()), before);
}

TEST_F(MainControllerTest, ExportRefusesTheProgramsOwnFilesAndAsksForAnotherName)
{
    prepareData();
    start();
    const std::vector<std::uint8_t> profile3 = test::readBytes(directory->file("config3.bin"));
    nextChoices = {directory->file("config3")};
    chosenFile = directory->file("mine.bin");
    controller->exportProfile();
    EXPECT_EQ(exportChoices, 2) << "the save dialog opens again";
    EXPECT_EQ(test::readBytes(directory->file("config3.bin")), profile3);
    EXPECT_EQ(test::readBytes(directory->file("mine.bin")).size(), ProfileFile::kSize);
}

TEST_F(MainControllerTest, TheButtonNamesStayInTheWindowsLanguageAcrossProfiles)
{
    prepareData();
    PosixAtomicFileWriter writer;
    Result<IniFile> first = IniFile::load(directory->file("str0.ini"), writer);
    ASSERT_TRUE(first && first->writeString("Skins", "Lan", "CHS"));
    start();
    Result<IniFile> list = IniFile::load(directory->file("str.ini"), writer);
    ASSERT_TRUE(list && list->writeString("Profile", "ItemCount", "2") &&
                list->writeString("Profile", "Item1", "PROFILE_1") &&
                list->writeString("Profile", "CurProfileName", "PROFILE_1"));
    controller->handleProfileHandOver(
        {ProfileHandOver::Request::Closed, 1, ProfileHandOver::Current::Other});
    EXPECT_EQ(controller->store().currentProfileIndex(), 1);
    EXPECT_EQ(controller->store().language(), Language::SimplifiedChinese);
}

} // namespace
} // namespace volantra
