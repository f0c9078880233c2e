#pragma once

#include "common/result.h"
#include "device/hid_report_descriptor.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace volantra {

// A raw HID node of the machine (a hidraw device on Linux) with what identifies it.
struct HidNode
{
    std::string node;           // what open() takes, for example "/dev/hidraw3"
    std::string physicalDevice; // the same for every node of one physical device
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::vector<std::uint8_t> reportDescriptor;
    // Where the system reports the node's one collection itself (Windows: HidP_GetCaps
    // on each collection's own interface), its capabilities; the descriptor is then empty.
    std::optional<HidCollectionInfo> capabilities;
};

enum class OpenMode {
    ReadWrite, // commands: feature reports, output and input reports
    ReadOnly,  // events: input reports only
};

// Lets one thread wake another that is blocked in HidHandle::readUntilWoken or
// waitForWake. Wake-ups are not lost: a wake() before the wait ends the next wait at once.
class HidWaker
{
public:
    virtual ~HidWaker() = default;
    virtual void wake() = 0;
    // Blocks until wake() was called since the last wait returned.
    virtual void waitForWake() = 0;
    // Readable while a wake-up is pending, so that a handle can wait on it beside its node.
    virtual int fileDescriptor() const = 0;
    // The same on Windows: an event object (a HANDLE) signalled while a wake-up is pending;
    // null where the system waits on file descriptors.
    virtual void* waitHandle() const { return nullptr; }
    // Takes a pending wake-up, if any, without blocking.
    virtual void clear() = 0;
};

// An open node. Reports are exchanged with the report id as their first byte (0 for a
// device without report ids), whatever the operating system does.
class HidHandle
{
public:
    virtual ~HidHandle() = default;

    virtual Status setFeature(std::span<const std::uint8_t> report) = 0;
    // report[0] holds the report id; the rest is filled with the answer.
    virtual Status getFeature(std::span<std::uint8_t> report) = 0;
    virtual Status write(std::span<const std::uint8_t> report,
                         std::chrono::milliseconds timeout) = 0;
    // One input report into buffer; the number of bytes it held.
    virtual Result<std::size_t> read(std::span<std::uint8_t> buffer,
                                     std::chrono::milliseconds timeout) = 0;
    // Like read, but without a time-out and ending early (nullopt) when waker is woken.
    virtual Result<std::optional<std::size_t>> readUntilWoken(std::span<std::uint8_t> buffer,
                                                              HidWaker& waker) = 0;
};

// A device arriving or leaving, as the hot-plug monitor reports it.
struct HotplugNotice
{
    enum class Action { Added, Removed };
    Action action = Action::Added;
    std::string node;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

class HotplugMonitor
{
public:
    virtual ~HotplugMonitor() = default;
    // Readable while notices are waiting; a front end watches it (QSocketNotifier, poll).
    virtual int fileDescriptor() const = 0;
    // The same on Windows: an event object (a HANDLE) signalled while notices are waiting
    // (QWinEventNotifier, WaitForMultipleObjects); null where fileDescriptor is used.
    virtual void* waitHandle() const { return nullptr; }
    // The notices that arrived since the last call, oldest first; never blocks.
    virtual std::vector<HotplugNotice> receive() = 0;
};

// The machine's HID devices, as the device link sees them.
class HidBackend
{
public:
    virtual ~HidBackend() = default;
    // Every raw HID node present, in node-number order.
    virtual Result<std::vector<HidNode>> enumerate() = 0;
    virtual Result<std::unique_ptr<HidHandle>> open(const std::string& node, OpenMode mode) = 0;
    virtual Result<std::unique_ptr<HotplugMonitor>> createMonitor() = 0;
};

} // namespace volantra
