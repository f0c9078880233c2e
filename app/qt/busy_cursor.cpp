#include "app/qt/busy_cursor.h"

#include <QApplication>

namespace volantra {

BusyCursor::BusyCursor(QObject* parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kShownMs);
    connect(&m_timer, &QTimer::timeout, this, &BusyCursor::restore);
}

BusyCursor::~BusyCursor()
{
    restore();
}

void BusyCursor::show()
{
    if (!m_shown) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_shown = true;
    }
    m_timer.start();
}

void BusyCursor::restore()
{
    if (m_shown) {
        QApplication::restoreOverrideCursor();
        m_shown = false;
    }
}

} // namespace volantra
