#include "platform/event_fd_waker.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace volantra {

Result<std::unique_ptr<EventFdWaker>> EventFdWaker::create()
{
    const int fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (fd < 0)
        return Error{Error::Kind::Io, std::string("cannot create an eventfd: ") + strerror(errno)};
    return std::unique_ptr<EventFdWaker>(new EventFdWaker(fd));
}

EventFdWaker::~EventFdWaker()
{
    ::close(m_fd);
}

void EventFdWaker::wake()
{
    const std::uint64_t one = 1;
    // The counter cannot overflow in practice; a failed write leaves a wake-up pending.
    [[maybe_unused]] ssize_t written = ::write(m_fd, &one, sizeof one);
}

void EventFdWaker::waitForWake()
{
    pollfd entry{m_fd, POLLIN, 0};
    while (::poll(&entry, 1, -1) < 0 && errno == EINTR) {
    }
    clear();
}

void EventFdWaker::clear()
{
    std::uint64_t count = 0;
    [[maybe_unused]] ssize_t got = ::read(m_fd, &count, sizeof count);
}

} // namespace volantra
