#include "assign/qt/key_capture_filter.h"

#include "assign/qt/qt_key_names.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace volantra {

KeyCaptureFilter::KeyCaptureFilter(QWidget* dialog) : QObject(dialog), m_dialog(dialog)
{
    QCoreApplication::instance()->installEventFilter(this);
}

KeyCaptureFilter::~KeyCaptureFilter()
{
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

bool KeyCaptureFilter::isInDialog(QObject* watched) const
{
    if (watched == m_dialog->windowHandle())
        return true;
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    return widget == m_dialog || m_dialog->isAncestorOf(widget);
}

bool KeyCaptureFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        break;
    default:
        return false;
    }
    if (!isInDialog(watched))
        return false;
    event->accept();
    if (event->type() != QEvent::ShortcutOverride && watched == m_dialog->windowHandle()) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        emit keyCaught(CapturedKeyEvent{QtKeyNames::name(*key), key->isAutoRepeat()});
    }
    return true;
}

} // namespace volantra
