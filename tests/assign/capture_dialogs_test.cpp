#include "assign/assign_test_support.h"
#include "assign/button_assignment.h"
#include "assign/capture_dialog_areas.h"
#include "assign/qt/combo_key_dialog.h"
#include "assign/qt/macro_key_dialog.h"
#include "assign/qt/single_key_dialog.h"
#include "common/hex.h"
#include "skin/qt/qt_rect.h"
#include "support/caption_recorder.h"
#include "support/message_catcher.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <filesystem>
#include <gtest/gtest.h>

namespace volantra {
namespace {

using namespace test;

const std::vector<FlatSkin::Image> kDialogImages = {
    {"/single-key.png", {380, 283}, Qt::darkGray}, {"/combo-key.png", {380, 283}, Qt::darkGray},
    {"/macro-key.png", {400, 294}, Qt::darkGray},  {"/Pane.png", {16, 16}, Qt::black},
    {"/PaneMakingTick.png", {16, 16}, Qt::green},
};

class CaptureDialogs : public testing::Test
{
protected:
    FlatSkin m_skinFiles{kDialogImages};
    SkinLibrary m_skin{m_skinFiles.root()};
};

TEST_F(CaptureDialogs, SingleKeyReturnsTheLastKey)
{
    SingleKeyDialog dialog(m_skin, nullptr, Language::English, Qt::white);
    dialog.show();
    EXPECT_EQ(dialog.size(), QSize(380, 283)) << "sized to its background";

    tapKey(&dialog, evdev::kA, Qt::Key_A);
    EXPECT_EQ(dialog.shownName(), "A");
    dialog.pressOk();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice(), (SingleKeyChoice{"A", 0x04}));
}

TEST_F(CaptureDialogs, SingleKeyCatchesModifiersAloneAndIgnoresRepeats)
{
    SingleKeyDialog dialog(m_skin, nullptr, Language::English, Qt::white);
    dialog.show();
    pressKey(&dialog, evdev::kRightAlt, Qt::Key_AltGr);
    EXPECT_EQ(dialog.shownName(), "Right Alt");
    releaseKey(&dialog, evdev::kRightAlt, Qt::Key_AltGr);

    // Ctrl held down: its press repeats while A is tapped.
    pressKey(&dialog, evdev::kLeftCtrl, Qt::Key_Control);
    tapKey(&dialog, evdev::kA, Qt::Key_A);
    pressKey(&dialog, evdev::kLeftCtrl, Qt::Key_Control, true);
    EXPECT_EQ(dialog.shownName(), "A");
    releaseKey(&dialog, evdev::kLeftCtrl, Qt::Key_Control);
    EXPECT_EQ(dialog.shownName(), "Ctrl");
    dialog.pressOk();
    EXPECT_EQ(dialog.choice(), (SingleKeyChoice{"Ctrl", 0xE0}));
}

TEST_F(CaptureDialogs, EnterAndEscAreKeysNotAnswers)
{
    SingleKeyDialog dialog(m_skin, nullptr, Language::English, Qt::white);
    dialog.show();
    for (const auto& [code, key, name] : {std::tuple{evdev::kEnter, int(Qt::Key_Return), "Enter"},
                                          std::tuple{evdev::kEsc, int(Qt::Key_Escape), "Esc"}}) {
        tapKey(&dialog, code, key);
        EXPECT_TRUE(dialog.isVisible()) << name;
        EXPECT_EQ(dialog.shownName(), name);
    }
}

TEST_F(CaptureDialogs, SingleKeyRefusesKeysTheMouseCannotSend)
{
    SingleKeyDialog dialog(m_skin, nullptr, Language::English, Qt::white);
    dialog.show();
    dialog.pressOk();
    EXPECT_TRUE(dialog.isVisible()) << "OK with nothing caught";
    tapKey(&dialog, evdev::kF13, Qt::Key_F13);
    EXPECT_EQ(dialog.capture().prompt(), CapturePrompt::CannotAssign);
    dialog.pressOk();
    EXPECT_TRUE(dialog.isVisible()) << "OK with F13";
    EXPECT_EQ(dialog.choice(), std::nullopt);

    // Cancel, and the window manager's close request, give nothing either.
    tapKey(&dialog, evdev::kA, Qt::Key_A);
    dialog.close();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.choice(), std::nullopt);
}

TEST_F(CaptureDialogs, CancelButtonEndsWithNothing)
{
    SingleKeyDialog dialog(m_skin, nullptr, Language::English, Qt::white);
    dialog.show();
    tapKey(&dialog, evdev::kA, Qt::Key_A);
    click(&dialog, qtRect(capture_dialog_areas::kCancel).center());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.choice(), std::nullopt);
}

std::string encodedCombo(const ComboKeyChoice& choice)
{
    return hexSpaced(
        encodeButtonFunction(assignComboKey(ButtonParameters{}, "Combo Key", choice).parameters)
            .bytes);
}

TEST_F(CaptureDialogs, ComboOfLeftCtrlAndA)
{
    ComboKeyDialog dialog(m_skin, nullptr, Language::English, Qt::white);
    dialog.show();
    EXPECT_EQ(dialog.focusWidget(), dialog.keyField(ComboKeyField::First))
        << "the first key field has the focus at opening";

    click(&dialog, qtRect(capture_dialog_areas::combo_key::kModifierBox).center());
    QListWidget* list = dialog.modifierList();
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->count(), 8);
    click(list->viewport(), list->visualItemRect(list->item(0)).center());
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(dialog.modifierField()->text(), "Left Ctrl");

    EXPECT_EQ(dialog.focusWidget(), dialog.keyField(ComboKeyField::First))
        << "the field has the focus again once the list closed";
    tapKey(&dialog, evdev::kA, Qt::Key_A);
    EXPECT_EQ(dialog.keyField(ComboKeyField::First)->text(), "A");
    dialog.pressOk();
    ASSERT_TRUE(dialog.choice());
    EXPECT_EQ(*dialog.choice(), (ComboKeyChoice{"Left Ctrl", "A", "", 0x01, 0x04, 0x00}));
    EXPECT_EQ(encodedCombo(*dialog.choice()), "00 01 04 00");
}

// The texts a dialog draws inside `area`, in drawing order.
QStringList textsIn(QWidget& dialog, QRect area)
{
    CaptionRecorder recorder(dialog.size());
    dialog.render(&recorder);
    QStringList texts;
    for (const CaptionRecorder::Caption& caption : recorder.captions()) {
        if (QRectF(area).contains(caption.ink.center()))
            texts << caption.text;
    }
    return texts;
}

TEST_F(CaptureDialogs, TheKeyCapsShowTheKeysTheyHold)
{
    SingleKeyDialog single(m_skin, nullptr, Language::English, Qt::white);
    single.show();
    EXPECT_EQ(textsIn(single, qtRect(capture_dialog_areas::single_key::kKeyTile)), QStringList());
    tapKey(&single, evdev::kA, Qt::Key_A);
    EXPECT_EQ(textsIn(single, qtRect(capture_dialog_areas::single_key::kKeyTile)),
              QStringList{"A"});

    ComboKeyDialog combo(m_skin, nullptr, Language::English, Qt::white);
    combo.show();
    click(&combo, qtRect(capture_dialog_areas::combo_key::kModifierBox).center());
    QListWidget* list = combo.modifierList();
    click(list->viewport(), list->visualItemRect(list->item(0)).center());
    tapKey(&combo, evdev::kA, Qt::Key_A);
    EXPECT_EQ(textsIn(combo, qtRect(capture_dialog_areas::combo_key::kModifierTile)),
              QStringList{"Left Ctrl"});
    EXPECT_EQ(textsIn(combo, qtRect(capture_dialog_areas::combo_key::kKeyTile)), QStringList{"A"});
    combo.keyField(ComboKeyField::Second)->setFocus();
    tapKey(&combo, evdev::kB, Qt::Key_B);
    EXPECT_EQ(textsIn(combo, qtRect(capture_dialog_areas::combo_key::kKeyTile)),
              (QStringList{"A", "B"}));
}

// Counts the key and context-menu events that reach a widget's own handling.
class DeliveryCounter : public QObject
{
public:
    int keys = 0;
    int contextMenus = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
            ++keys;
        if (event->type() == QEvent::ContextMenu)
            ++contextMenus;
        return false;
    }
};

TEST_F(CaptureDialogs, TabIsCaughtAndMovesNoFocus)
{
    ComboKeyDialog dialog(m_skin, nullptr, Language::English, Qt::white);
    // A widget Tab would move the focus to, if it reached the dialog's focus handling.
    auto* next = new QLineEdit(&dialog);
    next->setGeometry(200, 200, 40, 14);
    next->setFocusPolicy(Qt::StrongFocus);
    dialog.show();
    QLineEdit* first = dialog.keyField(ComboKeyField::First);
    DeliveryCounter counter;
    first->installEventFilter(&counter);
    dialog.installEventFilter(&counter);

    tapKey(&dialog, evdev::kTab, Qt::Key_Tab);
    EXPECT_EQ(dialog.focusWidget(), first);
    EXPECT_EQ(first->text(), "Tab");

    // The menu key opens no context menu; a shortcut check is taken by the dialog.
    tapKey(&dialog, evdev::kMenu, Qt::Key_Menu);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(first->text(), "Application");
    QKeyEvent shortcut = keyEvent(QEvent::ShortcutOverride, evdev::kC, Qt::Key_C);
    shortcut.ignore();
    QCoreApplication::sendEvent(first, &shortcut);
    EXPECT_TRUE(shortcut.isAccepted());
    EXPECT_EQ(counter.keys, 0) << "the keys never reach the field or the dialog";
    EXPECT_EQ(counter.contextMenus, 0);

    dialog.keyField(ComboKeyField::Second)->setFocus();
    tapKey(&dialog, evdev::kB, Qt::Key_B);
    EXPECT_EQ(dialog.keyField(ComboKeyField::Second)->text(), "B");
    EXPECT_EQ(first->text(), "Application");
}

TEST_F(CaptureDialogs, ComboDropsKeysWhileTheModifierListIsOpen)
{
    ComboKeyDialog dialog(m_skin, nullptr, Language::English, Qt::white);
    dialog.show();
    click(&dialog, qtRect(capture_dialog_areas::combo_key::kModifierBox).center());
    EXPECT_FALSE(dialog.keyField(ComboKeyField::First)->isEnabled());
    tapKey(&dialog, evdev::kA, Qt::Key_A);
    EXPECT_EQ(dialog.keyField(ComboKeyField::First)->text(), "");
    // A second click on the box closes the list and turns the fields back on.
    click(&dialog, qtRect(capture_dialog_areas::combo_key::kModifierBox).center());
    EXPECT_FALSE(dialog.modifierList()->isVisible());
    EXPECT_TRUE(dialog.keyField(ComboKeyField::First)->isEnabled());
    dialog.pressOk();
    EXPECT_TRUE(dialog.isVisible()) << "nothing chosen";
    EXPECT_EQ(dialog.capture().prompt(), CapturePrompt::EnterKey);
}

TEST_F(CaptureDialogs, ComboRefusesAKeyTheMouseCannotSend)
{
    ComboKeyDialog dialog(m_skin, nullptr, Language::English, Qt::white);
    dialog.show();
    tapKey(&dialog, evdev::kF13, Qt::Key_F13);
    dialog.pressOk();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.capture().prompt(), CapturePrompt::CannotAssign);
}

std::vector<std::string> macroNames(std::size_t count)
{
    std::vector<std::string> names;
    for (std::size_t i = 1; i <= count; ++i)
        names.push_back("Macro_" + std::to_string(i));
    return names;
}

TEST_F(CaptureDialogs, MacroKeyWaitsForAMacroAndOffersTwelve)
{
    int reads = 0;
    MacroKeyDialog dialog(m_skin, nullptr, Language::English, Qt::white,
                          [&reads]() -> Result<std::vector<std::string>> {
                              ++reads;
                              return macroNames(14);
                          });
    dialog.show();
    dialog.pressOk();
    EXPECT_TRUE(dialog.isVisible()) << "no macro chosen";

    click(&dialog, qtRect(capture_dialog_areas::macro_key::kMacroBox).center());
    QListWidget* list = dialog.macroList();
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->count(), 12);
    EXPECT_EQ(reads, 2) << "the file is read again when the list opens";
    click(list->viewport(), list->visualItemRect(list->item(2)).center());
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(dialog.nameField()->text(), "Macro_3");

    click(&dialog, qtRect(capture_dialog_areas::macro_key::kTicks[1]).center());
    EXPECT_EQ(dialog.selection().repeatMode(), 1);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog, &enter);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice(), (MacroKeyChoice{2, 1, "Macro_3"}));
}

TEST_F(CaptureDialogs, MacroKeySaysSoWithoutMacros)
{
    MacroKeyDialog dialog(
        m_skin, nullptr, Language::English, Qt::white,
        []() -> Result<std::vector<std::string>> { return std::vector<std::string>{}; });
    dialog.show();
    EXPECT_EQ(dialog.selection().prompt(), CapturePrompt::NoMacros);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog, &escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(CaptureDialogs, AnUnreadableMacroFileIsSaidAndOffersNothing)
{
    test::MessageCatcher messages;
    MacroKeyDialog dialog(m_skin, nullptr, Language::English, Qt::white,
                          []() -> Result<std::vector<std::string>> {
                              return Error{Error::Kind::Io, "/data/record.ini: cannot be read"};
                          });
    EXPECT_EQ(messages.messages, QStringList{"Warning: /data/record.ini: cannot be read"});
    EXPECT_EQ(dialog.selection().prompt(), CapturePrompt::NoMacros);
}

TEST(CaptureDialogBackground, ComesFromTheDefaultSkinWhenTheSkinLacksIt)
{
    FlatSkin chosenFiles({});
    FlatSkin defaultFiles({{"/combo-key.png", {300, 200}, Qt::blue}});
    SkinLibrary chosen(chosenFiles.root());
    SkinLibrary fallback(defaultFiles.root());
    ComboKeyDialog dialog(chosen, &fallback, Language::English, Qt::white);
    EXPECT_TRUE(dialog.hasBackground());
    EXPECT_EQ(dialog.size(), QSize(300, 200));
}

TEST(CaptureDialogBackground, WithoutAnyItSaysSoOnceAndCancels)
{
    FlatSkin chosenFiles({});
    SkinLibrary chosen(chosenFiles.root());
    SkinLibrary fallback(chosenFiles.root());
    SingleKeyDialog dialog(chosen, &fallback, Language::English, Qt::white);
    ASSERT_FALSE(dialog.hasBackground());
    test::MessageCatcher messages;
    EXPECT_EQ(dialog.run(), QDialog::Rejected);
    EXPECT_EQ(messages.messages,
              QStringList{"Single Key Dialog Load background image failed!!!: error"});
    EXPECT_FALSE(dialog.isVisible());
}

TEST(CaptureDialogPictures, WithTheDefaultSkin)
{
    const std::filesystem::path skinDirectory =
        std::filesystem::path(VOLANTRA_DEFAULT_DATA_DIR) / "Skins" / "Default";
    if (!std::filesystem::exists(skinDirectory / "single-key.png"))
        GTEST_SKIP() << "the default skin is not built";
    SkinLibrary skin{SkinRoot(skinDirectory.string())};
    const QImage okButton = skin.image("/MacroManagement/button-new-normal.png");
    ASSERT_FALSE(okButton.isNull());
    std::filesystem::create_directories(VOLANTRA_TEST_ARTIFACTS);

    auto check = [&](AssignmentDialog& dialog, const char* name) {
        const QImage picture = dialog.grab().toImage();
        EXPECT_EQ(picture.size(), dialog.background().size()) << name;
        // The OK button's face, away from its centred text.
        EXPECT_EQ(picture.pixelColor(topLeft(capture_dialog_areas::kOk) + QPoint(3, 12)),
                  okButton.pixelColor(3, 12))
            << name;
        picture.save(QString::fromUtf8(VOLANTRA_TEST_ARTIFACTS) + "/" + name + ".png");
    };

    SingleKeyDialog single(skin, nullptr, Language::English, QColor(230, 230, 230));
    single.show();
    tapKey(&single, evdev::kF13, Qt::Key_F13);
    check(single, "single_key_dialog");

    ComboKeyDialog combo(skin, nullptr, Language::SimplifiedChinese, QColor(230, 230, 230));
    combo.show();
    tapKey(&combo, evdev::kA, Qt::Key_A);
    click(&combo, qtRect(capture_dialog_areas::combo_key::kModifierBox).center());
    check(combo, "combo_key_dialog");

    MacroKeyDialog macro(skin, nullptr, Language::English, QColor(230, 230, 230),
                         []() -> Result<std::vector<std::string>> { return macroNames(14); });
    macro.show();
    click(&macro, qtRect(capture_dialog_areas::macro_key::kTicks[2]).center());
    click(&macro, qtRect(capture_dialog_areas::macro_key::kMacroBox).center());
    check(macro, "macro_key_dialog");
    const QImage tick = skin.image("/PaneMakingTick.png");
    const QPoint third = qtRect(capture_dialog_areas::macro_key::kTicks[2]).center();
    EXPECT_EQ(macro.grab().toImage().pixelColor(third), tick.pixelColor(tick.rect().center()));
}

} // namespace
} // namespace volantra
