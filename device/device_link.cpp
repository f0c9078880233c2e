#include "device/device_link.h"

#include "device/command_transport.h"
#include "device/device_commands.h"

namespace volantra {
namespace {

constexpr std::uint16_t kCommandUsagePage = 0xFF00;
constexpr std::uint16_t kCommandUsage = 0xFF00;
constexpr std::uint16_t kCommandFeatureLength = 9;
constexpr std::uint16_t kEventUsagePage = 0xFF01;
constexpr std::uint16_t kEventUsage = 0x0001;

bool isOurMouse(std::uint16_t vendorId, std::uint16_t productId)
{
    return vendorId == DeviceLink::kVendorId && productId == DeviceLink::kProductId;
}

} // namespace

bool DeviceLink::isCommandInterface(const HidCollectionInfo& caps)
{
    return caps.usagePage == kCommandUsagePage && caps.usage == kCommandUsage &&
           caps.featureReportLength == kCommandFeatureLength;
}

bool DeviceLink::isEventInterface(const HidCollectionInfo& caps)
{
    return caps.usagePage == kEventUsagePage && caps.usage == kEventUsage &&
           caps.inputReportLength > 0;
}

DeviceLink::DeviceLink(HidBackend& backend, Sleeper& sleeper, HidWaker& listenerWaker)
    : m_backend(backend), m_sleeper(sleeper), m_listenerWaker(listenerWaker)
{
}

DeviceLink::~DeviceLink() = default;

Result<std::vector<HidInterface>> DeviceLink::findMouseInterfaces()
{
    Result<std::vector<HidNode>> nodes = m_backend.enumerate();
    if (!nodes)
        return nodes.error();
    std::vector<HidInterface> interfaces;
    for (const HidNode& node : *nodes) {
        // Only our own nodes are looked at; a foreign device is never opened.
        if (!isOurMouse(node.vendorId, node.productId))
            continue;
        Result<std::vector<HidCollectionInfo>> collections =
            node.capabilities ? std::vector<HidCollectionInfo>{*node.capabilities}
                              : parseReportDescriptor(node.reportDescriptor);
        if (!collections) {
            m_warnings.push_back(node.node + ": " + collections.error().message);
            continue;
        }
        for (std::size_t i = 0; i < collections->size(); ++i) {
            interfaces.push_back(HidInterface{node.node + "#" + std::to_string(i), node.node,
                                              node.physicalDevice, i, (*collections)[i]});
        }
    }
    return interfaces;
}

Status DeviceLink::discover()
{
    m_warnings.clear();
    m_eventOpenError.reset();
    Result<std::vector<HidInterface>> found = findMouseInterfaces();
    if (!found)
        return found.error();
    m_mouseInterfaces = std::move(*found);

    // The command interface decides which mouse is used; its event interface must belong
    // to the same physical device, wherever it comes in the enumeration.
    const HidInterface* command = nullptr;
    for (const HidInterface& interface : m_mouseInterfaces) {
        if (isCommandInterface(interface.caps)) {
            command = &interface;
            break;
        }
    }
    if (command == nullptr) {
        closeCommand();
        setEventHandle(nullptr, std::nullopt);
        m_connected = false;
        if (m_mouseInterfaces.empty())
            return Error{Error::Kind::NotFound, "no mouse"};
        return Error{Error::Kind::NotFound,
                     m_mouseInterfaces.front().node + ": the mouse shows no command interface"};
    }
    const HidInterface* event = nullptr;
    for (const HidInterface& interface : m_mouseInterfaces) {
        if (interface.physicalDevice == command->physicalDevice &&
            isEventInterface(interface.caps)) {
            event = &interface;
            break;
        }
    }

    if (!m_commandInterface || m_commandInterface->path != command->path || !m_commandHandle) {
        closeCommand();
        Result<std::unique_ptr<HidHandle>> handle =
            m_backend.open(command->node, OpenMode::ReadWrite);
        if (!handle) {
            setEventHandle(nullptr, std::nullopt);
            m_connected = false;
            return handle.error();
        }
        m_commandHandle = std::move(*handle);
        m_commandInterface = *command;
        m_transport =
            std::make_unique<CommandTransport>(*m_commandHandle, command->caps.featureReportLength,
                                               command->caps.inputReportLength, m_sleeper);
        m_commands = std::make_unique<DeviceCommands>(*m_transport);
    }

    if (event == nullptr) {
        setEventHandle(nullptr, std::nullopt);
    } else if (!m_eventInterface || m_eventInterface->path != event->path || !m_eventHandle) {
        setEventHandle(nullptr, std::nullopt);
        Result<std::unique_ptr<HidHandle>> handle = m_backend.open(event->node, OpenMode::ReadOnly);
        if (handle) {
            setEventHandle(std::shared_ptr<HidHandle>(std::move(*handle)), *event);
        } else {
            // Commands still work without events; say why the notices will be missing.
            m_warnings.push_back(handle.error().message);
            m_eventOpenError = handle.error();
        }
    }
    m_connected = !m_connectionFailed;
    m_listenerWaker.wake();
    return {};
}

Result<std::uint8_t> DeviceLink::connect()
{
    if (!m_commands)
        return Error{Error::Kind::NotFound, "no mouse"};
    Result<std::uint8_t> profile = m_commands->connect();
    m_connectionFailed = !profile;
    m_connected = profile.ok();
    // The listener reads events only while connected.
    m_listenerWaker.wake();
    return profile;
}

void DeviceLink::setEventHandle(std::shared_ptr<HidHandle> handle,
                                std::optional<HidInterface> interface)
{
    {
        std::lock_guard lock(m_eventMutex);
        if (m_eventHandle == handle)
            return;
        m_eventHandle = std::move(handle);
        m_eventInterface = std::move(interface);
    }
    m_listenerWaker.wake();
}

void DeviceLink::closeCommand()
{
    m_connectionFailed = false;
    m_commands.reset();
    m_transport.reset();
    m_commandHandle.reset();
    m_commandInterface.reset();
}

void DeviceLink::dropHandlesOf(const std::string& node)
{
    if (m_commandInterface && m_commandInterface->node == node)
        closeCommand();
    std::optional<HidInterface> event;
    {
        std::lock_guard lock(m_eventMutex);
        event = m_eventInterface;
    }
    if (event && event->node == node)
        setEventHandle(nullptr, std::nullopt);
}

void DeviceLink::close()
{
    m_connected = false;
    closeCommand();
    setEventHandle(nullptr, std::nullopt);
    m_mouseInterfaces.clear();
}

HotplugOutcome DeviceLink::handleHotplug(const HotplugNotice& notice)
{
    if (!isOurMouse(notice.vendorId, notice.productId))
        return HotplugOutcome::Ignored;

    const bool wasConnected = connected();
    const std::optional<HidInterface> previousCommand = m_commandInterface;
    // Only a removal makes a handle worthless; an arrival may well be the node that an
    // earlier discovery has already opened.
    if (notice.action == HotplugNotice::Action::Removed)
        dropHandlesOf(notice.node);
    const Status found = discover();

    if (notice.action == HotplugNotice::Action::Added) {
        if (!found) {
            // A mouse whose command node has not arrived yet is not a failure.
            if (found.error().kind == Error::Kind::NotFound && !m_mouseInterfaces.empty())
                return HotplugOutcome::Ignored;
            return HotplugOutcome::NotDetected;
        }
        const bool sameCommand =
            wasConnected && previousCommand && previousCommand->path == m_commandInterface->path;
        return sameCommand ? HotplugOutcome::Ignored : HotplugOutcome::Detected;
    }

    if (!found)
        return wasConnected ? HotplugOutcome::NotDetected : HotplugOutcome::Ignored;
    return HotplugOutcome::StillConnected;
}

DeviceLink::EventStream DeviceLink::eventStream() const
{
    std::lock_guard lock(m_eventMutex);
    EventStream stream;
    stream.handle = m_eventHandle;
    stream.reportLength = m_eventInterface ? m_eventInterface->caps.inputReportLength : 0;
    stream.connected = m_connected.load();
    return stream;
}

} // namespace volantra
