#pragma once

#include "device/device_link.h"
#include "device/sleeper.h"
#include "device/trace_log.h"
#include "platform/platform_waker.h"
#include "platform/sim/simulated_backend.h"
#include "support/temporary_directory.h"

#include <gtest/gtest.h>
#include <memory>

namespace volantra::test {

// The device link on simulated devices, with every operation traced to a file and the
// mouse's waits counted instead of slept.
class SimulatedLink
{
public:
    SimulatedLink()
        : m_trace(openTrace(m_directory.file("trace.log"))), m_backend(simulator, *m_trace),
          m_sleeper(waits, *m_trace), m_waker(std::move(*PlatformWaker::create())),
          link(m_backend, m_sleeper, *m_waker)
    {
    }

    std::vector<std::string> trace() const { return readLines(m_directory.file("trace.log")); }
    HidWaker& waker() { return *m_waker; }

    SimulatedBackend simulator;
    CountingSleeper waits;

private:
    static std::unique_ptr<TraceLog> openTrace(const std::string& path)
    {
        auto log = TraceLog::openFile(path);
        EXPECT_TRUE(log.ok());
        return std::move(*log);
    }

    TemporaryDirectory m_directory;
    std::unique_ptr<TraceLog> m_trace;
    TracingBackend m_backend;
    TracingSleeper m_sleeper;
    std::unique_ptr<PlatformWaker> m_waker;

public:
    DeviceLink link;
};

} // namespace volantra::test
