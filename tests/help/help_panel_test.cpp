#include "common/machine_name.h"
#include "help/help_panel_areas.h"
#include "help/qt/help_panel.h"
#include "help/qt/help_panel_toggle.h"
#include "skin/qt/qt_rect.h"
#include "skin/qt/skin_library.h"
#include "skin/skin_root.h"
#include "support/caption_recorder.h"
#include "support/message_catcher.h"
#include "support/temporary_directory.h"

#include <QApplication>
#include <QDesktopServices>
#include <QPointer>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <filesystem>
#include <gtest/gtest.h>

namespace volantra {
namespace {

namespace fs = std::filesystem;

// What the desktop was asked to open, by scheme: the URL handlers Qt offers in place of
// the browser.
class OpenedUrls : public QObject
{
    Q_OBJECT

public:
    OpenedUrls()
    {
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~OpenedUrls() override
    {
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QStringList urls;

public slots:
    void open(const QUrl& url) { urls << url.toString(); }
};

class HelpPanelTest : public ::testing::Test
{
protected:
    HelpPanelTest()
    {
        mainWindow.resize(994, 634);
        mainWindow.move(40, 30);
        mainWindow.show();
    }

    HelpPanelContext context(std::string machine = "x86_64", QString webAddress = {})
    {
        return {skin,
                nullptr,
                Language::English,
                data.path().string(),
                std::move(machine),
                std::move(webAddress)};
    }

    HelpPanel* openPanel(HelpPanelContext panelContext)
    {
        auto* panel = new HelpPanel(std::move(panelContext), &mainWindow);
        EXPECT_TRUE(panel->openPanel());
        return panel;
    }

    // A stand-in updater: a script that notes where it ran into a marker file.
    void installUpdater(const std::string& relative)
    {
        const fs::path path = data.path() / relative;
        fs::create_directories(path.parent_path());
        const std::string script = "#!/bin/sh\npwd > '" + marker() + "'\n";
        test::writeBytes(path.string(), std::vector<std::uint8_t>(script.begin(), script.end()));
        fs::permissions(path, fs::perms::owner_all);
    }
    std::string marker() const { return markers.file("started"); }
    // The updater's note, once it has run; empty after two seconds without one.
    std::string waitForUpdater() const
    {
        for (int i = 0; i < 200 && !fs::exists(marker()); ++i)
            QTest::qWait(10);
        QTest::qWait(20); // the script may still be writing
        const std::string note = test::readText(marker());
        return note.empty() ? note : note.substr(0, note.find('\n'));
    }

    test::TemporaryDirectory data;
    test::TemporaryDirectory markers;
    SkinLibrary skin{SkinRoot::defaultSkin(VOLANTRA_DEFAULT_DATA_DIR)};
    QWidget mainWindow;
};

// Run by the help_panel_wayland test under weston's headless compositor, where the
// position of a top-level window is ignored.
TEST_F(HelpPanelTest, OnWaylandItIsAPopupOfTheMainWindowBesideIt)
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        GTEST_SKIP() << "needs a Wayland compositor: the help_panel_wayland test";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
    HelpPanel* panel = openPanel(context());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel));
    EXPECT_EQ(panel->windowHandle()->transientParent(), mainWindow.windowHandle());
    // Where the compositor put it, reaching past the main window's right edge.
    EXPECT_EQ(panel->pos(), mainWindow.mapToGlobal(HelpPanel::kPosition));
    EXPECT_GT(panel->geometry().right(), mainWindow.geometry().right());
    delete panel;
}

TEST_F(HelpPanelTest, OpensOnlyWebAddressesWithTheDesktop)
{
    struct Case
    {
        QString configured;
        QStringList opened;
        QString shown;
    };
    const Case cases[] = {
        {"http://volantra.org/support", {"http://volantra.org/support"}, "volantra.org/support"},
        {"", {}, "Volantra"},
        {"file:///usr/share/applications/terminal.desktop", {}, "Volantra"},
        {"/usr/share/applications/terminal.desktop", {}, "Volantra"},
        {"volantra.org", {}, "Volantra"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.configured.toStdString());
        OpenedUrls desktop;
        test::MessageCatcher messages;
        HelpPanel* panel = openPanel(context("x86_64", c.configured));
        QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier,
                          qtRect(help_panel_areas::kWebAddress).center());
        EXPECT_EQ(desktop.urls, c.opened);
        EXPECT_EQ(panel->addressLine(), c.shown);
        EXPECT_EQ(panel->addressIsLink(), !c.opened.isEmpty());
        EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join("; ").toStdString();
        delete panel;
    }
}

TEST_F(HelpPanelTest, TheBuildsAddressOrTheProgramsNameFillsTheFirstLine)
{
    HelpPanelContext built{.skin = skin, .dataDirectory = data.path().string()};
    EXPECT_EQ(built.webAddress, VOLANTRA_EXPECTED_HELP_URL);
    HelpPanel* panel = openPanel(built);
    EXPECT_EQ(panel->addressIsLink(), !QString(VOLANTRA_EXPECTED_HELP_URL).isEmpty());
    delete panel;

    // A long address is drawn whole and uncut in its line, in every language's font.
    for (const Language language :
         {Language::English, Language::SimplifiedChinese, Language::TraditionalChinese}) {
        HelpPanelContext configured = context("x86_64", "https://www.volantra-mouse.org/en/");
        configured.language = language;
        HelpPanel* shown = openPanel(configured);
        test::CaptionRecorder recorder(shown->size());
        shown->render(&recorder);
        QStringList inLine;
        for (const test::CaptionRecorder::Caption& caption : recorder.captions()) {
            if (QRectF(qtRect(help_panel_areas::kWebAddress)).contains(caption.ink.center())) {
                inLine << caption.text;
                EXPECT_TRUE(caption.fits()) << caption.describe().toStdString();
            }
        }
        EXPECT_EQ(inLine.join(QString()), "www.volantra-mouse.org/en");
        delete shown;
    }
}

TEST_F(HelpPanelTest, StartsTheUpdaterOfTheMachineDetached)
{
    installUpdater("Update/X64/FwUpdate");
    installUpdater("Update/X86/FwUpdate.exe"); // a Windows program is never started
    test::MessageCatcher messages;
    HelpPanel* panel = openPanel(context("x86_64"));
    QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier,
                      qtRect(help_panel_areas::kUpdate).center());
    // It ran in its own folder, and the panel did not wait for it.
    EXPECT_EQ(waitForUpdater(), (data.path() / "Update/X64").string());
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join("; ").toStdString();
    delete panel;
}

TEST_F(HelpPanelTest, SaysSoWhenNoUpdaterIsInstalled)
{
    installUpdater("Update/X86/FwUpdate.exe");
    struct Case
    {
        std::string machine;
        QString told;
    };
    const Case cases[] = {
        {"i686", "Info: No firmware updater is installed: " +
                     QString::fromStdString(data.file("Update/X86/FwUpdate")) + " was not found."},
        {"aarch64", "Info: There is no firmware updater for this kind of computer (aarch64)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.machine);
        test::MessageCatcher messages;
        HelpPanel* panel = openPanel(context(c.machine));
        EXPECT_FALSE(panel->launchUpdater());
        EXPECT_EQ(messages.messages, QStringList{c.told});
        delete panel;
    }
    QTest::qWait(50);
    EXPECT_FALSE(fs::exists(marker()));
}

TEST_F(HelpPanelTest, StandsAtItsPlaceBesideTheMainWindowWithAllItsButtons)
{
    HelpPanel* panel = openPanel(context());
    EXPECT_TRUE(panel->isWindow());
    EXPECT_EQ(panel->parentWidget(), &mainWindow);
    EXPECT_EQ(panel->size(), panel->background().size());
    EXPECT_EQ(panel->pos(), mainWindow.mapToGlobal(HelpPanel::kPosition));
    // It reaches past the main window's right edge, where a child would be cut off.
    EXPECT_GT(panel->geometry().right(), mainWindow.geometry().right());
    mainWindow.move(100, 80);
    QCoreApplication::processEvents();
    EXPECT_EQ(panel->pos(), mainWindow.mapToGlobal(HelpPanel::kPosition));

    EXPECT_EQ(panel->updateLine(), "Update 驱动更新");
    EXPECT_EQ(panel->versionLine(), QStringLiteral("Version：") + VOLANTRA_EXPECTED_VERSION);
    EXPECT_EQ(panel->addressLine(), "Volantra");
    EXPECT_FALSE(panel->addressIsLink());

    struct Case
    {
        Rect area;
        QDialog::DialogCode result;
    };
    for (const Case& c : {Case{help_panel_areas::kOk, QDialog::Accepted},
                          Case{help_panel_areas::kCancel, QDialog::Rejected},
                          Case{help_panel_areas::kClose, QDialog::Rejected}}) {
        panel->show();
        panel->setResult(-1);
        QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, qtRect(c.area).center());
        EXPECT_FALSE(panel->isVisible());
        EXPECT_EQ(panel->result(), c.result);
    }
    delete panel;
}

TEST_F(HelpPanelTest, TheHelpButtonOpensAndClosesIt)
{
    HelpPanelToggle toggle(&mainWindow, [this] { return context(); });
    toggle.toggle();
    ASSERT_TRUE(toggle.isOpen());
    QPointer<HelpPanel> first = toggle.panel();
    toggle.toggle();
    EXPECT_FALSE(toggle.isOpen());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    // Ended with Cancel or its close button, it is gone: the next press opens a new one.
    for (const Rect& area : {help_panel_areas::kCancel, help_panel_areas::kClose}) {
        toggle.toggle();
        ASSERT_TRUE(toggle.isOpen());
        QTest::mouseClick(toggle.panel(), Qt::LeftButton, Qt::NoModifier, qtRect(area).center());
        EXPECT_EQ(toggle.panel(), nullptr);
    }
    // Ended with OK, it is only hidden: the next press takes it away, the one after opens it.
    toggle.toggle();
    QPointer<HelpPanel> acknowledged = toggle.panel();
    QTest::mouseClick(acknowledged, Qt::LeftButton, Qt::NoModifier,
                      qtRect(help_panel_areas::kOk).center());
    EXPECT_FALSE(toggle.isOpen());
    EXPECT_EQ(toggle.panel(), acknowledged.data());
    toggle.toggle();
    EXPECT_FALSE(toggle.isOpen());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(acknowledged.isNull());
    toggle.toggle();
    EXPECT_TRUE(toggle.isOpen());
    // A press elsewhere in the main window.
    toggle.close();
    EXPECT_FALSE(toggle.isOpen());
}

TEST_F(HelpPanelTest, ItsButtonsShowOnlyUnderThePointer)
{
    HelpPanel* panel = openPanel(context());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel));
    const auto shows = [&](const Rect& area) {
        const QRect place = qtRect(area);
        const QImage shown = panel->grab(place).toImage().convertToFormat(QImage::Format_RGB32);
        return shown != panel->background().copy(place).convertToFormat(QImage::Format_RGB32);
    };
    const Rect buttons[] = {help_panel_areas::kClose, help_panel_areas::kOk,
                            help_panel_areas::kCancel};
    for (const Rect& area : buttons)
        EXPECT_FALSE(shows(area)) << area.left;
    for (const Rect& hovered : buttons) {
        QTest::mouseMove(panel, qtRect(hovered).center());
        for (const Rect& area : buttons)
            EXPECT_EQ(shows(area), area == hovered) << hovered.left << " " << area.left;
    }
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(panel, &leave);
    for (const Rect& area : buttons)
        EXPECT_FALSE(shows(area)) << area.left;
    delete panel;
}

TEST_F(HelpPanelTest, AMissingBackgroundIsToldOnce)
{
    test::TemporaryDirectory emptySkin;
    SkinLibrary chosen{SkinRoot(emptySkin.path().string())};
    test::MessageCatcher messages;
    HelpPanelContext without{chosen,   nullptr, Language::English, data.path().string(),
                             "x86_64", {}};
    QPointer<HelpPanel> panel(new HelpPanel(without, &mainWindow));
    EXPECT_FALSE(panel->openPanel());
    EXPECT_EQ(messages.messages, QStringList{"Help Dialog Load background image failed!!!: error"});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(panel.isNull());

    HelpPanelContext withDefault = without;
    withDefault.fallbackSkin = &skin;
    HelpPanel* fallback = new HelpPanel(withDefault, &mainWindow);
    EXPECT_TRUE(fallback->openPanel());
    EXPECT_EQ(fallback->size(), fallback->background().size());
    delete fallback;
}

TEST(MachineName, IsWhatUnameReports)
{
    QProcess uname;
    uname.start("uname", {"-m"});
    ASSERT_TRUE(uname.waitForFinished(5000));
    EXPECT_EQ(machineName(), uname.readAllStandardOutput().trimmed().toStdString());
}

} // namespace
} // namespace volantra

#include "help_panel_test.moc"
