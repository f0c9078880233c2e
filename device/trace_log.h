#pragma once

#include "common/result.h"
#include "device/hid_backend.h"
#include "device/sleeper.h"

#include <fstream>
#include <memory>
#include <mutex>
#include <string>

namespace volantra {

// One line per device operation, oldest first: "set-feature", "get-feature", "write",
// "read" with the report bytes in hexadecimal, and "sleep" with milliseconds. Both the
// command side and the listener thread write to it.
class TraceLog
{
public:
    static Result<std::unique_ptr<TraceLog>> openFile(const std::string& path);

    void record(std::string_view operation, std::span<const std::uint8_t> bytes);
    void recordSleep(std::chrono::milliseconds duration);

private:
    explicit TraceLog(std::ofstream stream);
    void writeLine(const std::string& line);

    std::mutex m_mutex;
    std::ofstream m_stream;
};

// Puts every report operation of another backend's handles on a trace.
class TracingBackend final : public HidBackend
{
public:
    TracingBackend(HidBackend& inner, TraceLog& log);

    Result<std::vector<HidNode>> enumerate() override { return m_inner.enumerate(); }
    Result<std::unique_ptr<HidHandle>> open(const std::string& node, OpenMode mode) override;
    Result<std::unique_ptr<HotplugMonitor>> createMonitor() override
    {
        return m_inner.createMonitor();
    }

private:
    HidBackend& m_inner;
    TraceLog& m_log;
};

// Puts every wait on the trace, then waits with the inner sleeper.
class TracingSleeper final : public Sleeper
{
public:
    TracingSleeper(Sleeper& inner, TraceLog& log) : m_inner(inner), m_log(log) {}
    void sleep(std::chrono::milliseconds duration) override;

private:
    Sleeper& m_inner;
    TraceLog& m_log;
};

} // namespace volantra
