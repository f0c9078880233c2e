#pragma once

#include <QLineEdit>

class QListWidget;

namespace volantra {

// An editor over one entry of a list, for editing the entry's text where it stands.
//
// Enter, Tab, a press anywhere else and the loss of the focus commit the edit; Esc cancels
// it. It never grabs the pointer, so the rest of the program stays usable. An edit ends
// once: the editor reports committed() or cancelled() and then deletes itself.
class ListEntryEditor : public QLineEdit
{
    Q_OBJECT

public:
    // Opens over `row` of `list` with the entry's text, and takes the focus.
    ListEntryEditor(QListWidget* list, int row);
    ~ListEntryEditor() override;

    int row() const { return m_row; }
    // Once ended the editor only waits to be deleted.
    bool ended() const { return m_ended; }
    void commit() { end(true); }
    void cancel() { end(false); }

signals:
    void committed(int row, const QString& text);
    void cancelled(int row);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void end(bool commit);

    int m_row;
    bool m_ended = false;
};

} // namespace volantra
