#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>

class QWindow;

namespace volantra {

// Says on standard output when a top-level window is first exposed (drawn on the screen
// by the display server): `exposed "<title>"`. Tests read it where they cannot look at
// the screen, as under a headless Wayland compositor. Only when the environment variable
// kEnvironment is set to 1.
class ExposureReport : public QObject
{
    Q_OBJECT

public:
    static constexpr const char* kEnvironment = "VOLANTRA_REPORT_EXPOSED";

    // Watches every window of the application when the environment asks for it.
    static void installIfAsked(QObject& application);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ExposureReport(QObject* parent) : QObject(parent) {}
    void reportIfExposed(const QPointer<QWindow>& window);

    QSet<const QWindow*> m_reported;
};

} // namespace volantra
