#include "platform/hidraw/hidraw_backend.h"

#include "device/hid_report_descriptor.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <libudev.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace volantra {
namespace {

constexpr const char* kAccessHint =
    "permission denied. Install the udev rule that gives you access to the mouse "
    "(70-volantra.rules, installed with the program into /etc/udev/rules.d or "
    "/usr/lib/udev/rules.d), run 'udevadm control --reload', then unplug and re-plug the mouse";

Error errnoError(const std::string& node, int error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return Error{Error::Kind::Permission, node + ": " + kAccessHint};
    case ENODEV:
    case ENXIO:
    case ENOENT:
    case EIO:
    case ESHUTDOWN:
        return Error{Error::Kind::Gone, node + ": the device is gone (" + strerror(error) + ")"};
    case ETIMEDOUT:
        return Error{Error::Kind::TimedOut, node + ": the device did not answer"};
    default:
        return Error{Error::Kind::Io, node + ": " + strerror(error)};
    }
}

std::optional<std::uint16_t> parseHex16(std::string_view text)
{
    std::uint32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size() || value > 0xFFFF)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

int nodeNumber(const std::string& node)
{
    std::size_t digits = node.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(node[digits - 1])))
        --digits;
    int number = -1;
    std::from_chars(node.data() + digits, node.data() + node.size(), number);
    return number;
}

std::vector<std::uint8_t> readFileBytes(const std::string& path)
{
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// Reads the descriptor through the node itself, for when sysfs does not show it.
std::vector<std::uint8_t> readDescriptorIoctl(int fd)
{
    int size = 0;
    if (ioctl(fd, HIDIOCGRDESCSIZE, &size) < 0 || size <= 0 || size > HID_MAX_DESCRIPTOR_SIZE)
        return {};
    hidraw_report_descriptor descriptor{};
    descriptor.size = static_cast<__u32>(size);
    if (ioctl(fd, HIDIOCGRDESC, &descriptor) < 0)
        return {};
    return {descriptor.value, descriptor.value + size};
}

std::optional<HidIds> idsOf(udev_device* rawDevice)
{
    udev_device* hid = udev_device_get_parent_with_subsystem_devtype(rawDevice, "hid", nullptr);
    if (hid != nullptr) {
        if (const char* property = udev_device_get_property_value(hid, "HID_ID"))
            if (auto ids = hidIdsFromProperty(property))
                return ids;
    }
    if (const char* path = udev_device_get_syspath(rawDevice))
        return hidIdsFromSysPath(path);
    return std::nullopt;
}

class HidrawHandle final : public HidHandle
{
public:
    HidrawHandle(int fd, std::string node, bool numberedReports)
        : m_fd(fd), m_node(std::move(node)), m_numberedReports(numberedReports)
    {
    }
    ~HidrawHandle() override { ::close(m_fd); }

    Status setFeature(std::span<const std::uint8_t> report) override
    {
        std::vector<std::uint8_t> buffer(report.begin(), report.end());
        if (ioctl(m_fd, HIDIOCSFEATURE(buffer.size()), buffer.data()) < 0)
            return errnoError(m_node, errno);
        return {};
    }

    Status getFeature(std::span<std::uint8_t> report) override
    {
        if (ioctl(m_fd, HIDIOCGFEATURE(report.size()), report.data()) < 0)
            return errnoError(m_node, errno);
        return {};
    }

    Status write(std::span<const std::uint8_t> report, std::chrono::milliseconds timeout) override
    {
        if (Status ready = waitFor(POLLOUT, timeout); !ready)
            return ready;
        const ssize_t written = ::write(m_fd, report.data(), report.size());
        if (written < 0)
            return errnoError(m_node, errno);
        if (static_cast<std::size_t>(written) != report.size())
            return Error{Error::Kind::Io, m_node + ": the device took only part of a report"};
        return {};
    }

    Result<std::size_t> read(std::span<std::uint8_t> buffer,
                             std::chrono::milliseconds timeout) override
    {
        if (Status ready = waitFor(POLLIN, timeout); !ready)
            return ready.error();
        return readNow(buffer);
    }

    Result<std::optional<std::size_t>> readUntilWoken(std::span<std::uint8_t> buffer,
                                                      HidWaker& waker) override
    {
        for (;;) {
            pollfd entries[2] = {{m_fd, POLLIN, 0}, {waker.fileDescriptor(), POLLIN, 0}};
            if (::poll(entries, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                return errnoError(m_node, errno);
            }
            if (entries[1].revents & POLLIN) {
                waker.clear();
                return std::optional<std::size_t>();
            }
            if (entries[0].revents & (POLLERR | POLLHUP | POLLNVAL))
                return Error{Error::Kind::Gone, m_node + ": the device is gone"};
            if (entries[0].revents & POLLIN) {
                Result<std::size_t> received = readNow(buffer);
                if (!received)
                    return received.error();
                return std::optional<std::size_t>(*received);
            }
        }
    }

private:
    Status waitFor(short events, std::chrono::milliseconds timeout)
    {
        pollfd entry{m_fd, events, 0};
        int ready = 0;
        do {
            ready = ::poll(&entry, 1, static_cast<int>(timeout.count()));
        } while (ready < 0 && errno == EINTR);
        if (ready < 0)
            return errnoError(m_node, errno);
        if (ready == 0)
            return Error{Error::Kind::TimedOut, m_node + ": the mouse did not answer within " +
                                                    std::to_string(timeout.count()) + " ms"};
        if (entry.revents & (POLLERR | POLLHUP | POLLNVAL))
            return Error{Error::Kind::Gone, m_node + ": the device is gone"};
        return {};
    }

    // hidraw leaves out the report id of a device that has none; put the 0 back so that
    // every report starts with its id.
    Result<std::size_t> readNow(std::span<std::uint8_t> buffer)
    {
        if (buffer.empty())
            return std::size_t{0};
        std::uint8_t* target = m_numberedReports ? buffer.data() : buffer.data() + 1;
        const std::size_t room = m_numberedReports ? buffer.size() : buffer.size() - 1;
        ssize_t got = 0;
        do {
            got = ::read(m_fd, target, room);
        } while (got < 0 && errno == EINTR);
        if (got < 0)
            return errnoError(m_node, errno);
        if (m_numberedReports)
            return static_cast<std::size_t>(got);
        buffer[0] = 0;
        return static_cast<std::size_t>(got) + 1;
    }

    int m_fd;
    std::string m_node;
    bool m_numberedReports;
};

class UdevMonitor final : public HotplugMonitor
{
public:
    explicit UdevMonitor(udev_monitor* monitor) : m_monitor(monitor) {}
    ~UdevMonitor() override { udev_monitor_unref(m_monitor); }

    int fileDescriptor() const override { return udev_monitor_get_fd(m_monitor); }

    std::vector<HotplugNotice> receive() override
    {
        std::vector<HotplugNotice> notices;
        while (udev_device* device = udev_monitor_receive_device(m_monitor)) {
            const char* action = udev_device_get_action(device);
            const char* node = udev_device_get_devnode(device);
            const std::optional<HidIds> ids = idsOf(device);
            if (action != nullptr && node != nullptr && ids) {
                const std::string_view verb(action);
                if (verb == "add" || verb == "remove") {
                    notices.push_back(HotplugNotice{verb == "add" ? HotplugNotice::Action::Added
                                                                  : HotplugNotice::Action::Removed,
                                                    node, ids->vendorId, ids->productId});
                }
            }
            udev_device_unref(device);
        }
        return notices;
    }

private:
    udev_monitor* m_monitor;
};

} // namespace

std::optional<HidIds> hidIdsFromProperty(std::string_view hidId)
{
    // "BBBB:VVVVVVVV:PPPPPPPP"
    const std::size_t first = hidId.find(':');
    const std::size_t second = hidId.find(':', first + 1);
    if (first == std::string_view::npos || second == std::string_view::npos)
        return std::nullopt;
    auto vendor = parseHex16(hidId.substr(first + 1, second - first - 1));
    auto product = parseHex16(hidId.substr(second + 1));
    if (!vendor || !product)
        return std::nullopt;
    return HidIds{*vendor, *product};
}

std::optional<HidIds> hidIdsFromSysPath(std::string_view sysPath)
{
    // The hid device's directory is named "BBBB:VVVV:PPPP.NNNN".
    std::size_t start = 0;
    while (start < sysPath.size()) {
        std::size_t end = sysPath.find('/', start);
        if (end == std::string_view::npos)
            end = sysPath.size();
        const std::string_view part = sysPath.substr(start, end - start);
        if (part.size() == 19 && part[4] == ':' && part[9] == ':' && part[14] == '.') {
            auto vendor = parseHex16(part.substr(5, 4));
            auto product = parseHex16(part.substr(10, 4));
            if (vendor && product && parseHex16(part.substr(0, 4)))
                return HidIds{*vendor, *product};
        }
        start = end + 1;
    }
    return std::nullopt;
}

Result<std::unique_ptr<HidrawBackend>> HidrawBackend::create()
{
    struct udev* context = udev_new();
    if (context == nullptr)
        return Error{Error::Kind::Io, "cannot start libudev"};
    return std::unique_ptr<HidrawBackend>(new HidrawBackend(context));
}

HidrawBackend::~HidrawBackend()
{
    udev_unref(m_udev);
}

Result<std::vector<HidNode>> HidrawBackend::enumerate()
{
    udev_enumerate* enumeration = udev_enumerate_new(m_udev);
    if (enumeration == nullptr)
        return Error{Error::Kind::Io, "cannot list the HID devices"};
    udev_enumerate_add_match_subsystem(enumeration, "hidraw");
    udev_enumerate_scan_devices(enumeration);

    std::vector<HidNode> nodes;
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumeration))
    {
        udev_device* raw = udev_device_new_from_syspath(m_udev, udev_list_entry_get_name(entry));
        if (raw == nullptr)
            continue;
        const char* devnode = udev_device_get_devnode(raw);
        const std::optional<HidIds> ids = idsOf(raw);
        udev_device* hid = udev_device_get_parent_with_subsystem_devtype(raw, "hid", nullptr);
        if (devnode != nullptr && ids && hid != nullptr) {
            HidNode node;
            node.node = devnode;
            node.vendorId = ids->vendorId;
            node.productId = ids->productId;
            udev_device* usb =
                udev_device_get_parent_with_subsystem_devtype(raw, "usb", "usb_device");
            const char* physical = udev_device_get_syspath(usb != nullptr ? usb : hid);
            node.physicalDevice = physical != nullptr ? physical : "";
            node.reportDescriptor =
                readFileBytes(std::string(udev_device_get_syspath(hid)) + "/report_descriptor");
            nodes.push_back(std::move(node));
        }
        udev_device_unref(raw);
    }
    udev_enumerate_unref(enumeration);
    std::sort(nodes.begin(), nodes.end(), [](const HidNode& a, const HidNode& b) {
        return nodeNumber(a.node) < nodeNumber(b.node);
    });
    return nodes;
}

Result<std::unique_ptr<HidHandle>> HidrawBackend::open(const std::string& node, OpenMode mode)
{
    const int flags = (mode == OpenMode::ReadWrite ? O_RDWR : O_RDONLY) | O_CLOEXEC;
    const int fd = ::open(node.c_str(), flags);
    if (fd < 0) {
        const int error = errno;
        return errnoError(node, error);
    }
    // hidraw passes the report id byte on only for devices that number their reports.
    bool numbered = false;
    if (auto collections = parseReportDescriptor(readDescriptorIoctl(fd)))
        for (const HidCollectionInfo& collection : *collections)
            numbered = numbered || collection.numberedReports;
    return std::unique_ptr<HidHandle>(std::make_unique<HidrawHandle>(fd, node, numbered));
}

Result<std::unique_ptr<HotplugMonitor>> HidrawBackend::createMonitor()
{
    udev_monitor* monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (monitor == nullptr)
        return Error{Error::Kind::Io, "cannot watch for devices being plugged in"};
    udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr);
    if (udev_monitor_enable_receiving(monitor) < 0) {
        udev_monitor_unref(monitor);
        return Error{Error::Kind::Io, "cannot watch for devices being plugged in"};
    }
    return std::unique_ptr<HotplugMonitor>(std::make_unique<UdevMonitor>(monitor));
}

} // namespace volantra
