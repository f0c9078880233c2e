#pragma once

#include <QObject>

class QSocketNotifier;

namespace volantra {

// Ends the event loop on SIGTERM, SIGINT and SIGHUP (a log-out, `kill`, Ctrl+C), so the
// program shuts down as after Exit: the event listener is joined, the mouse closed and
// no file is left half written. The handler only writes a byte into a socket pair; the
// quit happens on the user-interface thread.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    static void handle(int signalNumber);
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace volantra
