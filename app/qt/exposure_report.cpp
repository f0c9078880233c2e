#include "app/qt/exposure_report.h"

#include <QEvent>
#include <QWindow>
#include <cstdio>

namespace volantra {

void ExposureReport::installIfAsked(QObject& application)
{
    if (qEnvironmentVariable(kEnvironment) != QStringLiteral("1"))
        return;
    application.installEventFilter(new ExposureReport(&application));
}

bool ExposureReport::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose) {
        // The window takes the new exposure only when it handles the event, so look after.
        if (auto* window = qobject_cast<QWindow*>(watched); window && !m_reported.contains(window))
            QMetaObject::invokeMethod(
                this, [this, window = QPointer<QWindow>(window)] { reportIfExposed(window); },
                Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void ExposureReport::reportIfExposed(const QPointer<QWindow>& window)
{
    if (!window || !window->isExposed() || m_reported.contains(window.data()))
        return;
    m_reported.insert(window.data());
    std::printf("exposed \"%s\"\n", qUtf8Printable(window->title()));
    std::fflush(stdout);
}

} // namespace volantra
