#include "skin/qt/list_entry_editor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

namespace volantra {

ListEntryEditor::ListEntryEditor(QListWidget* list, int row)
    : QLineEdit(list->viewport()), m_row(row)
{
    QListWidgetItem* item = list->item(row);
    setText(item ? item->text() : QString());
    setFont(list->font());
    setGeometry(list->visualItemRect(item).adjusted(-1, -1, 1, 1));
    qApp->installEventFilter(this);
    show();
    setFocus(Qt::OtherFocusReason);
    selectAll();
}

ListEntryEditor::~ListEntryEditor()
{
    qApp->removeEventFilter(this);
}

void ListEntryEditor::end(bool commit)
{
    if (m_ended)
        return;
    m_ended = true;
    qApp->removeEventFilter(this);
    hide();
    if (commit)
        emit committed(m_row, text());
    else
        emit cancelled(m_row);
    deleteLater();
}

void ListEntryEditor::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        commit();
        return;
    case Qt::Key_Escape:
        event->accept();
        cancel();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void ListEntryEditor::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    commit();
}

bool ListEntryEditor::event(QEvent* event)
{
    // Tab would otherwise move the focus before keyPressEvent() sees it.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            event->accept();
            commit();
            return true;
        }
    }
    return QLineEdit::event(event);
}

bool ListEntryEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (!rect().contains(mapFromGlobal(press->globalPosition().toPoint())))
            commit();
    }
    return false;
}

} // namespace volantra
