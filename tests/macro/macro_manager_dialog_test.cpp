#include "macro/macro_encoder.h"
#include "macro/macro_manager_areas.h"
#include "macro/qt/macro_manager_dialog.h"
#include "model/ini_document.h"
#include "platform/posix_atomic_file_writer.h"
#include "skin/qt/list_entry_editor.h"
#include "skin/qt/qt_rect.h"
#include "skin/qt/skin_library.h"
#include "support/macro_files.h"
#include "support/message_catcher.h"
#include "support/temporary_directory.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <fstream>
#include <gtest/gtest.h>

namespace volantra {
namespace {

using Lines = std::vector<std::string>;

// Linux input codes of the keys the tests type; X11 and Wayland add 8 for the scan code.
constexpr quint32 kCtrl = 29;
constexpr quint32 kA = 30;
constexpr quint32 kB = 48;
constexpr quint32 kDown = 108;
constexpr quint32 kPause = 119;
constexpr quint32 kMenu = 127;
constexpr quint32 kEscape = 1;

const std::string kTwoMacros = test::tapOfA("First") + test::macroSection("Second", {"B   Dn"});

class MacroManagerDialogTest : public ::testing::Test
{
protected:
    MacroManagerDialogTest() { std::ofstream(path(), std::ios::binary) << kTwoMacros; }

    std::string path() const { return directory.file("record.ini"); }

    std::unique_ptr<MacroManagerDialog> open(SkinLibrary& library)
    {
        auto dialog = std::make_unique<MacroManagerDialog>(MacroManagerContext{
            .macroFile = path(),
            .writer = writer,
            .skin = library,
            .fallbackSkin = nullptr,
            .language = Language::English,
            .textColour = Qt::white,
            .record = record,
            .labels = labels,
            .options = options,
        });
        if (!dialog->openingProblem()) {
            dialog->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        }
        return dialog;
    }

    // A key as X11 delivers it: to the dialog's window, with scan code and time.
    void key(MacroManagerDialog& dialog, QEvent::Type type, int qtKey, quint32 inputCode,
             quint64 timestamp, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(type, qtKey, modifiers, inputCode + 8, 0, 0, QString());
        event.setTimestamp(timestamp);
        QCoreApplication::sendEvent(dialog.windowHandle(), &event);
    }
    void tap(MacroManagerDialog& dialog, int qtKey, quint32 inputCode, quint64 down, quint64 up)
    {
        key(dialog, QEvent::KeyPress, qtKey, inputCode, down);
        key(dialog, QEvent::KeyRelease, qtKey, inputCode, up);
    }

    static void click(QWidget& widget, const Rect& area)
    {
        QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, qtRect(area).center());
    }

    // A double-click as the window system gives it: a click, then the second press.
    static void doubleClick(QWidget* widget, QPoint at)
    {
        QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, at);
    }

    static Lines lines(const QListWidget& list)
    {
        Lines result;
        for (int row = 0; row < list.count(); ++row)
            result.push_back(list.item(row)->text().toStdString());
        return result;
    }

    // Kept for review beside the other windows' screenshots.
    static void saveScreenshot(QWidget& widget, const QString& name)
    {
        QDir().mkpath(QStringLiteral(VOLANTRA_TEST_ARTIFACTS));
        const QString file = QStringLiteral(VOLANTRA_TEST_ARTIFACTS "/%1.png").arg(name);
        EXPECT_TRUE(widget.grab().save(file, "PNG")) << file.toStdString();
    }

    IniDocument onDisk() const { return IniDocument::parse(test::readText(path())); }

    test::TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
    SkinLibrary skin{SkinRoot::defaultSkin(VOLANTRA_DEFAULT_DATA_DIR)};
    SettingsRecord record;
    ButtonLabels labels;
    MacroOptions options;
};

TEST_F(MacroManagerDialogTest, RecordsKeysAndHandsTheImagesOverOnOk)
{
    std::unique_ptr<MacroManagerDialog> dialog = open(skin);
    ASSERT_FALSE(dialog->openingProblem());
    EXPECT_EQ(dialog->size(), skin.size(MacroManagerDialog::kBackground));
    EXPECT_EQ(lines(*dialog->macroList()), (Lines{"First", "Second"}));
    EXPECT_EQ(dialog->macroList()->currentRow(), 0);
    EXPECT_EQ(lines(*dialog->eventList()), (Lines{"A   Dn", "120 ms", "A   Up"}));

    click(*dialog, macro_manager_areas::kRecord);
    ASSERT_TRUE(dialog->editor()->recording());
    EXPECT_TRUE(dialog->eventList()->count() == 0) << "a recording starts empty";
    EXPECT_EQ(dialog->titleText(), "Press Ctrl+Break key to stop recording");
    EXPECT_FALSE(dialog->macroList()->isEnabled());

    // The arrow key is recorded, not used to select the other macro; the menu key (which
    // the mouse cannot play) opens no menu.
    tap(*dialog, Qt::Key_A, kA, 1000, 1080);
    key(*dialog, QEvent::KeyPress, Qt::Key_Down, kDown, 1280);
    key(*dialog, QEvent::KeyPress, Qt::Key_Down, kDown, 1310); // held: no second press
    key(*dialog, QEvent::KeyRelease, Qt::Key_Down, kDown, 1350);
    tap(*dialog, Qt::Key_Menu, kMenu, 1400, 1450);
    EXPECT_EQ(dialog->macroList()->currentRow(), 0);
    EXPECT_EQ(dialog->editor()->selectedMacro(), 0u);
    const Lines recorded = {"A   Dn",           "80 ms", "A   Up",          "200 ms",
                            "Down   Dn",        "70 ms", "Down   Up",       "50 ms",
                            "Application   Dn", "50 ms", "Application   Up"};
    EXPECT_EQ(lines(*dialog->eventList()), recorded);
    EXPECT_NE(dialog->eventList()->item(8)->foreground().color(),
              dialog->eventList()->item(0)->foreground().color())
        << "the key the mouse cannot play is marked";

    saveScreenshot(*dialog, "macro_manager_recording");
    click(*dialog, macro_manager_areas::kRecord);
    EXPECT_FALSE(dialog->editor()->recording());
    EXPECT_EQ(dialog->titleText(), "Macro Manager");
    EXPECT_TRUE(dialog->macroList()->isEnabled());

    test::MessageCatcher catcher;
    click(*dialog, macro_manager_areas::kOk);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(catcher.messages.size(), 1);
    EXPECT_TRUE(catcher.messages[0].contains("Application")) << catcher.messages[0].toStdString();

    const IniDocument file = onDisk();
    EXPECT_EQ(file.sectionNames(), (Lines{"First", "Second"}));
    EXPECT_EQ(file.readInt("First", "ItemCount", 0), 11);
    EXPECT_EQ(file.readString("First", "Item4", ""), "Down   Dn");
    // 80 ms after A down is 8 units of 10 ms; Down is usage 0x51.
    const DeviceImage image = record.macroImage(0);
    EXPECT_EQ(image, encodeAll(file).images[0]);
    EXPECT_EQ(image[2], 0x08);
    EXPECT_EQ(image[3], 0x04);
    EXPECT_EQ(image[7], 0x51);
    EXPECT_EQ(options.recordDelays, true);
}

TEST_F(MacroManagerDialogTest, EnterIsOkOnlyOnceARecordingHasBeenStopped)
{
    constexpr quint32 kEnter = 28;
    std::unique_ptr<MacroManagerDialog> dialog = open(skin);
    test::MessageCatcher catcher;
    key(*dialog, QEvent::KeyPress, Qt::Key_Return, kEnter, 10);
    EXPECT_TRUE(dialog->isVisible()) << "before a recording Enter does nothing";

    click(*dialog, macro_manager_areas::kRecord);
    tap(*dialog, Qt::Key_Return, kEnter, 1000, 1080);
    EXPECT_TRUE(dialog->isVisible()) << "while recording Enter is a key like any other";
    EXPECT_EQ(dialog->eventList()->count(), 3);
    click(*dialog, macro_manager_areas::kRecord);
    ASSERT_FALSE(dialog->editor()->recording());

    // An open name edit takes Enter as its commit, and the dialog stays.
    QListWidget& list = *dialog->macroList();
    const QPoint second = list.visualItemRect(list.item(1)).center();
    doubleClick(list.viewport(), second);
    doubleClick(list.viewport(), second);
    ASSERT_NE(dialog->entryEditor(), nullptr);
    dialog->entryEditor()->setText("Renamed");
    QTest::keyClick(dialog->entryEditor(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(lines(list), (Lines{"First", "Renamed"}));

    key(*dialog, QEvent::KeyPress, Qt::Key_Return, kEnter, 2000);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(record.macroImage(0), encodeAll(onDisk()).images[0]);
    EXPECT_TRUE(catcher.messages.isEmpty()) << catcher.messages.join("; ").toStdString();
}

TEST_F(MacroManagerDialogTest, EmptyLinesAreShownAndATooLongMacroIsTold)
{
    std::ofstream(path(), std::ios::binary)
        << "[Gaps]\nItemCount=4\nItem1=A   Dn\n[Huge]\nItemCount=5000\n";
    std::unique_ptr<MacroManagerDialog> dialog = open(skin);
    EXPECT_EQ(lines(*dialog->eventList()),
              (Lines{"(empty line)", "A   Dn", "(empty line)", "(empty line)"}));
    test::MessageCatcher catcher;
    dialog->macroList()->setCurrentRow(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !catcher.messages.isEmpty(); }));
    EXPECT_TRUE(catcher.messages[0].contains("5000 lines")) << catcher.messages[0].toStdString();
    EXPECT_EQ(dialog->eventList()->count(), 0);
}

TEST_F(MacroManagerDialogTest, CtrlPauseStopsWithoutBeingRecorded)
{
    std::unique_ptr<MacroManagerDialog> dialog = open(skin);
    click(*dialog, macro_manager_areas::kRecord);
    key(*dialog, QEvent::KeyPress, Qt::Key_B, kB, 100);
    key(*dialog, QEvent::KeyPress, Qt::Key_Control, kCtrl, 150, Qt::ControlModifier);
    // X11 sends Ctrl+Pause as Break: no Qt key, the scan code of Pause.
    key(*dialog, QEvent::KeyPress, 0, kPause, 200, Qt::ControlModifier);
    EXPECT_FALSE(dialog->editor()->recording());
    EXPECT_EQ(lines(*dialog->eventList()), (Lines{"B   Dn", "B   Up"}));
    EXPECT_EQ(onDisk().readString("First", "Item1", ""), "B   Up");
    // What follows the stop operates the dialog again, and is not recorded.
    key(*dialog, QEvent::KeyRelease, 0, kPause, 250, Qt::ControlModifier);
    EXPECT_EQ(dialog->eventList()->count(), 2);
}

TEST_F(MacroManagerDialogTest, CancelPutsTheMacroFileBack)
{
    std::unique_ptr<MacroManagerDialog> dialog = open(skin);
    click(*dialog, macro_manager_areas::kDelete);
    click(*dialog, macro_manager_areas::kNew);
    EXPECT_EQ(lines(*dialog->macroList()), (Lines{"Second", "Macro_1"}));
    EXPECT_NE(test::readText(path()), kTwoMacros);

    click(*dialog, macro_manager_areas::kCancel);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(test::readText(path()), kTwoMacros);
    EXPECT_EQ(record, SettingsRecord{}) << "Cancel hands nothing over";
}

TEST_F(MacroManagerDialogTest, EscNeverClosesAndEndsOnlyTheNameEdit)
{
    std::unique_ptr<MacroManagerDialog> dialog = open(skin);
    QListWidget& list = *dialog->macroList();
    const QPoint second = list.visualItemRect(list.item(1)).center();
    // The first double-click marks the entry, the next one edits it.
    doubleClick(list.viewport(), second);
    EXPECT_EQ(dialog->entryEditor(), nullptr);
    doubleClick(list.viewport(), second);
    ASSERT_NE(dialog->entryEditor(), nullptr);

    QTest::keyClicks(dialog->entryEditor(), "x");
    QTest::keyClick(dialog->entryEditor(), Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog->entryEditor(), nullptr);
    EXPECT_EQ(list.item(1)->text(), "Second");
    EXPECT_EQ(test::readText(path()), kTwoMacros);
    key(*dialog, QEvent::KeyPress, Qt::Key_Escape, kEscape, 10);
    EXPECT_TRUE(dialog->isVisible());

    // Committed with Enter: renamed where it stands.
    doubleClick(list.viewport(), second);
    ASSERT_NE(dialog->entryEditor(), nullptr);
    dialog->entryEditor()->setText("Renamed");
    QTest::keyClick(dialog->entryEditor(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(onDisk().sectionNames(), (Lines{"First", "Renamed"}));

    // A name in use is refused with the language's text and the name stays.
    test::MessageCatcher catcher;
    doubleClick(list.viewport(), second);
    ASSERT_NE(dialog->entryEditor(), nullptr);
    dialog->entryEditor()->setText("first");
    click(*dialog, macro_manager_areas::kTitle); // a press elsewhere commits
    EXPECT_EQ(catcher.messages, QStringList{"Warning: Macro name already exists"});
    EXPECT_EQ(list.item(1)->text(), "Renamed");
}

TEST_F(MacroManagerDialogTest, EditsADelayWhereItStands)
{
    std::unique_ptr<MacroManagerDialog> dialog = open(skin);
    QListWidget& events = *dialog->eventList();
    const QPoint delay = events.visualItemRect(events.item(1)).center();
    // Choosing the delay line marks it; a double-click on it then edits it.
    QTest::mouseClick(events.viewport(), Qt::LeftButton, Qt::NoModifier, delay);
    EXPECT_EQ(dialog->entryEditor(), nullptr);
    doubleClick(events.viewport(), delay);
    ASSERT_NE(dialog->entryEditor(), nullptr);
    EXPECT_EQ(dialog->entryEditor()->text(), "120 ms");

    dialog->entryEditor()->setText("12 34ms");
    QTest::keyClick(dialog->entryEditor(), Qt::Key_Enter);
    EXPECT_EQ(events.item(1)->text(), "1234 ms");
    EXPECT_EQ(onDisk().readString("First", "Item1", ""), "1234 ms");

    // Text that is no pause leaves the line as it was.
    doubleClick(events.viewport(), delay);
    ASSERT_NE(dialog->entryEditor(), nullptr);
    dialog->entryEditor()->setText("soon");
    click(*dialog, macro_manager_areas::kTitle);
    EXPECT_EQ(dialog->entryEditor(), nullptr);
    EXPECT_EQ(events.item(1)->text(), "1234 ms");

    // Key lines have no editor.
    const QPoint keyLine = events.visualItemRect(events.item(0)).center();
    doubleClick(events.viewport(), keyLine);
    doubleClick(events.viewport(), keyLine);
    EXPECT_EQ(dialog->entryEditor(), nullptr);
}

TEST_F(MacroManagerDialogTest, TheLoopCountIsWrittenWhenCommitted)
{
    std::unique_ptr<MacroManagerDialog> dialog = open(skin);
    QLineEdit& loop = *dialog->loopBox();
    EXPECT_FALSE(loop.isEnabled()) << "the loop option is off";
    click(*dialog, macro_manager_areas::kLoopOption);
    ASSERT_TRUE(loop.isEnabled());
    EXPECT_EQ(onDisk().readInt("First", "LoopTimeSelStatus", 0), 1);

    const struct
    {
        const char* typed;
        const char* shown;
        int stored;
    } cases[] = {{"5", "5", 5}, {"0", "1", 1}, {"70000", "1", 1}, {"65535", "65535", 65535}};
    int stored = 1;
    for (const auto& c : cases) {
        loop.selectAll();
        QTest::keyClicks(&loop, c.typed);
        EXPECT_EQ(loop.text(), c.typed);
        EXPECT_EQ(onDisk().readInt("First", "MacroLoopTimes", 0), stored)
            << "nothing is written while typing " << c.typed;
        QTest::keyClick(&loop, Qt::Key_Return);
        stored = c.stored;
        EXPECT_EQ(loop.text(), c.shown);
        EXPECT_EQ(onDisk().readInt("First", "MacroLoopTimes", 0), stored) << c.typed;
        EXPECT_TRUE(dialog->isVisible()) << "Enter does not end the dialog";
    }
}

TEST_F(MacroManagerDialogTest, NothingButRecordOkAndCancelWorksWhileRecording)
{
    std::unique_ptr<MacroManagerDialog> dialog = open(skin);
    click(*dialog, macro_manager_areas::kRecord);
    tap(*dialog, Qt::Key_A, kA, 10, 20);
    QListWidget& events = *dialog->eventList();
    EXPECT_EQ(events.contextMenuPolicy(), Qt::NoContextMenu);
    const QPoint line = events.visualItemRect(events.item(0)).center();
    doubleClick(events.viewport(), line);
    doubleClick(events.viewport(), line);
    EXPECT_EQ(dialog->entryEditor(), nullptr);
    click(*dialog, macro_manager_areas::kNew);
    click(*dialog, macro_manager_areas::kDelete);
    click(*dialog, macro_manager_areas::kDelayOption);
    EXPECT_EQ(lines(*dialog->macroList()), (Lines{"First", "Second"}));
    EXPECT_TRUE(dialog->editor()->options().recordDelays);
    EXPECT_TRUE(dialog->editor()->recording());
    EXPECT_EQ(test::readText(path()), kTwoMacros);

    // Cancel ends the recording unsaved.
    click(*dialog, macro_manager_areas::kCancel);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(test::readText(path()), kTwoMacros);
}

TEST_F(MacroManagerDialogTest, RefusesAThirteenthMacroWithTheWarning)
{
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "[M" + std::to_string(i) + "]\nItemCount=0\n";
    std::ofstream(path(), std::ios::binary) << text;
    std::unique_ptr<MacroManagerDialog> dialog = open(skin);
    test::MessageCatcher catcher;
    click(*dialog, macro_manager_areas::kNew);
    EXPECT_EQ(catcher.messages, QStringList{"Warning: Macro numbers up to 12."});
    EXPECT_EQ(dialog->macroList()->count(), 12);
}

TEST_F(MacroManagerDialogTest, TheWheelScrollsThreeLinesANotch)
{
    std::string items;
    for (int i = 0; i < 60; ++i)
        items += "Item" + std::to_string(i) + "=" + (i % 2 ? "A   Up" : "A   Dn") + "\n";
    std::ofstream(path(), std::ios::binary) << "[Long]\nItemCount=60\n" + items;
    std::unique_ptr<MacroManagerDialog> dialog = open(skin);
    QScrollBar* bar = dialog->eventList()->verticalScrollBar();
    bar->setValue(30);
    const struct
    {
        std::vector<int> deltas;
        int moved;
    } cases[] = {{{-120}, 3}, {{120}, -3}, {{-240}, 6}, {{-40, -40}, 0}, {{-40, -40, -40}, 3}};
    for (const auto& c : cases) {
        bar->setValue(30);
        for (int delta : c.deltas) {
            QWheelEvent wheel(QPointF(10, 10), dialog->eventList()->mapToGlobal(QPointF(10, 10)),
                              QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(dialog->eventList()->viewport(), &wheel);
        }
        EXPECT_EQ(bar->value(), 30 + c.moved) << c.deltas.size();
        // Leftovers of a case do not carry into the next.
        for (int delta : c.deltas) {
            QWheelEvent back(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -delta),
                             Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(dialog->eventList()->viewport(), &back);
        }
    }
}

TEST_F(MacroManagerDialogTest, AMissingBackgroundIsToldAndEndsAsCancel)
{
    SkinLibrary empty{SkinRoot(directory.file("no-skin"))};
    std::unique_ptr<MacroManagerDialog> dialog = open(empty);
    ASSERT_TRUE(dialog->openingProblem());
    test::MessageCatcher catcher;
    EXPECT_EQ(dialog->run(), QDialog::Rejected);
    EXPECT_EQ(catcher.messages,
              QStringList{"Macro Manager Dialog Load background image failed!!!: error"});
    EXPECT_EQ(test::readText(path()), kTwoMacros);
}

} // namespace
} // namespace volantra
