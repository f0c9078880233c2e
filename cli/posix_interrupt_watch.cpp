#include "cli/interrupt_watch.h"
#include "device/hid_backend.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace volantra {
namespace {

// Interrupts arrive through a signalfd, so the wait ends cleanly on Ctrl+C.
class PosixInterruptWatch final : public InterruptWatch
{
public:
    explicit PosixInterruptWatch(int fd) : m_fd(fd) {}
    ~PosixInterruptWatch() override { ::close(m_fd); }

    Wake wait(HotplugMonitor& monitor) override
    {
        pollfd entries[2] = {{m_fd, POLLIN, 0}, {monitor.fileDescriptor(), POLLIN, 0}};
        if (::poll(entries, 2, -1) < 0 && errno != EINTR)
            return Wake::Failed;
        if (entries[0].revents & POLLIN)
            return Wake::Interrupted;
        return Wake::Notices;
    }

private:
    int m_fd;
};

} // namespace

Result<std::unique_ptr<InterruptWatch>> InterruptWatch::create()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    const int fd = signalfd(-1, &signals, SFD_CLOEXEC);
    if (fd < 0)
        return Error{Error::Kind::Io, "cannot wait for interrupts"};
    return std::unique_ptr<InterruptWatch>(std::make_unique<PosixInterruptWatch>(fd));
}

} // namespace volantra
