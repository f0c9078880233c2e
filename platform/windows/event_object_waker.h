#pragma once

#include "common/result.h"
#include "device/hid_backend.h"

#include <memory>

namespace volantra {

// A waker on a Windows manual-reset event object: the listener waits for it beside its
// overlapped read with WaitForMultipleObjects, so an idle listener costs no wake-ups.
class EventObjectWaker final : public HidWaker
{
public:
    static Result<std::unique_ptr<EventObjectWaker>> create();
    ~EventObjectWaker() override;

    void wake() override;
    void waitForWake() override;
    int fileDescriptor() const override { return -1; }
    void* waitHandle() const override { return m_event; }
    void clear() override;

private:
    explicit EventObjectWaker(void* event) : m_event(event) {}
    void* m_event; // HANDLE
};

} // namespace volantra
