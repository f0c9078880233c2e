#pragma once

#include "common/result.h"
#include "device/hid_backend.h"
#include "device/sleeper.h"

#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace volantra {

// One line per device operation, oldest first: "set-feature", "get-feature", "write",
// "read" with the report bytes in hexadecimal, and "sleep" with milliseconds. Both the
// command side and the listener thread write to it.
//
// A trace that cannot be written is an error, never a silent gap: the operation it
// should have recorded fails (a report is not sent before its line is written), and
// every later one too.
class TraceLog
{
public:
    static Result<std::unique_ptr<TraceLog>> openFile(const std::string& path);

    Status record(std::string_view operation, std::span<const std::uint8_t> bytes);
    Status recordSleep(std::chrono::milliseconds duration);
    // The first failed write, if there was one.
    Status status() const;

private:
    TraceLog(std::ofstream stream, std::string path);
    Status writeLine(const std::string& line);

    mutable std::mutex m_mutex;
    std::ofstream m_stream;
    std::string m_path;
    std::optional<Error> m_failure;
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
