#include "platform/sim/ready_signal.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace volantra {

ReadySignal::ReadySignal() : m_fd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

ReadySignal::~ReadySignal()
{
    ::close(m_fd);
}

void ReadySignal::raise()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] ssize_t n = ::write(m_fd, &one, sizeof one);
}

void ReadySignal::lower()
{
    std::uint64_t count = 0;
    [[maybe_unused]] ssize_t n = ::read(m_fd, &count, sizeof count);
}

int ReadySignal::fileDescriptor() const
{
    return m_fd;
}

void* ReadySignal::waitHandle() const
{
    return nullptr;
}

ReadySignal::Wait ReadySignal::waitOrWake(HidWaker& waker) const
{
    pollfd entries[2] = {{m_fd, POLLIN, 0}, {waker.fileDescriptor(), POLLIN, 0}};
    if (::poll(entries, 2, -1) < 0 && errno != EINTR)
        return Wait::Failed;
    if (entries[1].revents & POLLIN) {
        waker.clear();
        return Wait::Woken;
    }
    return Wait::Raised;
}

} // namespace volantra
