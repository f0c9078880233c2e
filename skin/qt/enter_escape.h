#pragma once

#include <QKeyEvent>

namespace volantra {

inline bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The skinned windows end and change nothing on Enter or Escape by accident: their own
// buttons do. True for those two keys, which are then accepted and go no further.
inline bool swallowEnterAndEscape(QKeyEvent& event)
{
    if (!isEnterKey(event.key()) && event.key() != Qt::Key_Escape)
        return false;
    event.accept();
    return true;
}

} // namespace volantra
