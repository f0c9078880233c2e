#pragma once

#include "app/qt/user_questions.h"
#include "common/folder_lock.h"
#include "common/result.h"

#include <QString>
#include <functional>
#include <memory>
#include <string>

namespace volantra {

class EditingSession;
class UserNotices;

// The profile manager's LOAD and SAVE: a profile file chosen in a file dialog becomes the
// record (waiting for Apply), or the record is saved to one, asking before the data
// folder's copy is replaced and again for a name the program keeps for itself.
class ProfileFileRequests
{
public:
    using Texts = std::function<QString(const char* english)>;
    // Chooses a profile file to load (save false) or to save to, starting at `start`;
    // empty when the user cancelled.
    using FileChooser = std::function<QString(bool save, const QString& start)>;
    using FolderLocking = std::function<Result<std::unique_ptr<FolderLock>>()>;

    struct Parts
    {
        EditingSession& editing;
        UserNotices& notices;
        Texts text;
        FileChooser choose;
        std::function<UserAnswer(UserQuestion)> ask;
        FolderLocking lockFolder;
        std::string dataDirectory; // where the dialogs start without a current profile
    };
    explicit ProfileFileRequests(Parts parts) : m_parts(std::move(parts)) {}

    // True when the record changed.
    bool importProfile();
    void exportProfile();

private:
    QString startFolder() const;

    Parts m_parts;
};

} // namespace volantra
