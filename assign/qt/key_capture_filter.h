#pragma once

#include "assign/captured_key_event.h"

#include <QObject>

class QWidget;

namespace volantra {

// Catches the keyboard for a capture dialog while it lives.
//
// An application event filter sees each key event once per delivery: to the window, to
// the focus widget and to each parent. The filter acts on the delivery to the dialog's
// window only, and consumes the event there and on every later delivery inside the
// dialog, so Tab moves no focus, fields insert no text and the menu key opens no context
// menu. It accepts the shortcut check first, so no shortcut of the program takes a key
// away. Keys the desktop keeps for itself (Super, Print, Alt+Tab on many desktops) never
// reach the program; the keyboard is never grabbed.
class KeyCaptureFilter : public QObject
{
    Q_OBJECT

public:
    explicit KeyCaptureFilter(QWidget* dialog);
    ~KeyCaptureFilter() override;

signals:
    // A press or release reached the dialog's window. The name refers to the key table.
    void keyCaught(const volantra::CapturedKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isInDialog(QObject* watched) const;

    QWidget* m_dialog;
};

} // namespace volantra
