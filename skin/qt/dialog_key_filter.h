#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

namespace volantra {

// Takes every key headed for a dialog while it lives: a capture dialog's key, a macro
// being recorded.
//
// An application event filter sees each key event once per delivery: to the window, to
// the focus widget and to each parent. The filter consumes the event at its first
// delivery inside the dialog, so Tab moves no focus, fields insert no text, arrows select
// nothing and the menu key opens no context menu; it accepts the shortcut check first,
// so no shortcut of the program takes a key away. Keys the desktop keeps for itself
// (Super, Print, Alt+Tab on many desktops) never reach the program: the keyboard is
// never grabbed.
class DialogKeyFilter : public QObject
{
    Q_OBJECT

public:
    // Which deliveries are reported: those to the dialog's window only (what the keyboard
    // gives), or also keys a program sends to one of its widgets.
    enum class Reports { WindowDeliveries, AnyDelivery };

    DialogKeyFilter(QWidget* dialog, Reports reports);
    ~DialogKeyFilter() override;

signals:
    // A press or release reached the dialog.
    void keyEvent(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isInDialog(QObject* watched) const;

    QWidget* m_dialog;
    Reports m_reports;
};

} // namespace volantra
