#pragma once

#include "app/window_areas.h"
#include "skin/qt/skin_button.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace volantra {

class MainPanels;
class SkinLibrary;

// The one main window: frameless, of the size of its skin background, drawn from one
// persistent off-screen picture that every redraw paints into before the window shows it.
// It draws its own buttons and forwards everything else to the panels; what the buttons
// do is the controller's.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kMinimumWidth = 994;
    static constexpr int kMinimumHeight = 634;
    static constexpr const char* kBackground = "/main.png";
    // The window's own images in a picture where nothing is hovered, largest first.
    static std::vector<std::string> imagesAtRest();

    // A tool window has no task-bar entry: the tray icon stands for the program.
    MainWindow(SkinLibrary& skin, bool toolWindow);

    // Takes the background's size; false when the skin's background is missing, cannot be
    // decoded, or is too small for the window's buttons.
    bool loadBackground();
    void setPanels(MainPanels* panels) { m_panels = panels; }
    void setTextStyle(QColor colour, QFont normal);
    // The texts of the window's language; the title is the table's "Gaming Mouse".
    void setTexts(std::function<QString(const char*)> text);
    // Told of every pointer move without a button held; true when the picture changed.
    void setPointerObserver(std::function<bool(QPoint)> observer)
    {
        m_pointerObserver = std::move(observer);
    }

    // Draws everything anew into the picture and shows it.
    void redrawAll();
    void redrawButtons();
    const QImage& picture() const { return m_picture; }
    QImage& picture() { return m_picture; }

signals:
    void buttonClicked(WindowButton button);
    // A press that closes the help panel before it acts (pressClosesHelpPanel).
    void helpPanelDismissed();
    void closeRequested();
    void macroManagerRequested();
    // The picture was drawn; the controller reports skin problems after each paint.
    void redrawn();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void drawButtons(QPainter& painter);

    SkinLibrary& m_skin;
    MainPanels* m_panels = nullptr;
    QImage m_picture;
    QColor m_textColour{220, 220, 220};
    QFont m_font;
    std::function<QString(const char*)> m_text;
    std::function<bool(QPoint)> m_pointerObserver;
    SkinButtonSet<WindowButton> m_buttons;
    // A press no control used: the window may be dragged from there.
    std::optional<QPoint> m_dragStart;
    bool m_panelsPressed = false;
    bool m_thumbBackgroundTaken = false;
};

} // namespace volantra
