#include "macro/qt/recording_key_filter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace volantra {

RecordingKeyFilter::RecordingKeyFilter(QWidget* dialog) : QObject(dialog), m_dialog(dialog)
{
    QCoreApplication::instance()->installEventFilter(this);
}

RecordingKeyFilter::~RecordingKeyFilter()
{
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

bool RecordingKeyFilter::isInDialog(QObject* watched) const
{
    if (watched == m_dialog->windowHandle())
        return true;
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    return widget == m_dialog || m_dialog->isAncestorOf(widget);
}

bool RecordingKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    if (!isInDialog(watched))
        return false;
    // Accepting the shortcut check keeps shortcuts from taking the key.
    event->accept();
    if (type != QEvent::ShortcutOverride)
        emit keyEvent(*static_cast<const QKeyEvent*>(event));
    return true;
}

} // namespace volantra
