#include "app/qt/user_notices.h"

#include <iostream>

namespace volantra {

UserNotices::UserNotices(Texts texts) : m_texts(std::move(texts)), m_policy(std::cerr) {}

void UserNotices::info(const QString& body)
{
    m_notifier.notify(m_texts("Info"), body);
}

void UserNotices::warn(const QString& body)
{
    m_notifier.notify(m_texts("Warning"), body, DesktopNotifier::Severity::Warning);
}

void UserNotices::logAndWarn(const std::string& logged, const QString& body)
{
    log(logged);
    warn(body);
}

void UserNotices::log(const std::string& message)
{
    std::cerr << "volantra: " << message << "\n";
}

void UserNotices::once(const std::string& cause, const QString& body)
{
    if (m_policy.report(cause, body.toStdString()))
        warn(body);
}

void UserNotices::tellLoadProblems(const LoadProblems& problems)
{
    if (const std::optional<Error>& error = problems.profile) {
        log(error->message);
        const QString reason = QString::fromStdString(error->message);
        if (!problems.shownReadOnly) {
            // Only a missing file is "not exist"; a damaged one is told as it is.
            const QString what = error->kind == Error::Kind::NotFound
                                     ? m_texts("Config file is not exist.")
                                     : reason;
            once("load " + error->message,
                 what + QLatin1Char('\n') +
                     m_texts("Nothing is saved or sent to the gaming mouse until Reset or Load "
                             "gives the profile its settings."));
        } else {
            if (problems.readOnlyCopy)
                log(problems.readOnlyCopy->message);
            once("load " + error->message,
                 reason + QLatin1Char('\n') +
                     m_texts("The profile list cannot be used, so profile 0 is shown read-only: "
                             "nothing is saved or sent to the gaming mouse until str.ini is "
                             "repaired."));
        }
    }
    for (const std::optional<Error>* other : {&problems.ini, &problems.list}) {
        if (*other)
            log((*other)->message);
    }
}

} // namespace volantra
