#include "skin/qt/dialog_key_filter.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace volantra {

DialogKeyFilter::DialogKeyFilter(QWidget* dialog, Reports reports)
    : QObject(dialog), m_dialog(dialog), m_reports(reports)
{
    QCoreApplication::instance()->installEventFilter(this);
}

DialogKeyFilter::~DialogKeyFilter()
{
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

bool DialogKeyFilter::isInDialog(QObject* watched) const
{
    if (watched == m_dialog->windowHandle())
        return true;
    if (!watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    return widget == m_dialog || m_dialog->isAncestorOf(widget);
}

bool DialogKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    if (!isInDialog(watched))
        return false;
    event->accept();
    const bool reported = m_reports == Reports::AnyDelivery || watched == m_dialog->windowHandle();
    if (type != QEvent::ShortcutOverride && reported)
        emit keyEvent(*static_cast<const QKeyEvent*>(event));
    return true;
}

} // namespace volantra
