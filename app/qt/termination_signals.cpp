#include "app/qt/termination_signals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace volantra {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
// [0] written by the handler, [1] read on the user-interface thread.
int g_socketPair[2] = {-1, -1};

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_socketPair) != 0)
        return; // without the pair the signals keep their default action
    m_notifier = new QSocketNotifier(g_socketPair[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
    struct sigaction action = {};
    action.sa_handler = &TerminationSignals::handle;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : kSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    if (!m_notifier)
        return;
    for (int signalNumber : kSignals)
        std::signal(signalNumber, SIG_DFL);
    ::close(g_socketPair[0]);
    ::close(g_socketPair[1]);
    g_socketPair[0] = g_socketPair[1] = -1;
}

void TerminationSignals::handle(int signalNumber)
{
    const int savedErrno = errno; // the interrupted code may be about to read it
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // Nothing to do when the pair is full: a quit is already on its way.
    [[maybe_unused]] const ssize_t written = ::write(g_socketPair[0], &byte, 1);
    errno = savedErrno;
}

void TerminationSignals::readSignal()
{
    unsigned char byte = 0;
    if (::read(g_socketPair[1], &byte, 1) == 1)
        emit received(byte);
}

} // namespace volantra
