#include "common/hex.h"
#include "device/event_hand_over.h"
#include "device/event_listener.h"
#include "support/recording_event_handler.h"
#include "support/simulated_link.h"

#include <chrono>
#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

namespace volantra {
namespace {

using namespace std::chrono_literals;
using test::SimulatedLink;

class EventListenerTest : public ::testing::Test
{
protected:
    SimulatedLink fixture;
    test::RecordingEventHandler handler;
    EventListener listener{fixture.link, fixture.waker(), handler};
};

TEST_F(EventListenerTest, OnlyDeviceEventReportsAreHandedOver)
{
    const auto mouse = fixture.simulator.addMouse();
    ASSERT_TRUE(fixture.link.discover().ok());
    listener.start();
    fixture.simulator.emitEvent(mouse, {0x06, 0x08, 0x02, 0x03, 0, 0, 0, 0});
    fixture.simulator.emitEvent(mouse, {0x05, 0x07, 0x02, 0x03, 0, 0, 0, 0});
    fixture.simulator.emitEvent(mouse, {0x06});
    fixture.simulator.emitEvent(mouse, {0x06, 0x07, 0x02, 0x03, 0, 0, 0, 0});
    fixture.simulator.emitEvent(mouse, {0x06, 0x07, 0x09, 0x05, 0, 0, 0, 0});
    const auto events = handler.waitFor(2);
    listener.stop();
    EXPECT_EQ(events, (std::vector{DeviceEvent{2, 3}, DeviceEvent{9, 5}}));
    const auto trace = fixture.trace();
    EXPECT_EQ(std::count_if(trace.begin(), trace.end(),
                            [](const std::string& line) { return line.starts_with("read "); }),
              5);
}

TEST_F(EventListenerTest, StartedWithoutAMouseItWaitsForTheFirstArrival)
{
    auto monitor = std::move(*fixture.simulator.createMonitor());
    listener.start();
    std::this_thread::sleep_for(50ms);
    EXPECT_LE(listener.wakeUps(), 1u);

    const auto mouse = fixture.simulator.addMouse();
    fixture.simulator.emitDeviceEvent(mouse, DeviceEvent::dpiStageChosen(2));
    EXPECT_TRUE(handler.waitFor(1, 100ms).empty()) << "read before the mouse was discovered";
    for (const HotplugNotice& notice : monitor->receive())
        fixture.link.handleHotplug(notice);
    EXPECT_EQ(handler.waitFor(1), (std::vector{DeviceEvent{1, 2}}));
}

TEST_F(EventListenerTest, UnplugWhileReadingGivesNoEventAndReplugResumes)
{
    auto monitor = std::move(*fixture.simulator.createMonitor());
    const auto mouse = fixture.simulator.addMouse();
    for (const HotplugNotice& notice : monitor->receive())
        fixture.link.handleHotplug(notice);
    listener.start();
    std::this_thread::sleep_for(20ms); // the read is pending now
    fixture.simulator.unplug(mouse);
    std::this_thread::sleep_for(50ms);
    // The listener must now sleep until the link changes, not spin on the dead node.
    const auto wakeUpsWhileGone = listener.wakeUps();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(listener.wakeUps(), wakeUpsWhileGone);
    for (const HotplugNotice& notice : monitor->receive())
        fixture.link.handleHotplug(notice);
    EXPECT_TRUE(handler.waitFor(1, 50ms).empty());

    fixture.simulator.plug(mouse);
    for (const HotplugNotice& notice : monitor->receive())
        fixture.link.handleHotplug(notice);
    fixture.simulator.emitEvent(mouse, {0x06, 0x07, 0x03, 0x04, 0, 0, 0, 0});
    EXPECT_EQ(handler.waitFor(1), (std::vector{DeviceEvent{3, 4}}));
}

TEST_F(EventListenerTest, IdleListenerDoesNotWakeUp)
{
    fixture.simulator.addMouse();
    ASSERT_TRUE(fixture.link.discover().ok());
    listener.start();
    std::this_thread::sleep_for(50ms);
    const auto settled = listener.wakeUps();
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(listener.wakeUps(), settled);
}

TEST_F(EventListenerTest, StopEndsAPendingRead)
{
    fixture.simulator.addMouse();
    ASSERT_TRUE(fixture.link.discover().ok());
    listener.start();
    std::this_thread::sleep_for(20ms);
    const auto started = std::chrono::steady_clock::now();
    listener.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 500ms);
}

TEST(EventHandOver, ListenerWaitsUntilTheUiThreadHandledTheEvent)
{
    std::mutex mutex;
    std::condition_variable posted;
    bool notified = false;
    EventHandOver handOver([&] {
        std::lock_guard lock(mutex);
        notified = true;
        posted.notify_all();
    });
    std::atomic<bool> returned{false};
    std::thread listener([&] {
        handOver.handleDeviceEvent({2, 3});
        returned = true;
    });
    {
        std::unique_lock lock(mutex);
        posted.wait(lock, [&] { return notified; });
    }
    std::this_thread::sleep_for(20ms);
    EXPECT_FALSE(returned) << "the listener went on before the event was handled";
    std::vector<DeviceEvent> handled;
    EXPECT_TRUE(handOver.dispatchPending([&](DeviceEvent event) { handled.push_back(event); }));
    listener.join();
    EXPECT_EQ(handled, (std::vector{DeviceEvent{2, 3}}));
    EXPECT_FALSE(handOver.dispatchPending([](DeviceEvent) {}));
}

TEST(EventHandOver, AbandonReleasesTheListenerForGood)
{
    EventHandOver handOver([] {});
    std::thread listener([&] { handOver.handleDeviceEvent({1, 1}); });
    std::this_thread::sleep_for(20ms);
    handOver.abandon();
    listener.join(); // would hang if abandon did not release it
    handOver.handleDeviceEvent({1, 2});
    EXPECT_FALSE(handOver.dispatchPending([](DeviceEvent) { FAIL() << "handled after abandon"; }));
}

TEST(DeviceEvent, ParsesOnlyReportsMarkedAsEvents)
{
    struct Case
    {
        std::vector<std::uint8_t> report;
        std::optional<DeviceEvent> event;
    } cases[] = {
        {{0x06, 0x07, 0x02, 0x03}, DeviceEvent{2, 3}},
        {{0x06, 0x07, 0x02, 0x03, 0xFF, 0xFF, 0xFF, 0xFF}, DeviceEvent{2, 3}},
        {{0x06, 0x08, 0x02, 0x03}, std::nullopt},
        {{0x07, 0x07, 0x02, 0x03}, std::nullopt},
        {{0x06, 0x07, 0x02}, std::nullopt},
        {{}, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EventReport::parse(c.report), c.event);
}

// What the mouse sends when its DPI button or a macro key is pressed.
TEST(DeviceEvent, ReportsAreBuiltAsTheMouseSendsThem)
{
    const struct
    {
        DeviceEvent event;
        const char* report;
    } cases[] = {
        {DeviceEvent::dpiStageChosen(3), "06 07 01 03 00 00 00 00"},
        {DeviceEvent::macroKeyPressed(12), "06 07 09 0c 00 00 00 00"},
        {DeviceEvent{0xFF, 0xFE}, "06 07 ff fe 00 00 00 00"},
    };
    for (const auto& c : cases) {
        const EventReport::Bytes report = EventReport::of(c.event);
        EXPECT_EQ(hexSpaced(report), c.report);
        EXPECT_EQ(EventReport::parse(report), c.event);
    }
}

} // namespace
} // namespace volantra
