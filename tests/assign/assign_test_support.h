#pragma once

#include "skin/qt/skin_library.h"
#include "skin/skin_root.h"
#include "support/flat_skin.h"
#include "support/temporary_directory.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace volantra::test {

// Linux input codes of the keys the tests press.
namespace evdev {
constexpr unsigned kEsc = 1, kTab = 15, kEnter = 28, kLeftCtrl = 29, kA = 30, kC = 46, kB = 48,
                   kRightAlt = 100, kMenu = 127, kF13 = 183;
}

// A key event as X11 and Wayland deliver it: the scan code is the input code plus 8.
inline QKeyEvent keyEvent(QEvent::Type type, unsigned evdevCode, int qtKey, bool autoRepeat = false)
{
    return QKeyEvent(type, qtKey, Qt::NoModifier, evdevCode + 8, 0, 0, QString(), autoRepeat);
}

// Sends the event to the window the way the application hands key events on: to the
// dialog's window first, which passes it to the focus widget.
inline bool sendToWindow(QWidget* dialog, QEvent& event)
{
    return QCoreApplication::sendEvent(dialog->windowHandle(), &event);
}

inline void pressKey(QWidget* dialog, unsigned evdevCode, int qtKey, bool autoRepeat = false)
{
    QKeyEvent event = keyEvent(QEvent::KeyPress, evdevCode, qtKey, autoRepeat);
    sendToWindow(dialog, event);
}

inline void releaseKey(QWidget* dialog, unsigned evdevCode, int qtKey)
{
    QKeyEvent event = keyEvent(QEvent::KeyRelease, evdevCode, qtKey);
    sendToWindow(dialog, event);
}

inline void tapKey(QWidget* dialog, unsigned evdevCode, int qtKey)
{
    pressKey(dialog, evdevCode, qtKey);
    releaseKey(dialog, evdevCode, qtKey);
}

inline void sendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// A left click: press and release at one point of `widget`.
inline void click(QWidget* widget, QPoint at)
{
    sendMouse(widget, QEvent::MouseButtonPress, at, Qt::LeftButton);
    sendMouse(widget, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

inline void moveTo(QWidget* widget, QPoint at)
{
    sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton);
}

// Runs `action` on the modal window that opens next, once it runs its own event loop.
// Gives up after about two seconds without one.
inline void onNextModal(std::function<void(QWidget*)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(1);
    auto attempts = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer,
                     [timer, attempts, action = std::move(action)]() {
                         QWidget* modal = QApplication::activeModalWidget();
                         if (!modal && ++*attempts < 2000)
                             return;
                         timer->stop();
                         timer->deleteLater();
                         if (modal)
                             action(modal);
                     });
    timer->start();
}

} // namespace volantra::test
