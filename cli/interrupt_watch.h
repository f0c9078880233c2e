#pragma once

#include "common/result.h"

#include <memory>

namespace volantra {

class HotplugMonitor;

// What `volantra-cli events` waits for: an interrupt (Ctrl+C, or SIGTERM on Linux) or
// notices of the hot-plug monitor. Linux: a signalfd beside the monitor in poll();
// Windows: SetConsoleCtrlHandler signalling an event object beside the monitor's.
class InterruptWatch
{
public:
    enum class Wake { Interrupted, Notices, Failed };

    // Starts catching interrupts (for the life of the object).
    static Result<std::unique_ptr<InterruptWatch>> create();
    virtual ~InterruptWatch() = default;

    virtual Wake wait(HotplugMonitor& monitor) = 0;
};

} // namespace volantra
