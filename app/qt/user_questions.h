#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace volantra {

// Questions the user is asked; tests answer them without a dialog.
enum class UserQuestion {
    ConfirmReset,
    ExitWithUnappliedEdits,
    ReplaceExportedCopy,
    SwitchProfileWithUnappliedEdits,
    ProfileChangedOnDisk,
};
enum class UserAnswer { Yes, Apply, Discard, Cancel, Overwrite, Reload };

// Asks with a question box over `owner` (none: the box stands alone), in the texts' language.
UserAnswer askWithQuestionBox(UserQuestion question, QWidget* owner,
                              const std::function<QString(const char* english)>& text);

} // namespace volantra
