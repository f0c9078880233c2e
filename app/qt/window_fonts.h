#pragma once

#include "common/language.h"

#include <QFont>
#include <future>

namespace volantra {

// The main window's font in the user's language (DialogFont fits it to its line height).
QFont windowFont(Language language);

// Loads the desktop's font list on another thread, so that the first font the window
// fits does not wait for it. The list is shared by all threads; the start-up goes on
// while it loads, and the returned future ends with it.
std::future<void> loadFontListInBackground();

} // namespace volantra
