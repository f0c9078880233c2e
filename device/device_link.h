#pragma once

#include "common/result.h"
#include "device/hid_backend.h"
#include "device/hid_report_descriptor.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace volantra {

class CommandTransport;
class DeviceCommands;
class Sleeper;

// One top-level collection of one of the mouse's nodes: what the rest of the program
// calls an interface. Its path is "<node>#<collection index>".
struct HidInterface
{
    std::string path;
    std::string node;
    std::string physicalDevice;
    std::size_t collectionIndex = 0;
    HidCollectionInfo caps;
};

// What a hot-plug notice meant for the link.
enum class HotplugOutcome {
    Ignored,        // another device, or nothing changed for us
    Detected,       // a mouse is connected on a new command interface: run the connection
    NotDetected,    // no usable mouse is left (or the arriving one cannot be opened)
    StillConnected, // a mouse went, but another one keeps the link up
};

// Finds the mouse, owns the handles of its command and event interfaces, and keeps the
// state that the command side (UI thread) and the event listener share.
class DeviceLink
{
public:
    static constexpr std::uint16_t kVendorId = 0x04D9;
    static constexpr std::uint16_t kProductId = 0xA0F4;

    static bool isCommandInterface(const HidCollectionInfo& caps);
    static bool isEventInterface(const HidCollectionInfo& caps);

    // listenerWaker is woken whenever the event handle changes.
    DeviceLink(HidBackend& backend, Sleeper& sleeper, HidWaker& listenerWaker);
    ~DeviceLink();

    // Looks at every interface of the machine's mice and opens the first command
    // interface and the first event interface of the same mouse. Succeeds when the
    // command interface is open; handles of interfaces that are still present are kept.
    Status discover();
    HotplugOutcome handleHotplug(const HotplugNotice& notice);
    // Runs the connection sequence on the command interface (DeviceCommands::connect).
    // When it fails the link keeps its handles but is not connected, so nothing else is
    // sent and no event is reported, until a later connect() succeeds; discoveries in
    // between leave it so. The profile number the mouse answered.
    Result<std::uint8_t> connect();
    // Closes both handles; the link is disconnected until the next discovery.
    void close();

    bool connected() const { return m_connected.load(); }
    // Every interface of the mouse found by the last discovery, in node and collection order.
    const std::vector<HidInterface>& mouseInterfaces() const { return m_mouseInterfaces; }
    const std::optional<HidInterface>& commandInterface() const { return m_commandInterface; }
    const std::optional<HidInterface>& eventInterface() const { return m_eventInterface; }
    // Non-fatal problems of the last discovery, for example an event interface that
    // could not be opened.
    const std::vector<std::string>& warnings() const { return m_warnings; }
    // Why the last discovery could not open the mouse's event interface: the mouse's own
    // notices (DPI stage, macro key) are not read then, while commands still work.
    const std::optional<Error>& eventOpenError() const { return m_eventOpenError; }

    // The mouse's command set; only while connected.
    DeviceCommands* commands() { return m_commands.get(); }

    // What the listener reads from, taken anew after every wake-up.
    struct EventStream
    {
        std::shared_ptr<HidHandle> handle;
        std::uint16_t reportLength = 0;
        bool connected = false;
    };
    EventStream eventStream() const;

private:
    Result<std::vector<HidInterface>> findMouseInterfaces();
    void dropHandlesOf(const std::string& node);
    void setEventHandle(std::shared_ptr<HidHandle> handle, std::optional<HidInterface> interface);
    void closeCommand();

    HidBackend& m_backend;
    Sleeper& m_sleeper;
    HidWaker& m_listenerWaker;

    std::vector<HidInterface> m_mouseInterfaces;
    std::vector<std::string> m_warnings;
    std::optional<Error> m_eventOpenError;
    // The connection sequence failed on the command handle open now.
    bool m_connectionFailed = false;
    std::optional<HidInterface> m_commandInterface;
    std::unique_ptr<HidHandle> m_commandHandle;
    std::unique_ptr<CommandTransport> m_transport;
    std::unique_ptr<DeviceCommands> m_commands;

    std::atomic<bool> m_connected{false};
    mutable std::mutex m_eventMutex; // guards the two fields below against the listener
    std::optional<HidInterface> m_eventInterface;
    std::shared_ptr<HidHandle> m_eventHandle;
};

} // namespace volantra
