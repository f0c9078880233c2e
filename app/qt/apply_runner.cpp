#include "app/qt/apply_runner.h"

#include "app/qt/mouse_connection.h"
#include "app/qt/user_notices.h"
#include "common/qt/qt_text.h"
#include "pages/unsupported_setting_notice.h"

namespace volantra {

ApplyRunner::ApplyRunner(Parts parts, QObject* parent)
    : QObject(parent), m_parts(std::move(parts)),
      m_unsupportedNotice(std::make_unique<UnsupportedSettingNotice>())
{
}

ApplyRunner::~ApplyRunner() = default;

std::optional<PendingApply> ApplyRunner::begin()
{
    Result<PendingApply> pending = m_parts.editing.beginApply();
    if (!pending) {
        m_parts.notices.warn(m_parts.text("The settings were neither sent nor saved.") +
                             QLatin1Char('\n') + qtText(pending.error().message));
        return std::nullopt;
    }
    if (pending->changedOnDisk) {
        switch (m_parts.ask(UserQuestion::ProfileChangedOnDisk)) {
        case UserAnswer::Overwrite:
            break;
        case UserAnswer::Reload:
            m_parts.reload();
            return std::nullopt;
        default:
            return std::nullopt;
        }
    }
    return std::move(*pending);
}

void ApplyRunner::applyNow()
{
    // One Apply at a time reaches the mouse: one being sent ends first.
    m_background.finishNow();
    std::optional<PendingApply> pending = begin();
    if (!pending)
        return;
    SendOutcome sent = EditingSession::send(&m_parts.link, pending->record);
    report(m_parts.editing.finishApply(std::move(*pending), std::move(sent)));
}

void ApplyRunner::applyInBackground(std::function<void()> then)
{
    m_pending = begin();
    if (!m_pending) {
        then();
        emit ended();
        return;
    }
    m_parts.mouse.hold();
    DeviceLink* link = &m_parts.link;
    SettingsRecord* sent = &m_pending->record;
    m_background.start(
        [link, sent] { return EditingSession::send(link, *sent); },
        [this, then = std::move(then)](SendOutcome outcome) { end(std::move(outcome), then); });
}

void ApplyRunner::end(SendOutcome sent, const std::function<void()>& then)
{
    PendingApply pending = std::move(*m_pending);
    m_pending.reset();
    report(m_parts.editing.finishApply(std::move(pending), std::move(sent)));
    then();
    m_parts.mouse.release();
    emit ended();
}

void ApplyRunner::report(const ApplyReport& report)
{
    const Texts& text = m_parts.text;
    if (report.sent.reconnection)
        m_parts.mouse.noteReconnection(*report.sent.reconnection);
    if (report.sent.failure)
        m_parts.notices.logAndWarn(report.sent.failure->message,
                                   text("The settings could not be sent to the gaming mouse. "
                                        "They were saved and will be sent with the next Apply."));
    if (report.saveFailure) {
        m_parts.notices.log(report.saveFailure->message);
        m_parts.notices.notifier().notify(text("error"),
                                          text("The settings could not be saved.") +
                                              QLatin1Char('\n') +
                                              qtText(report.saveFailure->message),
                                          DesktopNotifier::Severity::Warning);
    }
    if (report.pointer)
        reportPointerSettings(*report.pointer);
}

void ApplyRunner::reportPointerSettings(const PointerReport& report)
{
    for (const PointerSetting setting : kPointerSettings) {
        const SettingOutcome& outcome = report[setting];
        if (outcome.isFailed())
            m_parts.notices.once(outcome.message(), m_parts.text(pointerFailureText(setting)) +
                                                        QLatin1Char('\n') +
                                                        qtText(outcome.message()));
    }
    if (const std::string missing = m_unsupportedNotice->take(report); !missing.empty())
        m_parts.notices.info(qtText(missing));
}

} // namespace volantra
