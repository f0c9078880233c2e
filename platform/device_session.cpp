#include "platform/device_session.h"

#ifdef _WIN32
#include "platform/windows/windows_hid_backend.h"
#else
#include "platform/hidraw/hidraw_backend.h"
#endif

namespace volantra {

Result<std::unique_ptr<DeviceSession>> DeviceSession::create(const Options& options)
{
    std::unique_ptr<DeviceSession> session(new DeviceSession);
    if (options.simulate) {
        session->m_simulator = std::make_unique<SimulatedBackend>();
        session->m_simulator->addMouse();
        session->m_backend = session->m_simulator.get();
    } else {
#ifdef _WIN32
        Result<std::unique_ptr<WindowsHidBackend>> machine = WindowsHidBackend::create();
#else
        Result<std::unique_ptr<HidrawBackend>> machine = HidrawBackend::create();
#endif
        if (!machine)
            return machine.error();
        session->m_machine = std::move(*machine);
        session->m_backend = session->m_machine.get();
    }

    Sleeper* sleeper = options.skipWaits ? static_cast<Sleeper*>(&session->m_countingSleeper)
                                         : &session->m_threadSleeper;
    if (options.tracePath) {
        Result<std::unique_ptr<TraceLog>> trace = TraceLog::openFile(*options.tracePath);
        if (!trace)
            return trace.error();
        session->m_trace = std::move(*trace);
        session->m_tracingBackend =
            std::make_unique<TracingBackend>(*session->m_backend, *session->m_trace);
        session->m_backend = session->m_tracingBackend.get();
        session->m_tracingSleeper = std::make_unique<TracingSleeper>(*sleeper, *session->m_trace);
        sleeper = session->m_tracingSleeper.get();
    }

    Result<std::unique_ptr<PlatformWaker>> waker = PlatformWaker::create();
    if (!waker)
        return waker.error();
    session->m_waker = std::move(*waker);
    session->m_link =
        std::make_unique<DeviceLink>(*session->m_backend, *sleeper, *session->m_waker);
    return session;
}

DeviceSession::~DeviceSession()
{
    if (m_link)
        m_link->close();
}

} // namespace volantra
