#pragma once

#include "common/result.h"
#include "device/device_link.h"
#include "device/sleeper.h"
#include "device/trace_log.h"
#include "platform/platform_waker.h"
#include "platform/sim/simulated_backend.h"

#include <memory>
#include <optional>
#include <string>

namespace volantra {

// Everything a front end needs to talk to the mouse, put together once: the backend
// (the machine's HID devices or the simulated mouse), the optional trace, the waits,
// the listener's waker and the device link.
class DeviceSession
{
public:
    struct Options
    {
        bool simulate = false;
        std::optional<std::string> tracePath;
        // Count the mouse's waits instead of sleeping them (benchmarks and tests).
        bool skipWaits = false;
    };

    static Result<std::unique_ptr<DeviceSession>> create(const Options& options);
    ~DeviceSession();

    DeviceLink& link() { return *m_link; }
    HidBackend& backend() { return *m_backend; }
    HidWaker& waker() { return *m_waker; }
    // Whether every line of the trace (when there is one) was written.
    Status traceStatus() const { return m_trace ? m_trace->status() : Status(); }
    // The simulated devices, when the session runs on them.
    SimulatedBackend* simulator() { return m_simulator.get(); }

private:
    DeviceSession() = default;

    std::unique_ptr<SimulatedBackend> m_simulator;
    std::unique_ptr<HidBackend> m_machine;
    std::unique_ptr<TraceLog> m_trace;
    std::unique_ptr<TracingBackend> m_tracingBackend;
    HidBackend* m_backend = nullptr;
    ThreadSleeper m_threadSleeper;
    CountingSleeper m_countingSleeper;
    std::unique_ptr<TracingSleeper> m_tracingSleeper;
    std::unique_ptr<PlatformWaker> m_waker;
    std::unique_ptr<DeviceLink> m_link;
};

} // namespace volantra
