#include "model/profile_list.h"
#include "model/profile_store.h"
#include "profiles/profile_directory.h"
#include "profiles/profile_manager_areas.h"
#include "profiles/qt/profile_manager_dialog.h"
#include "skin/qt/list_entry_editor.h"
#include "skin/qt/qt_rect.h"
#include "skin/qt/skin_library.h"
#include "skin/skin_root.h"
#include "support/message_catcher.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace volantra {
namespace {

using Names = std::vector<std::string>;

const QColor kMainWindowColour(200, 20, 20);

// Chooses the entry of the context menu that opens next.
void chooseFromNextMenu(const QString& entry)
{
    QTimer::singleShot(0, [entry] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text() == entry) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        menu->close();
        FAIL() << "no menu entry " << entry.toStdString();
    });
}

class ProfileManagerDialogTest : public ::testing::Test
{
protected:
    ProfileManagerDialogTest()
    {
        data.writeProfiles({"Home", "Work"}, "Work");
        EXPECT_TRUE(store.loadCurrentProfile(record));
        EXPECT_TRUE(store.readProfileIni());
        // The main window's picture: one plain colour, to see the panel's opacity over it.
        mainWindow.resize(994, 634);
        mainWindow.setAutoFillBackground(true);
        QPalette palette = mainWindow.palette();
        palette.setColor(QPalette::Window, kMainWindowColour);
        mainWindow.setPalette(palette);
        mainWindow.show();
    }

    ProfileManagerContext context(SkinLibrary& chosen, SkinLibrary* fallback)
    {
        return {store,
                data.writer(),
                record,
                chosen,
                fallback,
                Language::English,
                QColor(220, 220, 220),
                [this] {
                    ++replaceQuestions;
                    return mayReplace;
                }};
    }

    // Opens the panel over the main window and records what it hands over.
    ProfileManagerDialog* openPanel()
    {
        auto* dialog = new ProfileManagerDialog(context(skin, nullptr), &mainWindow);
        QObject::connect(
            dialog, &ProfileManagerDialog::handedOver,
            [this](const ProfileHandOver& handOver) { handedOver.push_back(handOver); });
        EXPECT_TRUE(dialog->openPanel());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
        return dialog;
    }

    void clickEntry(ProfileManagerDialog* dialog, int row)
    {
        QListWidget* list = dialog->profileList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
    }

    void openMenuOn(ProfileManagerDialog* dialog, int row, const QString& entry)
    {
        QListWidget* list = dialog->profileList();
        const QPoint at = list->visualItemRect(list->item(row)).center();
        chooseFromNextMenu(entry);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
        QApplication::sendEvent(list->viewport(), &event);
    }

    static QStringList shownNames(ProfileManagerDialog* dialog)
    {
        QStringList names;
        for (int i = 0; i < dialog->profileList()->count(); ++i)
            names << dialog->profileList()->item(i)->text();
        return names;
    }

    test::ProfileDirectory data;
    ProfileStore store{data.path(), data.writer()};
    SettingsRecord record;
    SkinLibrary skin{SkinRoot::defaultSkin(VOLANTRA_DEFAULT_DATA_DIR)};
    QWidget mainWindow;
    std::vector<ProfileHandOver> handedOver;
    bool mayReplace = true;
    int replaceQuestions = 0;
};

TEST_F(ProfileManagerDialogTest, CreatesNamesAndLoadsAProfileWithClicks)
{
    test::MessageCatcher messages;
    ProfileManagerDialog* dialog = openPanel();
    EXPECT_EQ(shownNames(dialog), (QStringList{"Home", "Work"}));
    EXPECT_EQ(dialog->profileList()->currentRow(), 1);

    QTest::mouseClick(dialog, Qt::LeftButton, Qt::NoModifier,
                      qtRect(profile_manager_areas::kNew).center());
    EXPECT_EQ(shownNames(dialog), (QStringList{"Home", "Work", "Work_2"}));
    EXPECT_EQ(dialog->profileList()->currentRow(), 2);

    // The first press marks the entry, the second opens the editor on it.
    clickEntry(dialog, 2);
    EXPECT_EQ(dialog->entryEditor(), nullptr);
    clickEntry(dialog, 2);
    ListEntryEditor* editor = dialog->entryEditor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "  Travel ");
    QTest::keyClick(editor, Qt::Key_Return); // no commit in this panel
    EXPECT_EQ(dialog->entryEditor(), editor);
    EXPECT_EQ(shownNames(dialog)[2], "Work_2");
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(shownNames(dialog), (QStringList{"Home", "Work", "Travel"}));

    openMenuOn(dialog, 2, "Load");
    ASSERT_EQ(handedOver.size(), 1u);
    EXPECT_EQ(handedOver[0], (ProfileHandOver{ProfileHandOver::Request::Import, 2,
                                              ProfileHandOver::Current::Other}));
    EXPECT_EQ(replaceQuestions, 1); // the main window was asked before the record changes
    // The files are there before the main window opens its file dialog on them.
    EXPECT_EQ(ProfileList::read(data.list()).names(), (Names{"Home", "Work", "Travel"}));
    EXPECT_EQ(data.list().readString("Profile", "CurProfileName", ""), "Travel");
    SettingsRecord loaded;
    ProfileStore mainWindowStore(data.path(), data.writer());
    ASSERT_TRUE(mainWindowStore.loadCurrentProfile(loaded));
    EXPECT_EQ(mainWindowStore.currentProfileIndex(), 2);
    EXPECT_EQ(mainWindowStore.currentProfilePath(), data.file("config2.bin"));
    EXPECT_EQ(loaded, record);

    // Closing: nothing is left to write, the current profile stays.
    QPointer<ProfileManagerDialog> panel(dialog);
    QTest::mouseClick(dialog, Qt::LeftButton, Qt::NoModifier,
                      qtRect(profile_manager_areas::kClose).center());
    ASSERT_EQ(handedOver.size(), 2u);
    EXPECT_EQ(handedOver[1], (ProfileHandOver{ProfileHandOver::Request::Closed, 2,
                                              ProfileHandOver::Current::Same}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(panel.isNull());
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join("; ").toStdString();
}

TEST_F(ProfileManagerDialogTest, TheMenuDeletesCopiesAndSaves)
{
    test::MessageCatcher messages;
    ProfileManagerDialog* dialog = openPanel();
    clickEntry(dialog, 0);
    openMenuOn(dialog, 0, "Copy");
    EXPECT_EQ(shownNames(dialog), (QStringList{"Home", "Work", "Copy Home"}));
    EXPECT_EQ(dialog->profileList()->currentRow(), 0);
    openMenuOn(dialog, 0, "Delete");
    EXPECT_EQ(shownNames(dialog), (QStringList{"Work", "Copy Home"}));
    EXPECT_EQ(dialog->profileList()->currentRow(), 0); // back on Work, the record's profile
    openMenuOn(dialog, 0, "Save");
    ASSERT_EQ(handedOver.size(), 1u);
    EXPECT_EQ(handedOver[0], (ProfileHandOver{ProfileHandOver::Request::Export, 0,
                                              ProfileHandOver::Current::Renumbered}));
    EXPECT_EQ(replaceQuestions, 0); // the record keeps its profile
    EXPECT_EQ(data.pairs(), (Names{"Work", "Home"}));
    EXPECT_EQ(data.backupAt(0), "Home");
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.join("; ").toStdString();
    dialog->pressClose();
}

TEST_F(ProfileManagerDialogTest, RefusalsAreToldAndChangeNothing)
{
    test::MessageCatcher messages;
    ProfileManagerDialog* dialog = openPanel();
    // A name another profile has.
    clickEntry(dialog, 0);
    clickEntry(dialog, 0);
    ASSERT_NE(dialog->entryEditor(), nullptr);
    dialog->entryEditor()->setText("WORK");
    dialog->entryEditor()->commit();
    EXPECT_EQ(shownNames(dialog), (QStringList{"Home", "Work"}));
    // Six profiles at most.
    for (int i = 0; i < 5; ++i)
        dialog->pressNew();
    EXPECT_EQ(dialog->profileList()->count(), 6);
    ASSERT_EQ(messages.messages.size(), 2);
    EXPECT_TRUE(messages.messages[0].contains("Another profile is already called \"WORK\""))
        << messages.messages[0].toStdString();
    EXPECT_EQ(messages.messages[1].trimmed(), "Warning: Profile numbers up to 6.");

    // The main window keeps its unapplied edits: the panel stays open, nothing is written.
    const auto before = data.snapshot();
    mayReplace = false;
    QPointer<ProfileManagerDialog> panel(dialog);
    dialog->pressClose();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_FALSE(panel.isNull());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(handedOver.empty());
    EXPECT_EQ(data.snapshot(), before);
    mayReplace = true;
    dialog->pressClose();
    ASSERT_EQ(handedOver.size(), 1u);
    EXPECT_EQ(handedOver[0].current, ProfileHandOver::Current::Other);
    EXPECT_EQ(ProfileList::read(data.list()).names().size(), 6u);
}

TEST_F(ProfileManagerDialogTest, IsDrawnSeventyPercentOpaqueOverTheMainWindowWithAnOpaqueList)
{
    ProfileManagerDialog* dialog = openPanel();
    EXPECT_EQ(dialog->parentWidget(), &mainWindow);
    EXPECT_FALSE(dialog->isWindow());
    EXPECT_EQ(dialog->geometry(), QRect(QPoint(0, 0), dialog->background().size()));
    const QImage shown = mainWindow.grab().toImage();
    const QImage background = dialog->background().convertToFormat(QImage::Format_ARGB32);
    // A point of the title bar away from the texts and the close button.
    const QPoint title(150, 15);
    const QColor under = background.pixelColor(title);
    const QColor seen = shown.pixelColor(title);
    const auto blended = [](int panel, int window) { return panel * 0.7 + window * 0.3; };
    EXPECT_NEAR(seen.red(), blended(under.red(), kMainWindowColour.red()), 3);
    EXPECT_NEAR(seen.green(), blended(under.green(), kMainWindowColour.green()), 3);
    EXPECT_NEAR(seen.blue(), blended(under.blue(), kMainWindowColour.blue()), 3);
    // Below the entries the list shows its own colour, with nothing of the window.
    EXPECT_EQ(shown.pixelColor(200, 500), QColor(40, 40, 40));
    dialog->pressClose();
}

TEST_F(ProfileManagerDialogTest, AMissingBackgroundComesFromTheDefaultSkinOrIsToldOnce)
{
    test::TemporaryDirectory emptySkin;
    SkinLibrary chosen{SkinRoot(emptySkin.path().string())};
    {
        auto* dialog = new ProfileManagerDialog(context(chosen, &skin), &mainWindow);
        ASSERT_TRUE(dialog->openPanel());
        EXPECT_EQ(shownNames(dialog), (QStringList{"Home", "Work"}));
        dialog->pressClose();
    }
    test::MessageCatcher messages;
    QPointer<ProfileManagerDialog> dialog(
        new ProfileManagerDialog(context(chosen, nullptr), &mainWindow));
    EXPECT_FALSE(dialog->openPanel());
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(
        messages.messages[0].startsWith("Config Dialog Load background image failed!!!: error"));
    EXPECT_TRUE(messages.shown[0].details.contains("Config/Config.png"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(ProfileManagerDialogTest, AListOfMoreThanSixIsShownAndToldOnce)
{
    data.writeText("str.ini", "[Profile]\nCurProfileName=B\nItemCount=7\nItem0=A\nItem1=B\n"
                              "Item2=C\nItem3=D\nItem4=E\nItem5=F\nItem6=G\n");
    test::MessageCatcher messages;
    ProfileManagerDialog* dialog = openPanel();
    EXPECT_EQ(shownNames(dialog), (QStringList{"A", "B", "C", "D", "E", "F"}));
    EXPECT_EQ(dialog->profileList()->currentRow(), 1);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].contains("lists 7 profiles"));
    const auto before = data.snapshot();
    dialog->pressClose();
    EXPECT_EQ(data.snapshot(), before);
}

} // namespace
} // namespace volantra
