#pragma once

#include <QIcon>

namespace volantra {

// The program's icon, shown by the window and the tray.
QIcon programIcon();

} // namespace volantra
