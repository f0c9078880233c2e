// The hidraw backend against umockdev's sysfs and hidraw nodes, with the mouse's firmware
// modelled in platform/umockdev_mouse.cpp; run through umockdev-wrapper.
#include "common/hex.h"
#include "device/device_commands.h"
#include "device/device_link.h"
#include "device/event_listener.h"
#include "device/sleeper.h"
#include "platform/event_fd_waker.h"
#include "platform/hidraw/hidraw_backend.h"
#include "platform/umockdev_mouse.h"
#include "support/recording_event_handler.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <mutex>
#include <poll.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace volantra {
namespace {

using namespace std::chrono_literals;
using test::UmockdevMouse;
using Node = UmockdevMouse::Node;
using Clock = std::chrono::steady_clock;

std::vector<std::uint8_t> bytes(std::string_view hex)
{
    std::optional<std::vector<std::uint8_t>> parsed = parseHex(hex);
    EXPECT_TRUE(parsed.has_value()) << hex;
    return parsed.value_or(std::vector<std::uint8_t>{});
}

std::string hexOf(std::span<const std::uint8_t> data)
{
    return hexSpaced(data);
}

DeviceImage patternImage(std::uint8_t seed)
{
    DeviceImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(seed + 7 * i);
    return image;
}

// Waits until count notices arrived on the monitor or the time is up.
std::vector<HotplugNotice> waitForNotices(HotplugMonitor& monitor, std::size_t count,
                                          std::chrono::milliseconds limit = 2s)
{
    std::vector<HotplugNotice> notices;
    const auto end = Clock::now() + limit;
    while (notices.size() < count && Clock::now() < end) {
        pollfd entry{monitor.fileDescriptor(), POLLIN, 0};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (::poll(&entry, 1, static_cast<int>(std::max<long>(left.count(), 0))) <= 0)
            continue;
        for (HotplugNotice& notice : monitor.receive())
            notices.push_back(std::move(notice));
    }
    return notices;
}

// Runs job on a thread of its own that lacks the capabilities letting root open any file,
// so that file modes count as for a desktop user. False when they could not be dropped.
template <typename Job> bool runAsIfUnprivileged(Job job)
{
    bool ran = false;
    std::thread worker([&] {
        if (::geteuid() == 0) {
            __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
            __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
            if (::syscall(SYS_capget, &header, data) != 0)
                return;
            data[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
            if (::syscall(SYS_capset, &header, data) != 0)
                return;
        }
        ran = true;
        job();
    });
    worker.join();
    return ran;
}

class HidrawBackendTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mouse.ready()) << mouse.problem();
        auto created = HidrawBackend::create();
        ASSERT_TRUE(created.ok());
        backend = std::move(*created);
        auto made = EventFdWaker::create();
        ASSERT_TRUE(made.ok());
        waker = std::move(*made);
        link = std::make_unique<DeviceLink>(*backend, waits, *waker);
    }

    void TearDown() override
    {
        // Handles go before the testbed that serves them.
        link.reset();
        backend.reset();
    }

    std::unique_ptr<HidHandle> openNode(Node node, OpenMode mode)
    {
        Result<std::unique_ptr<HidHandle>> handle = backend->open(UmockdevMouse::path(node), mode);
        EXPECT_TRUE(handle.ok()) << (handle.ok() ? "" : handle.error().message);
        return handle.ok() ? std::move(*handle) : nullptr;
    }

    // Hands every notice to the link; the outcomes in order.
    std::vector<HotplugOutcome> handOver(const std::vector<HotplugNotice>& notices)
    {
        std::vector<HotplugOutcome> outcomes;
        for (const HotplugNotice& notice : notices)
            outcomes.push_back(link->handleHotplug(notice));
        return outcomes;
    }

    UmockdevMouse mouse;
    std::unique_ptr<HidrawBackend> backend;
    std::unique_ptr<EventFdWaker> waker;
    CountingSleeper waits;
    std::unique_ptr<DeviceLink> link;
};

// --- enumeration ---------------------------------------------------------------------

TEST_F(HidrawBackendTest, EnumerationListsEveryNodeInNumberOrderWithIdsAndDescriptor)
{
    ASSERT_TRUE(mouse.plugForeign()) << mouse.problem();
    ASSERT_TRUE(mouse.plug()) << mouse.problem();

    Result<std::vector<HidNode>> nodes = backend->enumerate();
    ASSERT_TRUE(nodes.ok()) << nodes.error().message;
    struct Expected
    {
        Node node;
        std::uint16_t vendorId;
        std::uint16_t productId;
        const char* descriptor;
    };
    const char* pointer = "05 01 09 02 a1 01 09 01 a1 00 05 09 19 01 29 03 15 00 25 01 95 03 75 "
                          "01 81 02 95 01 75 05 81 01 05 01 09 30 09 31 15 81 25 7f 75 08 95 02 "
                          "81 06 c0 c0";
    // hidraw98 to hidraw101: number order differs from sysfs order and from name order.
    const Expected expected[] = {
        {Node::Foreign, 0x046D, 0xC077, pointer},
        {Node::Pointer, 0x04D9, 0xA0F4, pointer},
        {Node::Command, 0x04D9, 0xA0F4,
         "06 00 ff 0a 00 ff a1 01 15 00 26 ff 00 75 08 09 01 95 08 b1 02 09 02 95 40 91 02 09 "
         "03 95 40 81 02 c0"},
        {Node::Event, 0x04D9, 0xA0F4,
         "06 01 ff 09 01 a1 01 85 06 09 01 15 00 26 ff 00 75 08 95 07 81 02 c0"},
    };
    ASSERT_EQ(nodes->size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const HidNode& node = (*nodes)[i];
        SCOPED_TRACE(node.node);
        EXPECT_EQ(node.node, UmockdevMouse::path(expected[i].node));
        EXPECT_EQ(node.vendorId, expected[i].vendorId);
        EXPECT_EQ(node.productId, expected[i].productId);
        EXPECT_EQ(hexOf(node.reportDescriptor), expected[i].descriptor);
    }
    // The mouse's three nodes belong to one physical device, the other vendor's to another.
    EXPECT_EQ((*nodes)[1].physicalDevice, (*nodes)[2].physicalDevice);
    EXPECT_EQ((*nodes)[2].physicalDevice, (*nodes)[3].physicalDevice);
    EXPECT_FALSE((*nodes)[1].physicalDevice.empty());
    EXPECT_NE((*nodes)[0].physicalDevice, (*nodes)[1].physicalDevice);
}

TEST_F(HidrawBackendTest, DiscoveryOpensCommandAndEventNodesAndLeavesTheOthersAlone)
{
    ASSERT_TRUE(mouse.plugForeign()) << mouse.problem();
    ASSERT_TRUE(mouse.plug()) << mouse.problem();

    const Status found = link->discover();
    ASSERT_TRUE(found.ok()) << found.error().message;
    EXPECT_TRUE(link->connected());
    ASSERT_TRUE(link->commandInterface().has_value());
    ASSERT_TRUE(link->eventInterface().has_value());
    EXPECT_EQ(link->commandInterface()->path, UmockdevMouse::path(Node::Command) + "#0");
    EXPECT_EQ(link->eventInterface()->path, UmockdevMouse::path(Node::Event) + "#0");
    std::vector<std::string> seen;
    for (const HidInterface& interface : link->mouseInterfaces())
        seen.push_back(interface.node);
    EXPECT_EQ(seen,
              (std::vector{UmockdevMouse::path(Node::Pointer), UmockdevMouse::path(Node::Command),
                           UmockdevMouse::path(Node::Event)}));
    EXPECT_EQ(mouse.openCount(Node::Foreign), 0u);
    EXPECT_EQ(mouse.openCount(Node::Pointer), 0u);
    EXPECT_EQ(mouse.openCount(Node::Command), 1u);
    EXPECT_EQ(mouse.openCount(Node::Event), 1u);
    EXPECT_TRUE(link->warnings().empty());
}

TEST_F(HidrawBackendTest, WithOnlyAnotherVendorsDeviceThereIsNoMouse)
{
    ASSERT_TRUE(mouse.plugForeign()) << mouse.problem();
    const Status found = link->discover();
    ASSERT_FALSE(found.ok());
    EXPECT_EQ(found.error().kind, Error::Kind::NotFound);
    EXPECT_FALSE(link->connected());
    EXPECT_EQ(mouse.openCount(Node::Foreign), 0u);
}

// --- reports -------------------------------------------------------------------------

TEST_F(HidrawBackendTest, FeatureReportsReachTheMouseUnchanged)
{
    ASSERT_TRUE(mouse.plug()) << mouse.problem();
    auto handle = openNode(Node::Command, OpenMode::ReadWrite);
    ASSERT_NE(handle, nullptr);

    // Report id 0, then the record; the mouse refuses a record whose check byte is wrong.
    struct Case
    {
        const char* report;
        bool accepted;
    };
    const Case cases[] = {
        {"00 82 00 00 00 00 00 00 7d", true},  // read the profile number
        {"00 01 fc 00 00 00 00 00 02", true},  // the mode
        {"00 0c 00 80 00 00 00 00 73", true},  // write the configuration, 128 bytes
        {"00 82 00 00 00 00 00 00 7c", false}, // check byte one too small
        {"00 01 fc 00 00 00 00 00 03", false}, // check byte one too large
    };
    std::size_t accepted = 0;
    for (const Case& item : cases) {
        SCOPED_TRACE(item.report);
        const Status sent = handle->setFeature(bytes(item.report));
        ASSERT_EQ(sent.ok(), item.accepted);
        if (item.accepted) {
            ++accepted;
            ASSERT_EQ(mouse.records().size(), accepted);
            EXPECT_EQ("00 " + hexOf(mouse.records().back()), item.report);
        } else {
            EXPECT_EQ(sent.error().kind, Error::Kind::Io);
            EXPECT_NE(sent.error().message.find(UmockdevMouse::path(Node::Command)),
                      std::string::npos);
        }
    }
    EXPECT_EQ(mouse.rejectedRecords(), 2u);
}

TEST_F(HidrawBackendTest, GetFeatureFetchesTheAnswerToAReadCommand)
{
    mouse.setProfile(5);
    ASSERT_TRUE(mouse.plug()) << mouse.problem();
    auto handle = openNode(Node::Command, OpenMode::ReadWrite);
    ASSERT_NE(handle, nullptr);

    ASSERT_TRUE(handle->setFeature(bytes("00 82 00 00 00 00 00 00 7d")).ok());
    std::vector<std::uint8_t> answer(9, 0);
    ASSERT_TRUE(handle->getFeature(answer).ok());
    EXPECT_EQ(hexOf(answer), "00 82 05 00 00 00 00 00 78");
}

TEST_F(HidrawBackendTest, OutputReportsCarryAnImageAndInputReportsComeBackOneByOne)
{
    ASSERT_TRUE(mouse.plug()) << mouse.problem();
    auto handle = openNode(Node::Command, OpenMode::ReadWrite);
    ASSERT_NE(handle, nullptr);

    const DeviceImage image = patternImage(0x11);
    ASSERT_TRUE(handle->setFeature(bytes("00 0c 00 80 00 00 00 00 73")).ok());
    for (std::size_t offset = 0; offset < image.size(); offset += 64) {
        std::vector<std::uint8_t> report(65, 0);
        std::copy_n(image.begin() + offset, 64, report.begin() + 1);
        const Status written = handle->write(report, 500ms);
        ASSERT_TRUE(written.ok()) << written.error().message;
    }
    const auto images = mouse.images();
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].code, 0x0C);
    EXPECT_EQ(images[0].slot, 0);
    EXPECT_EQ(images[0].bytes, std::vector<std::uint8_t>(image.begin(), image.end()));

    // Reading the configuration back: two 64-byte input reports, each read on its own and
    // with the report id 0 in front, although the node has no report ids.
    ASSERT_TRUE(handle->setFeature(bytes("00 8c 00 00 00 00 00 00 73")).ok());
    std::vector<std::uint8_t> answer(9, 0);
    ASSERT_TRUE(handle->getFeature(answer).ok());
    EXPECT_EQ(hexOf(answer), "00 8c 00 80 00 00 00 00 f3");
    for (std::size_t offset = 0; offset < image.size(); offset += 64) {
        std::vector<std::uint8_t> report(65, 0xEE);
        Result<std::size_t> got = handle->read(report, 500ms);
        ASSERT_TRUE(got.ok()) << got.error().message;
        EXPECT_EQ(*got, 65u);
        EXPECT_EQ(report[0], 0);
        EXPECT_TRUE(std::equal(report.begin() + 1, report.end(), image.begin() + offset))
            << "chunk at " << offset;
    }
    std::vector<std::uint8_t> none(65, 0);
    const auto start = Clock::now();
    Result<std::size_t> extra = handle->read(none, 100ms);
    ASSERT_FALSE(extra.ok());
    EXPECT_EQ(extra.error().kind, Error::Kind::TimedOut);
    EXPECT_GE(Clock::now() - start, 90ms);
}

TEST_F(HidrawBackendTest, EventReportsKeepTheirOwnReportId)
{
    ASSERT_TRUE(mouse.plug()) << mouse.problem();
    auto handle = openNode(Node::Event, OpenMode::ReadOnly);
    ASSERT_NE(handle, nullptr);

    mouse.queueEvent(bytes("06 07 02 03 00 00 00 00"));
    mouse.queueEvent(bytes("06 07 04 01 00 00 00 00"));
    for (const char* expected : {"06 07 02 03 00 00 00 00", "06 07 04 01 00 00 00 00"}) {
        std::vector<std::uint8_t> report(8, 0xEE);
        Result<std::size_t> got = handle->read(report, 500ms);
        ASSERT_TRUE(got.ok()) << got.error().message;
        EXPECT_EQ(*got, 8u);
        EXPECT_EQ(hexOf(report), expected);
    }
}

// --- the command set through the backend ---------------------------------------------

TEST_F(HidrawBackendTest, ConnectAndApplyLeaveTheImagesInTheMouse)
{
    mouse.setProfile(3);
    ASSERT_TRUE(mouse.plug()) << mouse.problem();
    ASSERT_TRUE(link->discover().ok());
    DeviceCommands& commands = *link->commands();

    Result<std::uint8_t> profile = commands.connect();
    ASSERT_TRUE(profile.ok()) << profile.error().message;
    EXPECT_EQ(*profile, 3);
    auto records = mouse.records();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(hexOf(records[0]), "82 00 00 00 00 00 00 7d");
    EXPECT_EQ(hexOf(records[1]), "01 fc 00 00 00 00 00 02");

    DeviceImages images;
    images.config = patternImage(0x20);
    images.buttons = patternImage(0x40);
    for (std::size_t i = 0; i < kMacroSlotCount; ++i)
        images.macros[i] = patternImage(static_cast<std::uint8_t>(0x60 + i));
    images.reportInterval = 2;
    const Status applied = commands.apply(images);
    ASSERT_TRUE(applied.ok()) << applied.error().message;

    records = mouse.records();
    ASSERT_EQ(records.size(), 2u + 4u + kMacroSlotCount);
    EXPECT_EQ(hexOf(records[2]), "02 00 00 00 00 00 00 fd");
    EXPECT_EQ(hexOf(records[3]), "03 00 02 00 00 00 00 fa");
    EXPECT_EQ(hexOf(records[4]), "0c 00 80 00 00 00 00 73");
    EXPECT_EQ(hexOf(records[5]), "0d 00 80 00 00 00 00 72");
    EXPECT_EQ(hexOf(records[6]), "0f 01 80 00 00 00 00 6f");

    const auto received = mouse.images();
    ASSERT_EQ(received.size(), 2u + kMacroSlotCount);
    auto same = [](const std::vector<std::uint8_t>& got, const DeviceImage& sent) {
        return std::equal(got.begin(), got.end(), sent.begin(), sent.end());
    };
    EXPECT_EQ(received[0].code, 0x0C);
    EXPECT_TRUE(same(received[0].bytes, images.config));
    EXPECT_EQ(received[1].code, 0x0D);
    EXPECT_TRUE(same(received[1].bytes, images.buttons));
    for (std::size_t i = 0; i < kMacroSlotCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(received[2 + i].code, 0x0F);
        EXPECT_EQ(received[2 + i].slot, i + 1);
        EXPECT_TRUE(same(received[2 + i].bytes, images.macros[i]));
    }

    // After a DPI-stage event the program reads the profile and the configuration back.
    Result<DeviceImage> config = commands.readStageConfig();
    ASSERT_TRUE(config.ok()) << config.error().message;
    EXPECT_EQ(*config, images.config);
    EXPECT_EQ(commands.mirror().profile, 0);
}

TEST_F(HidrawBackendTest, AReadBackWhoseReportsNeverComeTimesOut)
{
    ASSERT_TRUE(mouse.plug()) << mouse.problem();
    ASSERT_TRUE(link->discover().ok());
    mouse.withholdInputReports();

    const auto start = Clock::now();
    Result<DeviceImage> config = link->commands()->readStageConfig();
    ASSERT_FALSE(config.ok());
    EXPECT_EQ(config.error().kind, Error::Kind::TimedOut);
    EXPECT_LT(Clock::now() - start, 3s);
}

TEST_F(HidrawBackendTest, FailedFeatureIoctlsEndTheConnectionWithTheirKind)
{
    ASSERT_TRUE(mouse.plug()) << mouse.problem();
    ASSERT_TRUE(link->discover().ok());
    struct Case
    {
        int error;
        Error::Kind kind;
    };
    const Case cases[] = {
        {EIO, Error::Kind::Gone},
        {ETIMEDOUT, Error::Kind::TimedOut},
        {EPIPE, Error::Kind::Io},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.error);
        mouse.failFeaturesWith(item.error);
        Result<std::uint8_t> profile = link->commands()->connect();
        ASSERT_FALSE(profile.ok());
        EXPECT_EQ(profile.error().kind, item.kind) << profile.error().message;
    }
    EXPECT_TRUE(mouse.records().empty());
}

// --- access --------------------------------------------------------------------------

TEST_F(HidrawBackendTest, ANodeWithoutAccessRightsSaysToInstallTheUdevRule)
{
    ASSERT_TRUE(mouse.plug()) << mouse.problem();
    mouse.denyAccess(Node::Command);

    std::optional<Error> refused;
    bool eventOpened = false;
    std::optional<Error> discovery;
    const bool ran = runAsIfUnprivileged([&] {
        Result<std::unique_ptr<HidHandle>> handle =
            backend->open(UmockdevMouse::path(Node::Command), OpenMode::ReadWrite);
        if (!handle.ok())
            refused = handle.error();
        eventOpened = backend->open(UmockdevMouse::path(Node::Event), OpenMode::ReadOnly).ok();
        if (Status found = link->discover(); !found.ok())
            discovery = found.error();
    });
    if (!ran)
        GTEST_SKIP() << "cannot drop CAP_DAC_OVERRIDE here, so the node would open anyway";

    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->kind, Error::Kind::Permission);
    EXPECT_NE(refused->message.find(UmockdevMouse::path(Node::Command)), std::string::npos);
    EXPECT_NE(refused->message.find("udev rule"), std::string::npos) << refused->message;
    EXPECT_TRUE(eventOpened) << "only the node without access rights is refused";
    ASSERT_TRUE(discovery.has_value());
    EXPECT_EQ(discovery->kind, Error::Kind::Permission);
    EXPECT_FALSE(link->connected());
}

// --- hot-plug and vanishing nodes ----------------------------------------------------

TEST_F(HidrawBackendTest, TheMonitorConnectsOnArrivalAndDisconnectsOnRemoval)
{
    auto created = backend->createMonitor();
    ASSERT_TRUE(created.ok()) << created.error().message;
    std::unique_ptr<HotplugMonitor> monitor = std::move(*created);
    EXPECT_FALSE(link->discover().ok());

    ASSERT_TRUE(mouse.plugForeign()) << mouse.problem();
    const auto foreign = waitForNotices(*monitor, 1);
    ASSERT_EQ(foreign.size(), 1u);
    EXPECT_EQ(foreign[0].vendorId, 0x046D);
    EXPECT_EQ(handOver(foreign), std::vector{HotplugOutcome::Ignored});
    EXPECT_FALSE(link->connected());

    ASSERT_TRUE(mouse.plug()) << mouse.problem();
    const auto added = waitForNotices(*monitor, 3);
    ASSERT_EQ(added.size(), 3u);
    for (const HotplugNotice& notice : added) {
        SCOPED_TRACE(notice.node);
        EXPECT_EQ(notice.action, HotplugNotice::Action::Added);
        EXPECT_EQ(notice.vendorId, DeviceLink::kVendorId);
        EXPECT_EQ(notice.productId, DeviceLink::kProductId);
    }
    const auto arrivals = handOver(added);
    EXPECT_EQ(std::count(arrivals.begin(), arrivals.end(), HotplugOutcome::Detected), 1);
    EXPECT_EQ(std::count(arrivals.begin(), arrivals.end(), HotplugOutcome::Ignored), 2);
    ASSERT_TRUE(link->connected());
    EXPECT_EQ(link->commandInterface()->node, UmockdevMouse::path(Node::Command));
    ASSERT_TRUE(link->commands()->connect().ok());

    mouse.unplug();
    // By the time the notices are read, sysfs has lost the devices: the ids must come from
    // the notices' own paths.
    const auto removed = waitForNotices(*monitor, 3);
    ASSERT_EQ(removed.size(), 3u);
    for (const HotplugNotice& notice : removed) {
        SCOPED_TRACE(notice.node);
        EXPECT_EQ(notice.action, HotplugNotice::Action::Removed);
        EXPECT_EQ(notice.vendorId, DeviceLink::kVendorId);
        EXPECT_EQ(notice.productId, DeviceLink::kProductId);
    }
    const auto removals = handOver(removed);
    EXPECT_EQ(std::count(removals.begin(), removals.end(), HotplugOutcome::NotDetected), 1);
    EXPECT_FALSE(link->connected());
    EXPECT_EQ(link->commands(), nullptr);
}

TEST_F(HidrawBackendTest, ANodeThatVanishesInTheMiddleOfApplyFailsIt)
{
    ASSERT_TRUE(mouse.plug()) << mouse.problem();
    ASSERT_TRUE(link->discover().ok());
    ASSERT_TRUE(link->commands()->connect().ok());
    mouse.vanishAtWrite(5); // the first chunk of the first macro

    const auto start = Clock::now();
    const Status applied = link->commands()->apply(DeviceImages{});
    ASSERT_FALSE(applied.ok());
    EXPECT_EQ(applied.error().kind, Error::Kind::Gone) << applied.error().message;
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_EQ(mouse.images().size(), 2u); // configuration and buttons made it
}

TEST_F(HidrawBackendTest, UnpluggingDuringApplyEndsItWithoutHanging)
{
    ThreadSleeper realWaits; // the mouse's real pauses give the unplug time to hit
    DeviceLink slowLink(*backend, realWaits, *waker);
    ASSERT_TRUE(mouse.plug()) << mouse.problem();
    ASSERT_TRUE(slowLink.discover().ok());
    ASSERT_TRUE(slowLink.commands()->connect().ok());

    std::thread puller([&] {
        mouse.waitForImages(1, 5s);
        mouse.unplug();
    });
    const auto start = Clock::now();
    const Status applied = slowLink.commands()->apply(DeviceImages{});
    const auto took = Clock::now() - start;
    puller.join();
    ASSERT_FALSE(applied.ok());
    EXPECT_EQ(applied.error().kind, Error::Kind::Gone) << applied.error().message;
    EXPECT_LT(took, 5s);
    EXPECT_GE(mouse.images().size(), 1u);
    EXPECT_LT(mouse.images().size(), 2u + kMacroSlotCount);
}

TEST_F(HidrawBackendTest, AReadInProgressEndsWhenTheNodeVanishes)
{
    ASSERT_TRUE(mouse.plug()) << mouse.problem();
    auto handle = openNode(Node::Event, OpenMode::ReadOnly);
    ASSERT_NE(handle, nullptr);
    mouse.holdReads(true);
    mouse.queueEvent(bytes("06 07 02 03 00 00 00 00"));

    std::optional<Result<std::size_t>> outcome;
    std::thread reader([&] {
        std::vector<std::uint8_t> report(8, 0);
        outcome = handle->read(report, 5s);
    });
    ASSERT_TRUE(mouse.waitForHeldRead(2s));
    const auto start = Clock::now();
    mouse.unplug();
    reader.join();
    EXPECT_LT(Clock::now() - start, 1s);
    ASSERT_TRUE(outcome.has_value());
    ASSERT_FALSE(outcome->ok());
    EXPECT_EQ(outcome->error().kind, Error::Kind::Gone) << outcome->error().message;
}

// --- the event listener on the eventfd waker -----------------------------------------

TEST_F(HidrawBackendTest, TheListenerHandsOverEachDeviceEventOnce)
{
    ASSERT_TRUE(mouse.plug()) << mouse.problem();
    ASSERT_TRUE(link->discover().ok());
    test::RecordingEventHandler handler;
    EventListener listener(*link, *waker, handler);
    listener.start();

    mouse.queueEvent(bytes("06 07 02 03 00 00 00 00"));
    EXPECT_EQ(handler.waitFor(1), std::vector{(DeviceEvent{2, 3})});
    // 06 08 is not a device event; the report after it shows that nothing came of it.
    mouse.queueEvent(bytes("06 08 02 03 00 00 00 00"));
    mouse.queueEvent(bytes("06 07 09 05 00 00 00 00"));
    EXPECT_EQ(handler.waitFor(2), (std::vector{DeviceEvent{2, 3}, DeviceEvent{9, 5}}));
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(handler.waitFor(3, 0ms).size(), 2u);
    listener.stop();
}

TEST_F(HidrawBackendTest, TheListenerRidesOutAnUnplugDuringARead)
{
    auto created = backend->createMonitor();
    ASSERT_TRUE(created.ok()) << created.error().message;
    std::unique_ptr<HotplugMonitor> monitor = std::move(*created);
    ASSERT_TRUE(mouse.plug()) << mouse.problem();
    ASSERT_EQ(waitForNotices(*monitor, 3).size(), 3u);
    ASSERT_TRUE(link->discover().ok());
    test::RecordingEventHandler handler;
    EventListener listener(*link, *waker, handler);
    listener.start();

    // The report wakes the listener, and the mouse goes while its read is in the kernel.
    mouse.holdReads(true);
    mouse.queueEvent(bytes("06 07 02 03 00 00 00 00"));
    ASSERT_TRUE(mouse.waitForHeldRead(2s));
    mouse.unplug();
    const auto removed = waitForNotices(*monitor, 3);
    ASSERT_EQ(removed.size(), 3u);

    // Until the link hears of it, it still offers the dead handle: the listener must not
    // spin on it.
    std::this_thread::sleep_for(20ms);
    std::uint64_t before = listener.wakeUps();
    std::this_thread::sleep_for(200ms);
    EXPECT_LE(listener.wakeUps() - before, 1u);

    handOver(removed);
    EXPECT_FALSE(link->connected());
    // Without a mouse the listener sleeps.
    std::this_thread::sleep_for(20ms);
    before = listener.wakeUps();
    std::this_thread::sleep_for(200ms);
    EXPECT_LE(listener.wakeUps() - before, 1u);
    EXPECT_TRUE(handler.waitFor(1, 0ms).empty());

    mouse.holdReads(false);
    ASSERT_TRUE(mouse.plug()) << mouse.problem();
    const auto outcomes = handOver(waitForNotices(*monitor, 3));
    EXPECT_EQ(std::count(outcomes.begin(), outcomes.end(), HotplugOutcome::Detected), 1);
    ASSERT_TRUE(link->connected());
    mouse.queueEvent(bytes("06 07 04 05 00 00 00 00"));
    EXPECT_EQ(handler.waitFor(1), std::vector{(DeviceEvent{4, 5})});
    listener.stop();
    EXPECT_LT(listener.wakeUps(), 20u);
}

// --- vendor and product from udev's names --------------------------------------------

TEST(HidIdsTest, FromSysPath)
{
    struct Case
    {
        const char* path;
        std::optional<std::pair<std::uint16_t, std::uint16_t>> ids;
    };
    const Case cases[] = {
        {"/sys/devices/pci0000:00/0000:00:14.0/usb1/1-4/1-4:1.1/0003:04D9:A0F4.0002/hidraw/"
         "hidraw1",
         std::pair{0x04D9, 0xA0F4}},
        {"/sys/devices/pci0000:00/0000:00:14.0/usb1/1-4/1-4:1.1/0003:04d9:a0f4.0002", // lower
         std::pair{0x04D9, 0xA0F4}},
        {"/sys/devices/virtual/misc/uhid/0005:046D:B01A.000C/hidraw/hidraw7", // Bluetooth
         std::pair{0x046D, 0xB01A}},
        {"0003:04D9:A0F4.0002", std::pair{0x04D9, 0xA0F4}},
        {"/sys/devices/x/0003:FFFF:0000.0001/hidraw/hidraw0", std::pair{0xFFFF, 0x0000}},
        {"", std::nullopt},
        {"/sys/devices/virtual/misc/uhid", std::nullopt},
        {"/sys/devices/x/0003:04D9:A0F4/hidraw/hidraw1", std::nullopt},       // no .NNNN
        {"/sys/devices/x/0003:04D9:A0FG.0002/hidraw/hidraw1", std::nullopt},  // not hex
        {"/sys/devices/x/0003-04D9-A0F4.0002/hidraw/hidraw1", std::nullopt},  // no colons
        {"/sys/devices/x/0003:04D9:A0F4.00020/hidraw/hidraw1", std::nullopt}, // too long
        {"/sys/devices/x/00G3:04D9:A0F4.0002/hidraw/hidraw1", std::nullopt},  // bad bus
        {"/sys/devices/x/0003:+4D9:A0F4.0002/hidraw/hidraw1", std::nullopt},  // sign
        {"/sys/devices/x/1-4:1.1/0003:04D9:A0F4.0002x/hidraw", std::nullopt}, // trailing
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.path);
        const std::optional<HidIds> ids = hidIdsFromSysPath(item.path);
        ASSERT_EQ(ids.has_value(), item.ids.has_value());
        if (ids) {
            EXPECT_EQ(ids->vendorId, item.ids->first);
            EXPECT_EQ(ids->productId, item.ids->second);
        }
    }
}

TEST(HidIdsTest, FromProperty)
{
    struct Case
    {
        const char* property;
        std::optional<std::pair<std::uint16_t, std::uint16_t>> ids;
    };
    const Case cases[] = {
        {"0003:000004D9:0000A0F4", std::pair{0x04D9, 0xA0F4}},
        {"0003:000004d9:0000a0f4", std::pair{0x04D9, 0xA0F4}},
        {"0005:0000046D:0000B01A", std::pair{0x046D, 0xB01A}},
        {"0003:0000FFFF:0000FFFF", std::pair{0xFFFF, 0xFFFF}},
        {"0003:04D9:A0F4", std::pair{0x04D9, 0xA0F4}}, // short fields still say it
        {"", std::nullopt},
        {"0003", std::nullopt},
        {"0003:000004D9", std::nullopt},
        {"0003::0000A0F4", std::nullopt},
        {"0003:000004D9:", std::nullopt},
        {"0003:000104D9:0000A0F4", std::nullopt}, // wider than 16 bits
        {"0003:000004D9:0001A0F4", std::nullopt},
        {"0003:000004D9:0000A0F4x", std::nullopt},
        {"0003:0x04D9:0000A0F4", std::nullopt},
        {"0003:-00004D9:0000A0F4", std::nullopt},
        {"0003:000004D9:0000A0F4:0001", std::nullopt},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.property);
        const std::optional<HidIds> ids = hidIdsFromProperty(item.property);
        ASSERT_EQ(ids.has_value(), item.ids.has_value());
        if (ids) {
            EXPECT_EQ(ids->vendorId, item.ids->first);
            EXPECT_EQ(ids->productId, item.ids->second);
        }
    }
}

} // namespace
} // namespace volantra
