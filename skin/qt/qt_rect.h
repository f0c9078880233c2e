#pragma once

#include "common/rect.h"

#include <QPoint>
#include <QRect>

namespace volantra {

// A rectangle of a geometry table in Qt's terms, moved by `origin` (the spot its table's
// coordinates start from in the widget).
constexpr QRect qtRect(const Rect& area, QPoint origin = QPoint())
{
    return QRect(origin.x() + area.left, origin.y() + area.top, area.width(), area.height());
}

constexpr QPoint topLeft(const Rect& area)
{
    return QPoint(area.left, area.top);
}

} // namespace volantra
