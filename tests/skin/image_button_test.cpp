#include "skin/qt/image_button.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace volantra {
namespace {

// A 10 × 10 face: opaque orange on the left half, transparent on the right.
QImage halfOpaque(QRgb colour)
{
    QImage image(10, 10, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, y, colour);
    return image;
}

class ImageButtonTest : public testing::Test
{
protected:
    ImageButtonTest()
    {
        parent.resize(100, 100);
        picture.fill(qRgb(0, 0, 200));
        button = new ImageButton(&parent);
        button->move(20, 30);
        button->setImages(halfOpaque(qRgb(200, 100, 0)), halfOpaque(qRgb(0, 255, 0)));
        button->captureBackground(picture);
    }

    void send(QEvent::Type type, QPoint local)
    {
        QMouseEvent event(type, local, button->mapToGlobal(local), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(button, &event);
    }
    void sendGlobal(QEvent::Type type, QPoint global)
    {
        const QPoint local = button->mapFromGlobal(global);
        QMouseEvent event(type, local, global, Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(button, &event);
    }
    QImage shown() { return button->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QWidget parent;
    QImage picture{100, 100, QImage::Format_RGB32};
    ImageButton* button = nullptr;
};

TEST_F(ImageButtonTest, FacesFollowTheColourRulesOverTheParentsPixels)
{
    struct Case
    {
        ImageButton::Face face;
        QPoint at;
        QRgb expected;
    } cases[] = {
        {ImageButton::Face::StandardPressed, {2, 5}, qRgb(200, 100, 0)},
        {ImageButton::Face::StandardPressed, {7, 5}, qRgb(0, 0, 200)},
        // 1.05 × value + 0.05 of full scale: 200 → 223, 100 → 118, 0 → 13.
        {ImageButton::Face::StandardHighlighted, {2, 5}, qRgb(223, 118, 13)},
        {ImageButton::Face::StandardHighlighted, {7, 5}, qRgb(0, 0, 200)},
        // 0.3 R + 0.59 G + 0.11 B: 60 + 59 + 0.
        {ImageButton::Face::Disabled, {2, 5}, qRgb(119, 119, 119)},
        // The alternate pressed face is drawn one pixel down and right.
        {ImageButton::Face::AlternatePressed, {0, 5}, qRgb(0, 0, 200)},
        {ImageButton::Face::AlternatePressed, {1, 5}, qRgb(0, 255, 0)},
        {ImageButton::Face::AlternatePressed, {5, 5}, qRgb(0, 255, 0)},
        {ImageButton::Face::AlternateHighlighted, {0, 5}, qRgb(13, 255, 13)},
    };
    shown(); // the faces are built for the first paint
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.face) << " at " << c.at.x());
        const QImage face = button->face(c.face);
        ASSERT_EQ(face.size(), QSize(10, 10));
        EXPECT_EQ(face.pixel(c.at) | 0xFF000000u, c.expected);
    }
}

TEST_F(ImageButtonTest, IdleAndHoveredShowTheHighlightedFaceAndAPressShowsThePressedOne)
{
    EXPECT_EQ(shown().pixel(2, 5), qRgb(223, 118, 13));
    EXPECT_EQ(button->currentFace(), ImageButton::Face::StandardHighlighted);
    send(QEvent::MouseButtonPress, {3, 3});
    EXPECT_EQ(shown().pixel(2, 5), qRgb(200, 100, 0));
    send(QEvent::MouseButtonRelease, {3, 3});
    EXPECT_EQ(button->currentFace(), ImageButton::Face::StandardPressed);
    shown();
    EXPECT_EQ(button->currentFace(), ImageButton::Face::StandardHighlighted);

    button->setDisabledLook(true);
    EXPECT_EQ(shown().pixel(2, 5), qRgb(119, 119, 119));
}

TEST_F(ImageButtonTest, AToggleFlipsOnEveryPressAndShowsTheAlternateFaceWhileOn)
{
    button->setToggle(true);
    const ImageButton::Face expected[] = {ImageButton::Face::AlternatePressed,
                                          ImageButton::Face::StandardPressed,
                                          ImageButton::Face::AlternatePressed};
    for (ImageButton::Face face : expected) {
        send(QEvent::MouseButtonPress, {3, 3});
        shown();
        EXPECT_EQ(button->currentFace(), face);
        send(QEvent::MouseButtonRelease, {3, 3});
    }
    EXPECT_TRUE(button->isToggledOn());
    EXPECT_EQ(shown().pixel(1, 5), qRgb(13, 255, 13)); // idle while on: alternate highlighted
}

TEST_F(ImageButtonTest, DraggingClampsToTheTrackAndTheNextMoveStartsFromThePointer)
{
    button->setVerticalTrack(32, 80);
    button->move(20, 40);
    QSignalSpy dragged(button, &ImageButton::dragged);
    sendGlobal(QEvent::MouseButtonPress, {300, 100});
    sendGlobal(QEvent::MouseMove, {300, 600}); // far past the end: stops at the bottom
    EXPECT_EQ(button->y(), 70);
    sendGlobal(QEvent::MouseMove, {300, 595}); // measured from where the pointer was
    EXPECT_EQ(button->y(), 65);
    sendGlobal(QEvent::MouseMove, {300, 0});
    EXPECT_EQ(button->y(), 32);
    sendGlobal(QEvent::MouseButtonRelease, {300, 0});
    sendGlobal(QEvent::MouseMove, {300, 40}); // no drag without a press
    EXPECT_EQ(button->y(), 32);
    ASSERT_EQ(dragged.count(), 3);
    EXPECT_EQ(dragged[0][0].toInt(), 70);
    EXPECT_EQ(dragged[1][0].toInt(), 65);
    EXPECT_EQ(dragged[2][0].toInt(), 32);
}

TEST_F(ImageButtonTest, ADoubleClickStartsADragLikeAPress)
{
    button->setVerticalTrack(0, 100);
    send(QEvent::MouseButtonDblClick, {3, 3});
    send(QEvent::MouseMove, {3, 13});
    EXPECT_EQ(button->y(), 40);
}

} // namespace
} // namespace volantra
