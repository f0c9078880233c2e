#pragma once

#include "app/notice_policy.h"
#include "app/qt/desktop_notifier.h"
#include "editing/editing_session.h"

#include <QString>
#include <functional>
#include <string>

namespace volantra {

// How the program tells the user something: a tray balloon or desktop notification, and
// the log (standard error) for what is worth keeping.
class UserNotices
{
public:
    using Texts = std::function<QString(const char* english)>;

    explicit UserNotices(Texts texts);

    DesktopNotifier& notifier() { return m_notifier; }
    void info(const QString& body);
    void warn(const QString& body);
    // The log, then a warning.
    void logAndWarn(const std::string& logged, const QString& body);
    void log(const std::string& message);
    // Tells once per run, and on standard error, about a cause that would repeat.
    void once(const std::string& cause, const QString& body);
    // What a load of the current profile found wrong: once per cause, the rest logged.
    void tellLoadProblems(const LoadProblems& problems);

private:
    Texts m_texts;
    DesktopNotifier m_notifier;
    NoticePolicy m_policy;
};

} // namespace volantra
