#include "app/qt/profile_file_requests.h"

#include "app/qt/user_notices.h"
#include "editing/editing_session.h"

namespace volantra {

QString ProfileFileRequests::startFolder() const
{
    return QString::fromStdString(
        m_parts.editing.store().currentProfilePath().value_or(m_parts.dataDirectory));
}

bool ProfileFileRequests::importProfile()
{
    const QString chosen = m_parts.choose(false, startFolder());
    if (chosen.isEmpty())
        return false;
    if (Status imported = m_parts.editing.importProfile(chosen.toStdString()); !imported) {
        m_parts.notices.logAndWarn(imported.error().message,
                                   QString::fromStdString(imported.error().message));
        return false;
    }
    // The imported settings wait for Apply, like any other edit.
    return true;
}

void ProfileFileRequests::exportProfile()
{
    QString start = startFolder();
    for (;;) {
        const QString chosen = m_parts.choose(true, start);
        if (chosen.isEmpty())
            return;
        Result<std::unique_ptr<FolderLock>> lock = m_parts.lockFolder();
        if (!lock) {
            m_parts.notices.warn(m_parts.text("The settings were neither sent nor saved.") +
                                 QLatin1Char('\n') + QString::fromStdString(lock.error().message));
            return;
        }
        // The save dialog asked before replacing the chosen file.
        ProfileStore::ExportRequest request{chosen.toStdString(), false, true};
        Result<ProfileStore::ExportResult> exported = m_parts.editing.exportProfile(request);
        if (exported && exported->outcome == ProfileStore::ExportResult::Outcome::WouldReplace) {
            if (m_parts.ask(UserQuestion::ReplaceExportedCopy) != UserAnswer::Yes)
                return;
            request.replaceInDataDirectory = true;
            exported = m_parts.editing.exportProfile(request);
        }
        if (exported)
            return;
        m_parts.notices.logAndWarn(exported.error().message,
                                   QString::fromStdString(exported.error().message));
        // A name that is not allowed: say why and let the user choose another.
        if (exported.error().kind != Error::Kind::InvalidInput)
            return;
        start = chosen;
    }
}

} // namespace volantra
