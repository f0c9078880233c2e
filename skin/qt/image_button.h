#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace volantra {

// A button drawn from a PNG over the pixels of its parent, with pressed, highlighted and
// disabled faces built once, an optional second image for a toggled state, a tool tip,
// and optional vertical dragging (the scroll thumb of the main window).
class ImageButton : public QWidget
{
    Q_OBJECT

public:
    enum class Face {
        StandardPressed,
        StandardHighlighted,
        AlternatePressed,
        AlternateHighlighted,
        Disabled
    };

    explicit ImageButton(QWidget* parent = nullptr);

    // The images are premultiplied ARGB32 or RGB32 (SkinImage); the button takes the
    // standard image's size.
    void setImages(const QImage& standard, const QImage& alternate = QImage());
    // The parent's pixels under the button, taken once (from the parent's off-screen
    // picture while it paints its background). Without it the faces have a transparent
    // background.
    void captureBackground(const QImage& parentPicture);
    void setToggle(bool isToggle) { m_isToggle = isToggle; }
    bool isToggledOn() const { return m_toggleOn; }
    void setDisabledLook(bool disabled);

    // Lets the user drag the button up and down between `top` and `bottom` (exclusive of
    // nothing: the button stays fully inside); `dragged` reports each new top.
    void setVerticalTrack(int top, int bottom);

    Face currentFace() const { return m_current; }
    const QImage& face(Face face) const;

    // The colour rules of the faces, on one premultiplied pixel image.
    static QImage highlighted(const QImage& image);
    static QImage greyed(const QImage& image);

signals:
    void clicked();
    void dragged(int newTop);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void buildFaces();
    void press(QPoint globalPosition);

    QImage m_standard;
    QImage m_alternate;
    QImage m_background;
    QImage m_faces[5];
    bool m_facesBuilt = false;
    Face m_current = Face::StandardHighlighted;
    bool m_disabled = false;
    bool m_isToggle = false;
    bool m_toggleOn = false;
    bool m_pressed = false;

    bool m_draggable = false;
    int m_trackTop = 0;
    int m_trackBottom = 0;
    bool m_dragging = false;
    QPoint m_lastPointer;
};

} // namespace volantra
