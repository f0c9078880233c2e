#pragma once

#include "common/result.h"
#include "device/hid_backend.h"

#include <memory>

namespace volantra {

// A waker on a Linux eventfd: the listener sleeps in poll() on it beside its node, so an
// idle listener costs no wake-ups at all.
class EventFdWaker final : public HidWaker
{
public:
    static Result<std::unique_ptr<EventFdWaker>> create();
    ~EventFdWaker() override;

    void wake() override;
    void waitForWake() override;
    int fileDescriptor() const override { return m_fd; }
    void clear() override;

private:
    explicit EventFdWaker(int fd) : m_fd(fd) {}
    int m_fd;
};

} // namespace volantra
