#pragma once

#include <QObject>

class QKeyEvent;
class QWidget;

namespace volantra {

// Takes every key headed for a dialog while a macro is being recorded.
//
// Each key event is reported once, at its first delivery inside the dialog (to its
// window, or to a widget for events made by programs), and consumed there, so no key
// also operates the dialog: arrows select nothing, Tab moves no focus, fields insert no
// text and no shortcut fires. The keyboard is not grabbed: keys the desktop keeps for
// itself never arrive.
class RecordingKeyFilter : public QObject
{
    Q_OBJECT

public:
    explicit RecordingKeyFilter(QWidget* dialog);
    ~RecordingKeyFilter() override;

signals:
    void keyEvent(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isInDialog(QObject* watched) const;

    QWidget* m_dialog;
};

} // namespace volantra
