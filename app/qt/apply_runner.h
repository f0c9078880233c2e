#pragma once

#include "app/qt/background_apply.h"
#include "app/qt/user_questions.h"
#include "editing/editing_session.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace volantra {

class DeviceLink;
class MouseConnection;
class UnsupportedSettingNotice;
class UserNotices;

// Carries out the window's Apply with the editing session and tells the user what became
// of it: refusals, the question about files changed on disk, the mouse not reached, the
// save failed, the desktop's pointer settings. The sending runs on another thread while the
// mouse's hot-plug and events wait; the record sent is the session's copy, never the one
// the window edits.
class ApplyRunner : public QObject
{
    Q_OBJECT

public:
    using Texts = std::function<QString(const char* english)>;
    struct Parts
    {
        EditingSession& editing;
        DeviceLink& link;
        MouseConnection& mouse;
        UserNotices& notices;
        Texts text;
        std::function<UserAnswer(UserQuestion)> ask;
        std::function<void()> reload; // the user chose to reload files changed on disk
    };

    explicit ApplyRunner(Parts parts, QObject* parent = nullptr);
    ~ApplyRunner() override;

    bool running() const { return m_background.running(); }
    // On this thread, when the next step waits for it (exit, profile switch).
    void applyNow();
    // The sending on another thread; `then` runs once the Apply has been told.
    void applyInBackground(std::function<void()> then);
    // Ends a running Apply at once, waiting for its sending: it is saved and told (the
    // program ends).
    void finishNow() { m_background.finishNow(); }

signals:
    void ended();

private:
    std::optional<PendingApply> begin();
    void end(SendOutcome sent, const std::function<void()>& then);
    void report(const ApplyReport& report);
    void reportPointerSettings(const PointerReport& report);

    Parts m_parts;
    std::unique_ptr<UnsupportedSettingNotice> m_unsupportedNotice;
    // The Apply being sent; this thread leaves it alone meanwhile.
    std::optional<PendingApply> m_pending;
    BackgroundApply m_background;
};

} // namespace volantra
