#include "platform/umockdev_mouse.h"

#include "common/hex.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <linux/input.h>
#include <mutex>
#include <optional>
#include <pty.h>
#include <span>
#include <sys/stat.h>
#include <termios.h>
#include <umockdev.h>
#include <unistd.h>

namespace volantra::test {
namespace {

// What the mouse reports about its collections, and a plain boot mouse for the pointer
// collection and for the other vendor's device.
constexpr std::uint8_t kEventDescriptor[] = {0x06, 0x01, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85,
                                             0x06, 0x09, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00,
                                             0x75, 0x08, 0x95, 0x07, 0x81, 0x02, 0xC0};
constexpr std::uint8_t kCommandDescriptor[] = {0x06, 0x00, 0xFF, 0x0A, 0x00, 0xFF, 0xA1, 0x01, 0x15,
                                               0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x09, 0x01, 0x95,
                                               0x08, 0xB1, 0x02, 0x09, 0x02, 0x95, 0x40, 0x91, 0x02,
                                               0x09, 0x03, 0x95, 0x40, 0x81, 0x02, 0xC0};
constexpr std::uint8_t kPointerDescriptor[] = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x05, 0x09, 0x19,
    0x01, 0x29, 0x03, 0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02,
    0x95, 0x01, 0x75, 0x05, 0x81, 0x01, 0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x15,
    0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02, 0x81, 0x06, 0xC0, 0xC0};

constexpr const char* kUsbRoot = "/devices/pci0000:00/0000:00:14.0/usb1/";
constexpr int kHidrawMajor = 241;

// Where each node sits. The mouse's interfaces come in the opposite order of their node
// numbers, so that sysfs order, name order and number order all differ.
struct NodeLayout
{
    UmockdevMouse::Node node;
    int number;
    const char* port;
    int interfaceNumber;
    const char* hidName;
    std::uint16_t vendorId;
    std::uint16_t productId;
    std::span<const std::uint8_t> descriptor;
};

const NodeLayout kLayouts[] = {
    {UmockdevMouse::Node::Foreign, 98, "1-5", 0, "0003:046D:C077.0004", 0x046D, 0xC077,
     kPointerDescriptor},
    {UmockdevMouse::Node::Pointer, 99, "1-4", 2, "0003:04D9:A0F4.0003", 0x04D9, 0xA0F4,
     kPointerDescriptor},
    {UmockdevMouse::Node::Command, 100, "1-4", 1, "0003:04D9:A0F4.0002", 0x04D9, 0xA0F4,
     kCommandDescriptor},
    {UmockdevMouse::Node::Event, 101, "1-4", 0, "0003:04D9:A0F4.0001", 0x04D9, 0xA0F4,
     kEventDescriptor},
};

std::string hex4(std::uint16_t value, bool upper)
{
    char text[8];
    std::snprintf(text, sizeof text, upper ? "%04X" : "%04x", value);
    return text;
}

std::string usbDevicePath(const NodeLayout& layout)
{
    return std::string(kUsbRoot) + layout.port;
}
std::string interfacePath(const NodeLayout& layout)
{
    return usbDevicePath(layout) + "/" + layout.port + ":1." +
           std::to_string(layout.interfaceNumber);
}
std::string hidPath(const NodeLayout& layout)
{
    return interfacePath(layout) + "/" + layout.hidName;
}
std::string hidrawPath(const NodeLayout& layout)
{
    return hidPath(layout) + "/hidraw/hidraw" + std::to_string(layout.number);
}

// The check byte of a command record: 0xFF minus the sum of its first seven bytes.
std::uint8_t checkByteOf(const UmockdevMouse::Record& record)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i < 7; ++i)
        sum += record[i];
    return static_cast<std::uint8_t>(0xFF - sum);
}

constexpr std::uint8_t kReadFlag = 0x80;
constexpr std::uint8_t kSelectProfile = 0x02;
constexpr std::uint8_t kReadProfile = 0x82;
constexpr std::uint8_t kReadConfig = 0x8C;
constexpr std::size_t kFeatureReportSize = 9; // report id 0 + the record
constexpr std::size_t kOutputReportSize = 65; // report id 0 + one 64-byte chunk
constexpr std::size_t kChunkSize = 64;
constexpr const char* kGenerationKey = "volantra-plug-generation";

bool carriesImage(std::uint8_t code)
{
    return code == 0x0C || code == 0x0D || code == 0x0F;
}

} // namespace

// One hidraw node: its pty (what poll() sees), the reports queued for read() and the reads
// waiting in the firmware.
struct MockNode
{
    UmockdevMouse::State* state = nullptr;
    const NodeLayout* layout = nullptr;
    UMockdevIoctlBase* handler = nullptr;
    int master = -1;
    int slave = -1; // the firmware's own end: it takes back one token byte per report read
    unsigned generation = 0;
    bool live = false;
    std::deque<std::vector<std::uint8_t>> input;
    std::deque<UMockdevIoctlClient*> parked;
    std::size_t opens = 0;

    std::string devnode() const { return "/dev/hidraw" + std::to_string(layout->number); }
};

struct UmockdevMouse::State
{
    UMockdevTestbed* testbed = nullptr;
    std::string root;
    std::string problem;
    bool mousePlugged = false;
    bool foreignPlugged = false;

    mutable std::mutex mutex; // guards everything below against umockdev's thread
    std::condition_variable changed;
    std::array<MockNode, std::size(kLayouts)> nodes;

    std::uint8_t profile = 3;
    DeviceImage config{};
    Record answer{};
    struct Incoming
    {
        Image image;
        std::size_t count = 0;
    };
    std::optional<Incoming> incoming;
    std::vector<Record> records;
    std::size_t rejected = 0;
    std::vector<Image> images;

    int featureError = 0;
    bool withholdInput = false;
    std::size_t vanishCountdown = 0;
    bool holdReads = false;

    MockNode& node(Node which)
    {
        for (MockNode& candidate : nodes)
            if (candidate.layout->node == which)
                return candidate;
        return nodes[0];
    }

    // Locked helpers.
    static void deliver(UMockdevIoctlClient* client, std::vector<std::uint8_t> report)
    {
        UMockdevIoctlData* buffer = umockdev_ioctl_client_get_arg(client);
        const auto length =
            std::min<std::size_t>(static_cast<std::size_t>(buffer->data_len), report.size());
        umockdev_ioctl_data_update(buffer, 0, report.data(), static_cast<gint>(length));
        umockdev_ioctl_client_complete(client, static_cast<glong>(length), 0);
    }

    static void deliverQueued(MockNode& node, UMockdevIoctlClient* client)
    {
        std::vector<std::uint8_t> report = std::move(node.input.front());
        node.input.pop_front();
        std::uint8_t token = 0;
        [[maybe_unused]] ssize_t taken = ::read(node.slave, &token, 1);
        deliver(client, std::move(report));
    }

    void queueInput(MockNode& node, std::vector<std::uint8_t> report)
    {
        if (!node.live)
            return;
        if (!holdReads && !node.parked.empty()) {
            UMockdevIoctlClient* client = node.parked.front();
            node.parked.pop_front();
            deliver(client, std::move(report));
            g_object_unref(client);
            return;
        }
        node.input.push_back(std::move(report));
        const std::uint8_t token = 'r';
        [[maybe_unused]] ssize_t written = ::write(node.master, &token, 1);
    }

    void releaseHeldReads()
    {
        for (MockNode& node : nodes) {
            while (!node.parked.empty() && !node.input.empty()) {
                UMockdevIoctlClient* client = node.parked.front();
                node.parked.pop_front();
                deliverQueued(node, client);
                g_object_unref(client);
            }
        }
    }

    static void failParked(MockNode& node, int error)
    {
        for (UMockdevIoctlClient* client : node.parked) {
            umockdev_ioctl_client_complete(client, -1, error);
            g_object_unref(client);
        }
        node.parked.clear();
    }

    static void hangUp(MockNode& node)
    {
        node.live = false;
        failParked(node, EIO);
        node.input.clear();
        if (node.master >= 0)
            ::close(node.master);
        if (node.slave >= 0)
            ::close(node.slave);
        node.master = node.slave = -1;
    }

    void goneLocked()
    {
        for (MockNode& node : nodes)
            if (node.layout->node != Node::Foreign)
                hangUp(node);
        incoming.reset();
        changed.notify_all();
    }

    // The firmware: what it does with a feature report and an output report. Negative
    // results are errno values.
    long setFeature(MockNode& node, std::span<std::uint8_t> report)
    {
        if (node.layout->node != Node::Command)
            return -EPIPE;
        if (featureError != 0)
            return -featureError;
        if (report.size() != kFeatureReportSize || report[0] != 0)
            return -EINVAL;
        Record record;
        std::copy(report.begin() + 1, report.end(), record.begin());
        if (record[7] != checkByteOf(record)) {
            ++rejected;
            return -EPIPE;
        }
        records.push_back(record);
        const std::uint8_t code = record[0];
        if (code & kReadFlag) {
            answer = Record{code};
            if (code == kReadProfile)
                answer[1] = profile;
            if (code == kReadConfig) {
                answer[2] = static_cast<std::uint8_t>(config.size());
                if (!withholdInput) {
                    for (std::size_t offset = 0; offset < config.size(); offset += kChunkSize)
                        queueInput(node,
                                   {config.begin() + offset, config.begin() + offset + kChunkSize});
                }
            }
            answer[7] = checkByteOf(answer);
        } else if (code == kSelectProfile) {
            profile = record[1];
        } else if (carriesImage(code) && record[2] > 0) {
            incoming = Incoming{Image{code, record[1], {}}, record[2]};
        }
        changed.notify_all();
        return static_cast<long>(report.size());
    }

    long getFeature(MockNode& node, std::span<std::uint8_t> report)
    {
        if (node.layout->node != Node::Command)
            return -EPIPE;
        if (featureError != 0)
            return -featureError;
        if (report.size() != kFeatureReportSize)
            return -EINVAL;
        report[0] = 0;
        std::copy(answer.begin(), answer.end(), report.begin() + 1);
        return static_cast<long>(report.size());
    }

    int outputReport(MockNode& node, std::span<const std::uint8_t> report)
    {
        if (vanishCountdown > 0 && --vanishCountdown == 0) {
            goneLocked();
            return ENODEV;
        }
        if (node.layout->node != Node::Command || report.size() != kOutputReportSize)
            return EINVAL;
        if (incoming) {
            std::vector<std::uint8_t>& bytes = incoming->image.bytes;
            const std::size_t take = std::min(kChunkSize, incoming->count - bytes.size());
            bytes.insert(bytes.end(), report.begin() + 1, report.begin() + 1 + take);
            if (bytes.size() == incoming->count) {
                if (incoming->image.code == 0x0C)
                    std::copy_n(bytes.begin(), std::min(bytes.size(), config.size()),
                                config.begin());
                images.push_back(std::move(incoming->image));
                incoming.reset();
                changed.notify_all();
            }
        }
        return 0;
    }
};

namespace {

bool isCurrent(const MockNode& node, UMockdevIoctlClient* client)
{
    return node.live &&
           GPOINTER_TO_UINT(g_object_get_data(G_OBJECT(client), kGenerationKey)) == node.generation;
}

void onConnected(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data)
{
    MockNode& node = *static_cast<MockNode*>(data);
    std::lock_guard lock(node.state->mutex);
    ++node.opens;
    g_object_set_data(G_OBJECT(client), kGenerationKey, GUINT_TO_POINTER(node.generation));
}

gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data)
{
    MockNode& node = *static_cast<MockNode*>(data);
    const gulong request = umockdev_ioctl_client_get_request(client);
    if (_IOC_TYPE(request) != 'H') {
        umockdev_ioctl_client_complete(client, -1, ENOTTY);
        return TRUE;
    }
    std::lock_guard lock(node.state->mutex);
    if (!isCurrent(node, client)) {
        umockdev_ioctl_client_complete(client, -1, ENODEV);
        return TRUE;
    }
    GError* error = nullptr;
    UMockdevIoctlData* argument = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client),
                                                              0, _IOC_SIZE(request), &error);
    if (argument == nullptr) {
        g_clear_error(&error);
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return TRUE;
    }
    const std::span<std::uint8_t> bytes(argument->data,
                                        static_cast<std::size_t>(argument->data_len));
    const std::span<const std::uint8_t> descriptor = node.layout->descriptor;
    long result = 0;
    switch (_IOC_NR(request)) {
    case _IOC_NR(HIDIOCGRDESCSIZE): {
        const int size = static_cast<int>(descriptor.size());
        std::memcpy(bytes.data(), &size, sizeof size);
        break;
    }
    case _IOC_NR(HIDIOCGRDESC): {
        auto* target = reinterpret_cast<hidraw_report_descriptor*>(bytes.data());
        const std::size_t size = std::min<std::size_t>(target->size, descriptor.size());
        std::copy_n(descriptor.begin(), size, target->value);
        break;
    }
    case _IOC_NR(HIDIOCGRAWINFO): {
        auto* info = reinterpret_cast<hidraw_devinfo*>(bytes.data());
        info->bustype = BUS_USB;
        info->vendor = static_cast<__s16>(node.layout->vendorId);
        info->product = static_cast<__s16>(node.layout->productId);
        break;
    }
    case _IOC_NR(HIDIOCSFEATURE(0)):
        result = node.state->setFeature(node, bytes);
        break;
    case _IOC_NR(HIDIOCGFEATURE(0)):
        result = node.state->getFeature(node, bytes);
        break;
    default:
        result = -EINVAL;
        break;
    }
    if (result < 0)
        umockdev_ioctl_client_complete(client, -1, static_cast<gint>(-result));
    else
        umockdev_ioctl_client_complete(client, result, 0);
    g_object_unref(argument);
    return TRUE;
}

gboolean onRead(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data)
{
    MockNode& node = *static_cast<MockNode*>(data);
    UmockdevMouse::State& state = *node.state;
    std::lock_guard lock(state.mutex);
    if (!isCurrent(node, client)) {
        umockdev_ioctl_client_complete(client, -1, EIO);
        return TRUE;
    }
    if (state.holdReads || node.input.empty()) {
        // A blocking read: it completes when a report arrives or the mouse goes.
        g_object_ref(client);
        node.parked.push_back(client);
        state.changed.notify_all();
        return TRUE;
    }
    UmockdevMouse::State::deliverQueued(node, client);
    return TRUE;
}

gboolean onWrite(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data)
{
    MockNode& node = *static_cast<MockNode*>(data);
    std::lock_guard lock(node.state->mutex);
    if (!isCurrent(node, client)) {
        umockdev_ioctl_client_complete(client, -1, ENODEV);
        return TRUE;
    }
    UMockdevIoctlData* buffer = umockdev_ioctl_client_get_arg(client);
    const std::span<const std::uint8_t> report(buffer->data,
                                               static_cast<std::size_t>(buffer->data_len));
    if (const int error = node.state->outputReport(node, report); error != 0)
        umockdev_ioctl_client_complete(client, -1, error);
    else
        umockdev_ioctl_client_complete(client, static_cast<glong>(report.size()), 0);
    return TRUE;
}

std::string sysfsRecord(const NodeLayout& layout, bool withUsbDevice)
{
    const std::string vendor = hex4(layout.vendorId, false);
    const std::string product = hex4(layout.productId, false);
    std::string record;
    if (withUsbDevice) {
        char usbProduct[32];
        std::snprintf(usbProduct, sizeof usbProduct, "%x/%x/100", layout.vendorId,
                      layout.productId);
        record += "P: " + usbDevicePath(layout) +
                  "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: PRODUCT=" + usbProduct +
                  "\nA: idVendor=" + vendor + "\nA: idProduct=" + product +
                  "\nA: busnum=1\nA: devnum=" + std::to_string(layout.port[2] - '0') + "\n\n";
    }
    record += "P: " + interfacePath(layout) +
              "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nA: bInterfaceNumber=0" +
              std::to_string(layout.interfaceNumber) + "\nA: bInterfaceClass=03\n\n";
    record += "P: " + hidPath(layout) + "\nE: SUBSYSTEM=hid\nE: HID_ID=0003:0000" +
              hex4(layout.vendorId, true) + ":0000" + hex4(layout.productId, true) +
              "\nE: HID_NAME=Mock " + vendor + ":" + product +
              "\nH: report_descriptor=" + hexPacked(layout.descriptor) + "\n\n";
    record += "P: " + hidrawPath(layout) + "\nE: SUBSYSTEM=hidraw\nE: DEVNAME=/dev/hidraw" +
              std::to_string(layout.number) + "\nA: dev=" + std::to_string(kHidrawMajor) + ":" +
              std::to_string(layout.number) + "\n\n";
    return record;
}

} // namespace

std::string UmockdevMouse::path(Node node)
{
    for (const NodeLayout& layout : kLayouts)
        if (layout.node == node)
            return "/dev/hidraw" + std::to_string(layout.number);
    return {};
}

UmockdevMouse::UmockdevMouse() : m_state(std::make_unique<State>())
{
    // The nodes are ptys: a process without a controlling terminal may take one as its own,
    // and its hang-up at unplug must not end the run.
    std::signal(SIGHUP, SIG_IGN);
    State& state = *m_state;
    for (std::size_t i = 0; i < std::size(kLayouts); ++i) {
        state.nodes[i].state = &state;
        state.nodes[i].layout = &kLayouts[i];
    }
    state.testbed = umockdev_testbed_new();
    // Only meaningful once a testbed exists: the answer is cached at the first call.
    if (!umockdev_in_mock_environment()) {
        state.problem = "not running under umockdev-wrapper (the hidraw tests need its preload)";
        return;
    }
    gchar* root = umockdev_testbed_get_root_dir(state.testbed);
    state.root = root;
    g_free(root);
    g_mkdir_with_parents((state.root + "/dev").c_str(), 0755);
    // A recognisable stored configuration until a test writes its own.
    for (std::size_t i = 0; i < state.config.size(); ++i)
        state.config[i] = static_cast<std::uint8_t>(0xC0 ^ i);
}

UmockdevMouse::~UmockdevMouse()
{
    State& state = *m_state;
    {
        std::lock_guard lock(state.mutex);
        for (MockNode& node : state.nodes)
            State::hangUp(node);
    }
    if (state.testbed != nullptr)
        g_object_unref(state.testbed);
    for (MockNode& node : state.nodes)
        if (node.handler != nullptr)
            g_object_unref(node.handler);
}

bool UmockdevMouse::ready() const
{
    return m_state->problem.empty();
}

std::string UmockdevMouse::problem() const
{
    return m_state->problem;
}

namespace {

// Makes the node a pty of our own (so that a re-plug can reuse the name) and attaches the
// firmware to it; must come before the "add" uevent.
bool prepareNode(UmockdevMouse::State& state, MockNode& node)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) < 0) {
        state.problem = std::string("openpty: ") + std::strerror(errno);
        return false;
    }
    termios raw{};
    tcgetattr(master, &raw);
    cfmakeraw(&raw);
    tcsetattr(master, TCSANOW, &raw);
    fcntl(slave, F_SETFL, fcntl(slave, F_GETFL) | O_NONBLOCK);
    const std::string link = state.root + node.devnode();
    ::unlink(link.c_str());
    if (::symlink(name, link.c_str()) < 0) {
        state.problem = link + ": " + std::strerror(errno);
        ::close(master);
        ::close(slave);
        return false;
    }
    if (node.handler == nullptr) {
        node.handler = umockdev_ioctl_base_new();
        g_signal_connect(node.handler, "client-connected", G_CALLBACK(onConnected), &node);
        g_signal_connect(node.handler, "handle-ioctl", G_CALLBACK(onIoctl), &node);
        g_signal_connect(node.handler, "handle-read", G_CALLBACK(onRead), &node);
        g_signal_connect(node.handler, "handle-write", G_CALLBACK(onWrite), &node);
        GError* error = nullptr;
        if (!umockdev_testbed_attach_ioctl(state.testbed, node.devnode().c_str(), node.handler,
                                           &error)) {
            state.problem = node.devnode() + ": " + (error ? error->message : "attach failed");
            g_clear_error(&error);
            return false;
        }
    }
    std::lock_guard lock(state.mutex);
    node.master = master;
    node.slave = slave;
    ++node.generation;
    node.live = true;
    return true;
}

bool addRecord(UmockdevMouse::State& state, const std::string& record)
{
    GError* error = nullptr;
    if (!umockdev_testbed_add_from_string(state.testbed, record.c_str(), &error)) {
        state.problem = std::string("umockdev: ") + (error ? error->message : "add failed");
        g_clear_error(&error);
        return false;
    }
    return true;
}

// Sends "remove" and deletes the device; the event is built from sysfs, so it goes first.
void removeDevice(UMockdevTestbed* testbed, const std::string& path)
{
    const std::string syspath = "/sys" + path;
    umockdev_testbed_uevent(testbed, syspath.c_str(), "remove");
    umockdev_testbed_remove_device(testbed, syspath.c_str());
}

} // namespace

bool UmockdevMouse::plugForeign()
{
    State& state = *m_state;
    if (!ready() || state.foreignPlugged)
        return false;
    MockNode& node = state.node(Node::Foreign);
    if (!prepareNode(state, node) || !addRecord(state, sysfsRecord(*node.layout, true)))
        return false;
    state.foreignPlugged = true;
    return true;
}

bool UmockdevMouse::plug()
{
    State& state = *m_state;
    if (!ready() || state.mousePlugged)
        return false;
    std::string record;
    bool first = true;
    for (MockNode& node : state.nodes) {
        if (node.layout->node == Node::Foreign)
            continue;
        if (!prepareNode(state, node))
            return false;
        record += sysfsRecord(*node.layout, first);
        first = false;
    }
    // Interfaces in sysfs order, as the kernel adds them.
    if (!addRecord(state, record))
        return false;
    state.mousePlugged = true;
    return true;
}

void UmockdevMouse::unplug()
{
    State& state = *m_state;
    if (!state.mousePlugged)
        return;
    {
        std::lock_guard lock(state.mutex);
        state.goneLocked();
    }
    const NodeLayout* any = nullptr;
    for (const NodeLayout& layout : kLayouts) {
        if (layout.node == Node::Foreign)
            continue;
        any = &layout;
        removeDevice(state.testbed, hidrawPath(layout));
        removeDevice(state.testbed, hidPath(layout));
        removeDevice(state.testbed, interfacePath(layout));
        ::unlink((state.root + "/dev/hidraw" + std::to_string(layout.number)).c_str());
    }
    removeDevice(state.testbed, usbDevicePath(*any));
    state.mousePlugged = false;
}

bool UmockdevMouse::plugged() const
{
    return m_state->mousePlugged;
}

void UmockdevMouse::setProfile(std::uint8_t profile)
{
    std::lock_guard lock(m_state->mutex);
    m_state->profile = profile;
}

void UmockdevMouse::setConfigImage(const DeviceImage& image)
{
    std::lock_guard lock(m_state->mutex);
    m_state->config = image;
}

void UmockdevMouse::queueEvent(std::vector<std::uint8_t> report)
{
    std::lock_guard lock(m_state->mutex);
    m_state->queueInput(m_state->node(Node::Event), std::move(report));
}

std::vector<UmockdevMouse::Record> UmockdevMouse::records() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->records;
}

std::size_t UmockdevMouse::rejectedRecords() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->rejected;
}

std::vector<UmockdevMouse::Image> UmockdevMouse::images() const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->images;
}

std::size_t UmockdevMouse::openCount(Node node) const
{
    std::lock_guard lock(m_state->mutex);
    return m_state->node(node).opens;
}

void UmockdevMouse::failFeaturesWith(int error)
{
    std::lock_guard lock(m_state->mutex);
    m_state->featureError = error;
}

void UmockdevMouse::withholdInputReports()
{
    std::lock_guard lock(m_state->mutex);
    m_state->withholdInput = true;
}

void UmockdevMouse::vanishAtWrite(std::size_t writesFromNow)
{
    std::lock_guard lock(m_state->mutex);
    m_state->vanishCountdown = writesFromNow;
}

void UmockdevMouse::holdReads(bool hold)
{
    std::lock_guard lock(m_state->mutex);
    m_state->holdReads = hold;
    if (!hold)
        m_state->releaseHeldReads();
}

bool UmockdevMouse::waitForHeldRead(std::chrono::milliseconds limit)
{
    std::unique_lock lock(m_state->mutex);
    return m_state->changed.wait_for(lock, limit, [&] {
        return std::any_of(m_state->nodes.begin(), m_state->nodes.end(),
                           [](const MockNode& node) { return !node.parked.empty(); });
    });
}

bool UmockdevMouse::waitForImages(std::size_t count, std::chrono::milliseconds limit)
{
    std::unique_lock lock(m_state->mutex);
    return m_state->changed.wait_for(lock, limit, [&] { return m_state->images.size() >= count; });
}

void UmockdevMouse::denyAccess(Node node)
{
    std::lock_guard lock(m_state->mutex);
    MockNode& target = m_state->node(node);
    if (target.slave >= 0)
        ::fchmod(target.slave, 0);
}

} // namespace volantra::test
