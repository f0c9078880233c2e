#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace volantra {

// The file dialog of LOAD (save false) and SAVE: profile files (*.bin), starting at
// `start` (a folder, or a file to select). A name typed without ".bin" gets it before
// the dialog looks for an existing file, so the question before a file is replaced names
// the file that will be written. Empty when the user cancelled. `text` gives the
// window's texts in its language.
QString chooseProfileFile(QWidget* owner, bool save, const QString& start,
                          const std::function<QString(const char*)>& text);

} // namespace volantra
