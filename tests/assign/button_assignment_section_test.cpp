#include "assign/assign_test_support.h"
#include "assign/capture_dialog_areas.h"
#include "assign/qt/button_assignment_section.h"
#include "assign/qt/combo_key_dialog.h"
#include "assign/qt/single_key_dialog.h"
#include "common/hex.h"
#include "model/profile_store.h"
#include "model/settings_record.h"
#include "platform/posix_atomic_file_writer.h"
#include "skin/qt/qt_rect.h"
#include "support/message_catcher.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <filesystem>
#include <gtest/gtest.h>

namespace volantra {
namespace {

using namespace test;

constexpr QPoint kOrigin(20, 127);
const QColor kNormal(0, 0, 255);
const QColor kOver(255, 0, 0);
const QColor kLeave(0, 255, 0);

std::vector<FlatSkin::Image> skinImages()
{
    std::vector<FlatSkin::Image> images = {
        {"/ButtonAssignment/BK_ButtonAssignment.png", {242, 190}, Qt::darkGray},
        {"/ButtonAssignment/DropdownBox-normal.png", {130, 16}, kNormal},
        {"/ButtonAssignment/DropdownBox-over.png", {130, 16}, kOver},
        {"/ButtonAssignment/DropdownBox-leave.png", {130, 16}, kLeave},
        {"/single-key.png", {380, 283}, Qt::darkGray},
        {"/combo-key.png", {380, 283}, Qt::darkGray},
        {"/macro-key.png", {400, 294}, Qt::darkGray},
    };
    for (int n = 1; n <= 8; ++n) {
        for (const char* view : {"Front/F-", "Side/S-"}) {
            const std::string stem = std::string("/Mouse/") + view + std::to_string(n);
            images.push_back({stem + "-normal.png", {6, 6}, kNormal});
            images.push_back({stem + "-over.png", {6, 6}, kOver});
        }
    }
    return images;
}

QPoint centreOf(const Rect& area)
{
    return kOrigin + QPoint((area.left + area.right) / 2, (area.top + area.bottom) / 2);
}

class ButtonAssignment : public testing::Test
{
protected:
    ButtonAssignment()
    {
        const std::array<std::uint8_t, 8> kinds = {0, 0, 1, 2, 3, 4, 5, 13};
        for (std::size_t k = 0; k < kinds.size(); ++k)
            m_record.setButtonKind(k, kinds[k]);
        m_store.setItemNames({"Click", "Click", "Menu", "Mouse M Button", "IE Forward",
                              "IE Backward", "Double Click", "Button Off"});
        m_window.resize(1000, 640);
        m_window.show();
        QObject::connect(&m_section, &ButtonAssignmentSection::assignmentChanged,
                         [this](std::size_t button) { m_changed.push_back(button); });
        m_section.showControls(kOrigin, m_context);
    }

    void clickBox(std::size_t button)
    {
        m_section.click(centreOf(AssignmentMenu::box(button)), kOrigin, m_context);
    }
    void clickEntry(QListWidget* list, int row)
    {
        ASSERT_TRUE(list && list->isVisible());
        click(list->viewport(), list->visualItemRect(list->item(row)).center());
    }
    void hoverEntry(QListWidget* list, int row)
    {
        moveTo(list->viewport(), list->visualItemRect(list->item(row)).center());
    }
    std::string codeOf(std::size_t button) const
    {
        return hexSpaced(encodeButtonFunction(m_record.button(button)).bytes);
    }
    const std::string& label(std::size_t button) const { return m_store.itemNames()[button]; }

    FlatSkin m_skinFiles{skinImages()};
    SkinLibrary m_skin{m_skinFiles.root()};
    TemporaryDirectory m_data;
    PosixAtomicFileWriter m_writer;
    ProfileStore m_store{m_data.path().string(), m_writer, Language::English};
    SettingsRecord m_record;
    QWidget m_window;
    SectionContext m_context{m_record, m_skin, &m_window, Qt::white, QFont(), {}};
    std::vector<std::string> m_macros = {"Macro_1", "Macro_2", "Macro_3"};
    ButtonAssignmentSection m_section{
        m_store, nullptr, [this]() -> Result<std::vector<std::string>> { return m_macros; }};
    std::vector<std::size_t> m_changed;
};

TEST_F(ButtonAssignment, ABoxOpensItsFunctionListBesideIt)
{
    int redraws = 0;
    QObject::connect(&m_section, &ButtonAssignmentSection::redrawNeeded, [&redraws] { ++redraws; });
    clickBox(3);
    QListWidget* list = m_section.functionList();
    ASSERT_TRUE(list && list->isVisible());
    EXPECT_EQ(list->parentWidget(), &m_window);
    EXPECT_EQ(list->geometry(), QRect(262, 214, 103, 230));
    ASSERT_EQ(list->count(), 14);
    EXPECT_EQ(list->item(0)->text(), "Click");
    EXPECT_EQ(list->item(13)->text(), "Button Off");
    EXPECT_EQ(list->verticalScrollBar()->maximum(), 0) << "every entry fits";
    EXPECT_EQ(m_section.highlightedButton(), 3u);
    EXPECT_GE(redraws, 1);

    // Another box closes it and opens its own; its own box closes it.
    clickBox(5);
    EXPECT_EQ(list->geometry(), QRect(262, 254, 103, 230));
    clickBox(5);
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(m_changed.empty()) << "opening and closing change nothing";
}

TEST_F(ButtonAssignment, AnEntryThatAssignsAtOnce)
{
    clickBox(7);
    clickEntry(m_section.functionList(), 1);
    EXPECT_EQ(m_record.buttonKind(7), 1);
    EXPECT_EQ(codeOf(7), "01 00 f1 00");
    EXPECT_EQ(label(7), "Menu");
    EXPECT_EQ(m_changed, std::vector<std::size_t>{7});
    EXPECT_FALSE(m_section.functionList()->isVisible());
    EXPECT_EQ(m_section.menu().boxLook(7), AssignmentMenu::BoxLook::Leave);
}

TEST_F(ButtonAssignment, SubmenuOwnersOpenTheirSubmenuOnHover)
{
    clickBox(2);
    QListWidget* list = m_section.functionList();
    clickEntry(list, 7);
    EXPECT_TRUE(list->isVisible()) << "an owner entry itself assigns nothing";
    EXPECT_TRUE(m_changed.empty());

    hoverEntry(list, 2);
    QListWidget* submenu = m_section.submenuList();
    ASSERT_TRUE(submenu && submenu->isVisible());
    EXPECT_EQ(submenu->geometry(), QRect(363, 226, 110, 60));
    EXPECT_EQ(submenu->count(), 3);
    EXPECT_EQ(submenu->verticalScrollBar()->maximum(), 0);

    hoverEntry(list, 7);
    EXPECT_EQ(submenu->geometry(), QRect(365, 192, 90, 130));
    ASSERT_EQ(submenu->count(), 8);
    EXPECT_EQ(submenu->item(5)->text(), "Mute");
    hoverEntry(list, 0);
    EXPECT_FALSE(submenu->isVisible());

    hoverEntry(list, 7);
    clickEntry(submenu, 5);
    EXPECT_EQ(codeOf(2), "03 00 e2 00");
    EXPECT_EQ(label(2), "Mute");
    EXPECT_FALSE(submenu->isVisible());
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(m_section.menu().boxLook(2), AssignmentMenu::BoxLook::Normal);
}

TEST_F(ButtonAssignment, TheLastLeftClickKeepsItsMenuClosed)
{
    m_record.setButtonKind(1, 1); // button 1 is now the only "Click"
    test::MessageCatcher messages;
    clickBox(0);
    EXPECT_EQ(messages.messages, QStringList{"Warning: Left key must be selected!"});
    EXPECT_TRUE(!m_section.functionList() || !m_section.functionList()->isVisible());
}

TEST_F(ButtonAssignment, WithTwoLeftClicksEitherMenuOpens)
{
    for (std::size_t button : {0u, 1u}) {
        clickBox(button);
        ASSERT_TRUE(m_section.functionList());
        EXPECT_TRUE(m_section.functionList()->isVisible()) << button;
        m_section.click(QPoint(700, 600), kOrigin, m_context); // elsewhere: closes
        EXPECT_FALSE(m_section.functionList()->isVisible()) << button;
    }
}

TEST_F(ButtonAssignment, SingleKeyFromTheDialog)
{
    onNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<SingleKeyDialog*>(modal);
        ASSERT_TRUE(dialog);
        tapKey(dialog, evdev::kA, Qt::Key_A);
        dialog->pressOk();
    });
    clickBox(4);
    clickEntry(m_section.functionList(), 10);
    EXPECT_EQ(codeOf(4), "00 00 04 00");
    EXPECT_EQ(label(4), "Single Key-A");
    EXPECT_EQ(m_changed, std::vector<std::size_t>{4});
}

TEST_F(ButtonAssignment, ComboKeyFromTheDialog)
{
    onNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<ComboKeyDialog*>(modal);
        ASSERT_TRUE(dialog);
        click(dialog, qtRect(capture_dialog_areas::combo_key::kModifierBox).center());
        QListWidget* modifiers = dialog->modifierList();
        click(modifiers->viewport(), modifiers->visualItemRect(modifiers->item(0)).center());
        tapKey(dialog, evdev::kA, Qt::Key_A);
        dialog->pressOk();
    });
    clickBox(4);
    clickEntry(m_section.functionList(), 11);
    EXPECT_EQ(codeOf(4), "00 01 04 00");
    EXPECT_EQ(label(4), "Combo Key-Left Ctrl+A");
}

TEST_F(ButtonAssignment, MacroKeyFromTheDialog)
{
    onNextModal([](QWidget* modal) {
        auto* dialog = qobject_cast<MacroKeyDialog*>(modal);
        ASSERT_TRUE(dialog);
        click(dialog, qtRect(capture_dialog_areas::macro_key::kMacroBox).center());
        QListWidget* macros = dialog->macroList();
        click(macros->viewport(), macros->visualItemRect(macros->item(2)).center());
        click(dialog, qtRect(capture_dialog_areas::macro_key::kTicks[1]).center());
        dialog->pressOk();
    });
    clickBox(6);
    clickEntry(m_section.functionList(), 12);
    EXPECT_EQ(codeOf(6), "09 01 03 00");
    EXPECT_EQ(label(6), "Macro Key-Macro_3");
}

TEST_F(ButtonAssignment, CancelInADialogChangesNothing)
{
    for (int entry : {10, 11, 12}) {
        const SettingsRecord before = m_record;
        const ProfileStore::ItemNames labels = m_store.itemNames();
        onNextModal([](QWidget* modal) {
            auto* dialog = qobject_cast<AssignmentDialog*>(modal);
            ASSERT_TRUE(dialog);
            tapKey(dialog, evdev::kA, Qt::Key_A);
            click(dialog, qtRect(capture_dialog_areas::kCancel).center());
        });
        clickBox(2);
        clickEntry(m_section.functionList(), entry);
        EXPECT_TRUE(m_record == before) << "entry " << entry << ": the kind stays too";
        EXPECT_EQ(m_store.itemNames(), labels) << entry;
        EXPECT_FALSE(m_section.functionList()->isVisible()) << entry;
    }
    EXPECT_TRUE(m_changed.empty());
}

QImage paintedSection(ButtonAssignmentSection& section, SectionContext& context)
{
    QImage picture(1000, 640, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    section.paint(painter, kOrigin, context);
    section.paintPictureMarks(painter, context.skin, ButtonPictureView::Front);
    return picture;
}

TEST_F(ButtonAssignment, BoxLooksAndPictureMarks)
{
    const QPoint boxPixel = kOrigin + QPoint(101, 28); // top-left corner of box 0
    const int pitch = 20;
    QImage picture = paintedSection(m_section, m_context);
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(picture.pixelColor(boxPixel + QPoint(0, pitch * k)), kNormal) << k;
    EXPECT_EQ(picture.pixelColor(474, 177), kNormal) << "mark of button 3";

    EXPECT_TRUE(m_section.pointerMoved(centreOf(AssignmentMenu::box(2))));
    clickBox(2);
    picture = paintedSection(m_section, m_context);
    EXPECT_EQ(picture.pixelColor(boxPixel + QPoint(0, 2 * pitch)), kOver);
    EXPECT_EQ(picture.pixelColor(474, 177), kOver) << "button 3 is marked";
    EXPECT_EQ(picture.pixelColor(336, 101), kNormal) << "button 1 is not";

    clickEntry(m_section.functionList(), 0);
    picture = paintedSection(m_section, m_context);
    EXPECT_EQ(picture.pixelColor(boxPixel + QPoint(0, 2 * pitch)), kLeave);
    EXPECT_TRUE(m_section.pointerMoved(QPoint(700, 500)));
    picture = paintedSection(m_section, m_context);
    EXPECT_EQ(picture.pixelColor(boxPixel + QPoint(0, 2 * pitch)), kNormal);
    EXPECT_EQ(picture.pixelColor(474, 177), kNormal) << "the mark goes with the pointer";

    // The side view marks its own images.
    clickBox(2);
    QImage side(1000, 640, QImage::Format_ARGB32_Premultiplied);
    side.fill(Qt::black);
    QPainter painter(&side);
    m_section.paintPictureMarks(painter, m_skin, ButtonPictureView::Side);
    EXPECT_EQ(side.pixelColor(510, 172), kOver);
    EXPECT_EQ(side.pixelColor(363, 81), kNormal);
}

TEST_F(ButtonAssignment, ClosingTheSectionTakesTheListsDown)
{
    clickBox(3);
    hoverEntry(m_section.functionList(), 9);
    ASSERT_TRUE(m_section.submenuList());
    m_section.hideControls();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_section.functionList(), nullptr);
    EXPECT_EQ(m_section.submenuList(), nullptr);
    EXPECT_EQ(m_section.menu().openButton(), std::nullopt);
    EXPECT_EQ(m_section.highlightedButton(), std::nullopt);
}

TEST(ButtonAssignmentPicture, WithTheDefaultSkin)
{
    const std::filesystem::path skinDirectory =
        std::filesystem::path(VOLANTRA_DEFAULT_DATA_DIR) / "Skins" / "Default";
    if (!std::filesystem::exists(skinDirectory / "main.png"))
        GTEST_SKIP() << "the default skin is not built";
    SkinLibrary skin{SkinRoot(skinDirectory.string())};
    TemporaryDirectory data;
    PosixAtomicFileWriter writer;
    ProfileStore store(data.path().string(), writer, Language::English);
    store.setItemNames({"Click", "Menu", "Mouse M Button", "IE Forward", "IE Backward",
                        "Combo Key-Left Ctrl+A", "DPI Loop", "Single Key-F5"});
    SettingsRecord record;
    for (std::size_t k = 1; k < 8; ++k)
        record.setButtonKind(k, 1);
    QWidget window;
    SectionContext context{record, skin, &window, QColor(230, 230, 230), QFont(), {}};
    ButtonAssignmentSection section(store, nullptr, {});
    section.click(centreOf(AssignmentMenu::box(5)), kOrigin, context);

    QImage picture(1000, 640, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    skin.draw(painter, "/Mouse/Front/MouseFront.png", QPoint(335, 58));
    section.paint(painter, kOrigin, context);
    section.paintPictureMarks(painter, skin, ButtonPictureView::Front);
    painter.end();
    EXPECT_TRUE(skin.takeNewProblems().isEmpty()) << "the default skin has every image";
    const QImage box = skin.image(AssignmentMenu::kBoxNormalImage);
    ASSERT_FALSE(box.isNull());
    EXPECT_EQ(picture.pixelColor(kOrigin + QPoint(100 + box.width() / 2, 27 + 2)),
              box.pixelColor(box.width() / 2, 2));
    std::filesystem::create_directories(VOLANTRA_TEST_ARTIFACTS);
    picture.save(QString::fromUtf8(VOLANTRA_TEST_ARTIFACTS "/button_assignment.png"));
}

} // namespace
} // namespace volantra
