#include "device/trace_log.h"

#include "common/hex.h"

namespace volantra {
namespace {

class TracingHandle final : public HidHandle
{
public:
    TracingHandle(std::unique_ptr<HidHandle> inner, TraceLog& log)
        : m_inner(std::move(inner)), m_log(log)
    {
    }

    Status setFeature(std::span<const std::uint8_t> report) override
    {
        if (Status logged = m_log.record("set-feature", report); !logged)
            return logged;
        return m_inner->setFeature(report);
    }

    Status getFeature(std::span<std::uint8_t> report) override
    {
        if (Status logged = m_log.status(); !logged)
            return logged;
        Status status = m_inner->getFeature(report);
        if (status)
            return m_log.record("get-feature", report);
        return status;
    }

    Status write(std::span<const std::uint8_t> report, std::chrono::milliseconds timeout) override
    {
        if (Status logged = m_log.record("write", report); !logged)
            return logged;
        return m_inner->write(report, timeout);
    }

    Result<std::size_t> read(std::span<std::uint8_t> buffer,
                             std::chrono::milliseconds timeout) override
    {
        if (Status logged = m_log.status(); !logged)
            return logged.error();
        Result<std::size_t> received = m_inner->read(buffer, timeout);
        if (received) {
            if (Status logged =
                    m_log.record("read", buffer.first(std::min(*received, buffer.size())));
                !logged)
                return logged.error();
        }
        return received;
    }

    Result<std::optional<std::size_t>> readUntilWoken(std::span<std::uint8_t> buffer,
                                                      HidWaker& waker) override
    {
        if (Status logged = m_log.status(); !logged)
            return logged.error();
        Result<std::optional<std::size_t>> received = m_inner->readUntilWoken(buffer, waker);
        if (received && received->has_value()) {
            if (Status logged =
                    m_log.record("read", buffer.first(std::min(**received, buffer.size())));
                !logged)
                return logged.error();
        }
        return received;
    }

private:
    std::unique_ptr<HidHandle> m_inner;
    TraceLog& m_log;
};

} // namespace

Result<std::unique_ptr<TraceLog>> TraceLog::openFile(const std::string& path)
{
    std::ofstream stream(path, std::ios::app | std::ios::binary); // "\n" on every system
    if (!stream)
        return Error{Error::Kind::Io, path + ": cannot open the trace file for writing"};
    return std::unique_ptr<TraceLog>(new TraceLog(std::move(stream), path));
}

TraceLog::TraceLog(std::ofstream stream, std::string path)
    : m_stream(std::move(stream)), m_path(std::move(path))
{
}

Status TraceLog::record(std::string_view operation, std::span<const std::uint8_t> bytes)
{
    std::string line(operation);
    line += ' ';
    line += hexSpaced(bytes);
    return writeLine(line);
}

Status TraceLog::recordSleep(std::chrono::milliseconds duration)
{
    return writeLine("sleep " + std::to_string(duration.count()));
}

Status TraceLog::status() const
{
    std::lock_guard lock(m_mutex);
    if (m_failure)
        return *m_failure;
    return {};
}

Status TraceLog::writeLine(const std::string& line)
{
    std::lock_guard lock(m_mutex);
    if (m_failure)
        return *m_failure;
    // Flushed at once so that a trace shows how far a run got, even if it is killed.
    m_stream << line << '\n' << std::flush;
    if (!m_stream) {
        m_failure = Error{Error::Kind::Io,
                          m_path + ": cannot write the trace file (is the disk full?), so no "
                                   "further operation of the mouse is carried out"};
        return *m_failure;
    }
    return {};
}

TracingBackend::TracingBackend(HidBackend& inner, TraceLog& log) : m_inner(inner), m_log(log) {}

Result<std::unique_ptr<HidHandle>> TracingBackend::open(const std::string& node, OpenMode mode)
{
    Result<std::unique_ptr<HidHandle>> handle = m_inner.open(node, mode);
    if (!handle)
        return handle.error();
    return std::unique_ptr<HidHandle>(std::make_unique<TracingHandle>(std::move(*handle), m_log));
}

void TracingSleeper::sleep(std::chrono::milliseconds duration)
{
    // A failed line is reported by the next report operation and by the trace's status.
    [[maybe_unused]] const Status logged = m_log.recordSleep(duration);
    m_inner.sleep(duration);
}

} // namespace volantra
