#include "skin/qt/skin_button.h"
#include "skin/qt/skin_library.h"
#include "support/flat_skin.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace volantra {
namespace {

TEST(SkinButtonTest, ShowsTheFaceOfItsState)
{
    const SkinButtonFaces plain{"/n.png", "/o.png"};
    const SkinButtonFaces full{"/n.png", "/o.png", "/p.png", "/d.png"};
    const SkinButtonFaces hoverOnly{"", "/o.png"};
    const SkinButtonFaces noHover{"/n.png", ""};
    const SkinButtonFaces tick{.normal = "/off.png", .over = "", .checkedNormal = "/on.png"};
    struct Case
    {
        const char* name;
        SkinButtonFaces faces;
        bool hovered, held, enabled, checked;
        std::string face;
    };
    const Case cases[] = {
        {"idle", plain, false, false, true, false, "/n.png"},
        {"hovered", plain, true, false, true, false, "/o.png"},
        {"held without a pressed face", plain, true, true, true, false, "/o.png"},
        {"held", full, true, true, true, false, "/p.png"},
        {"disabled", full, true, false, false, false, "/d.png"},
        {"disabled without a face of its own", plain, true, false, false, false, "/o.png"},
        {"no hover face", noHover, true, false, true, false, "/n.png"},
        {"shown only under the pointer, idle", hoverOnly, false, false, true, false, ""},
        {"shown only under the pointer, hovered", hoverOnly, true, false, true, false, "/o.png"},
        {"toggle on", tick, false, false, true, true, "/on.png"},
        {"toggle on, hovered", tick, true, false, true, true, "/on.png"},
        {"toggle off, hovered", tick, true, false, true, false, "/off.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SkinButton button(Rect{0, 0, 10, 10}, c.faces);
        button.setHovered(c.hovered);
        button.setHeld(c.held);
        button.setEnabled(c.enabled);
        button.setChecked(c.checked);
        EXPECT_EQ(button.currentFace(), c.face);
    }
}

TEST(SkinButtonTest, DrawsItsFaceOverThePictureBeneath)
{
    test::FlatSkin files({{"/n.png", {10, 10}, Qt::red}, {"/o.png", {10, 10}, Qt::green}});
    SkinLibrary skin(files.root());
    QImage underlay(40, 40, QImage::Format_ARGB32_Premultiplied);
    underlay.fill(Qt::blue);
    QImage picture = underlay;
    const auto drawn = [&](const SkinButton& button) {
        QPainter painter(&picture);
        button.draw(painter, skin, &underlay);
        return picture.pixelColor(15, 15);
    };

    SkinButton button(Rect{10, 10, 20, 20}, {"/n.png", "/o.png"});
    EXPECT_EQ(drawn(button), QColor(Qt::red));
    EXPECT_TRUE(button.setHovered(true));
    EXPECT_FALSE(button.setHovered(true)) << "nothing changed";
    EXPECT_EQ(drawn(button), QColor(Qt::green));
    button.setEnabled(false);
    const QColor faded = drawn(button);
    EXPECT_GT(faded.blue(), 0) << "a disabled face lets the picture show through";
    EXPECT_GT(faded.green(), 0);

    // Without a normal face the spot is the picture's again once the pointer leaves.
    SkinButton hoverOnly(Rect{10, 10, 20, 20}, {"", "/o.png"});
    hoverOnly.setLabel(QStringLiteral("OK"));
    EXPECT_EQ(drawn(hoverOnly), QColor(Qt::blue));
    EXPECT_TRUE(picture.copy(10, 10, 10, 10) == underlay.copy(10, 10, 10, 10))
        << "neither face nor label is drawn";
}

TEST(SkinButtonSetTest, HoversAndFindsTheFirstButtonUnderThePointer)
{
    enum class Id { Wide, Inner, Apart };
    SkinButtonSet<Id> buttons;
    buttons.add(Id::Wide, Rect{0, 0, 20, 20}, {"/n.png", "/o.png"});
    buttons.add(Id::Inner, Rect{5, 5, 10, 10}, {"/n.png", "/o.png"});
    buttons.add(Id::Apart, Rect{30, 0, 40, 10}, {"/n.png", "/o.png"});

    EXPECT_EQ(buttons.at(QPoint(6, 6)), Id::Wide);
    EXPECT_EQ(buttons.at(QPoint(39, 9)), Id::Apart);
    EXPECT_EQ(buttons.at(QPoint(40, 9)), std::nullopt) << "right edges are exclusive";

    EXPECT_TRUE(buttons.hover(QPoint(6, 6)));
    EXPECT_TRUE(buttons[Id::Wide].isHovered());
    EXPECT_FALSE(buttons[Id::Inner].isHovered());
    EXPECT_FALSE(buttons.hover(QPoint(7, 7))) << "still over the same button";
    EXPECT_TRUE(buttons.hover(QPoint(35, 5)));
    EXPECT_FALSE(buttons[Id::Wide].isHovered());
    EXPECT_TRUE(buttons.leave());
    EXPECT_FALSE(buttons[Id::Apart].isHovered());
    EXPECT_FALSE(buttons.leave());
}

} // namespace
} // namespace volantra
