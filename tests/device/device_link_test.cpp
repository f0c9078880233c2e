#include "common/hex.h"
#include "device/device_commands.h"
#include "device/device_link.h"
#include "support/simulated_link.h"

#include <gtest/gtest.h>

namespace volantra {
namespace {

using Collection = SimulatedBackend::Collection;
using test::SimulatedLink;

std::vector<std::uint8_t> keyboardDescriptor()
{
    return *parseHex("05 01 09 06 A1 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 95 01"
                     " 75 08 81 01 95 06 75 08 15 00 25 65 19 00 29 65 81 00 C0");
}

TEST(DeviceLink, ChoosesTheCommandAndEventInterfacesWhateverTheirOrder)
{
    const std::vector<Collection> layouts[] = {
        {Collection::Event, Collection::Command, Collection::Pointer},
        {Collection::Command, Collection::Event, Collection::Pointer},
        {Collection::Pointer, Collection::Command, Collection::Event},
    };
    for (const auto& layout : layouts) {
        SimulatedLink fixture;
        const auto mouse = fixture.simulator.addMouse(layout);
        ASSERT_TRUE(fixture.link.discover().ok());
        EXPECT_TRUE(fixture.link.connected());
        ASSERT_TRUE(fixture.link.commandInterface());
        ASSERT_TRUE(fixture.link.eventInterface());
        const auto nodes = fixture.simulator.nodesOf(mouse);
        const auto nodeOf = [&](Collection role) {
            return nodes[std::find(layout.begin(), layout.end(), role) - layout.begin()];
        };
        EXPECT_EQ(fixture.link.commandInterface()->path, nodeOf(Collection::Command) + "#0");
        EXPECT_EQ(fixture.link.eventInterface()->path, nodeOf(Collection::Event) + "#0");
        EXPECT_EQ(fixture.link.commandInterface()->caps.featureReportLength, 9);
        EXPECT_EQ(fixture.link.eventInterface()->caps.inputReportLength, 8);
        EXPECT_EQ(fixture.link.mouseInterfaces().size(), 3u);
        EXPECT_TRUE(fixture.link.eventStream().handle);
    }
}

TEST(DeviceLink, ForeignDevicesAreSkippedWithoutBeingOpened)
{
    SimulatedLink fixture;
    fixture.simulator.addForeignDevice(0x046D, 0xC077, SimulatedMouse::pointerDescriptor());
    // Another maker's vendor collection that looks exactly like the mouse's.
    fixture.simulator.addForeignDevice(0x1234, 0xA0F4, SimulatedMouse::commandDescriptor());
    fixture.simulator.addForeignDevice(0x04D9, 0x0001, keyboardDescriptor());
    fixture.simulator.addMouse();
    ASSERT_TRUE(fixture.link.discover().ok());
    EXPECT_EQ(fixture.link.commandInterface()->node, "/sim/hidraw4");
    for (const HidInterface& interface : fixture.link.mouseInterfaces())
        EXPECT_GE(interface.node, "/sim/hidraw3");
    EXPECT_TRUE(fixture.trace().empty()) << "a foreign device was talked to";
}

TEST(DeviceLink, NoMouseOrNoCommandInterfaceIsNotConnected)
{
    struct Case
    {
        std::vector<Collection> layout; // empty: no mouse at all
        const char* message;
    } cases[] = {
        {{}, "no mouse"},
        {{Collection::Event, Collection::Pointer},
         "/sim/hidraw0: the mouse shows no command interface"},
    };
    for (const Case& c : cases) {
        SimulatedLink fixture;
        fixture.simulator.addForeignDevice(0x046D, 0xC077, SimulatedMouse::pointerDescriptor());
        if (!c.layout.empty()) {
            // The foreign device takes node 0; renumber by unplugging it.
            fixture.simulator.unplug(0);
            fixture.simulator.addMouse(c.layout);
        }
        const Status found = fixture.link.discover();
        ASSERT_FALSE(found.ok());
        EXPECT_EQ(found.error().kind, Error::Kind::NotFound);
        EXPECT_EQ(found.error().message, c.message);
        EXPECT_FALSE(fixture.link.connected());
        EXPECT_FALSE(fixture.link.commands());
    }
}

TEST(DeviceLink, MouseWithoutEventInterfaceStillTakesCommands)
{
    SimulatedLink fixture;
    fixture.simulator.addMouse({Collection::Command, Collection::Pointer});
    ASSERT_TRUE(fixture.link.discover().ok());
    EXPECT_FALSE(fixture.link.eventInterface());
    EXPECT_EQ(fixture.link.eventStream().reportLength, 0);
    ASSERT_TRUE(fixture.link.commands());
    EXPECT_TRUE(fixture.link.commands()->connect().ok());
}

TEST(DeviceLink, AnEventInterfaceThatCannotBeOpenedIsToldAndCommandsStillWork)
{
    SimulatedLink fixture;
    const auto mouse = fixture.simulator.addMouse();
    fixture.simulator.denyAccess(mouse, Collection::Event);
    ASSERT_TRUE(fixture.link.discover().ok());
    EXPECT_TRUE(fixture.link.connected());
    EXPECT_FALSE(fixture.link.eventStream().handle);
    ASSERT_TRUE(fixture.link.eventOpenError());
    EXPECT_EQ(fixture.link.eventOpenError()->kind, Error::Kind::Permission);
    EXPECT_NE(fixture.link.eventOpenError()->message.find(fixture.simulator.nodesOf(mouse)[0]),
              std::string::npos);
    EXPECT_TRUE(fixture.link.connect().ok());
}

// A mouse that does not answer the connection sequence is not treated as connected, and
// the next attempt after a discovery may succeed.
TEST(DeviceLink, AFailedConnectionSequenceLeavesTheLinkNotConnectedUntilItSucceeds)
{
    const struct
    {
        int goodTransfers; // before the mouse stops answering
        const char* named;
    } cases[] = {{0, "0x82"}, {2, "0x01 0xFC"}};
    for (const auto& c : cases) {
        SimulatedLink fixture;
        const auto mouse = fixture.simulator.addMouse();
        ASSERT_TRUE(fixture.link.discover().ok());
        fixture.simulator.mouse(mouse).failAfter(c.goodTransfers,
                                                 SimulatedMouse::Fault::Unresponsive);
        const Result<std::uint8_t> failed = fixture.link.connect();
        ASSERT_FALSE(failed.ok());
        EXPECT_NE(failed.error().message.find(c.named), std::string::npos)
            << failed.error().message;
        EXPECT_FALSE(fixture.link.connected());
        ASSERT_TRUE(fixture.link.discover().ok());
        EXPECT_FALSE(fixture.link.connected()) << "a discovery does not undo the failure";
        fixture.simulator.mouse(mouse).setFault(SimulatedMouse::Fault::None);
        EXPECT_TRUE(fixture.link.connect().ok());
        EXPECT_TRUE(fixture.link.connected());
    }
}

TEST(DeviceLink, EventInterfaceComesFromTheSameMouseAsTheCommandInterface)
{
    SimulatedLink fixture;
    const auto eventOnly = fixture.simulator.addMouse({Collection::Event});
    const auto complete = fixture.simulator.addMouse({Collection::Command, Collection::Event});
    ASSERT_TRUE(fixture.link.discover().ok());
    EXPECT_EQ(fixture.link.commandInterface()->node, fixture.simulator.nodesOf(complete)[0]);
    EXPECT_EQ(fixture.link.eventInterface()->node, fixture.simulator.nodesOf(complete)[1]);
    EXPECT_NE(fixture.link.eventInterface()->node, fixture.simulator.nodesOf(eventOnly)[0]);
}

TEST(DeviceLink, HotplugOfTheMouse)
{
    SimulatedLink fixture;
    auto monitor = std::move(*fixture.simulator.createMonitor());
    const auto mouse = fixture.simulator.addMouse();

    // Three nodes arrive; the link comes up once, and the handle opened for the first
    // notice is kept when the notice of its own node follows.
    std::vector<HotplugOutcome> outcomes;
    for (const HotplugNotice& notice : monitor->receive())
        outcomes.push_back(fixture.link.handleHotplug(notice));
    EXPECT_EQ(outcomes, (std::vector{HotplugOutcome::Detected, HotplugOutcome::Ignored,
                                     HotplugOutcome::Ignored}));
    EXPECT_TRUE(fixture.link.connected());

    fixture.simulator.unplug(mouse);
    outcomes.clear();
    for (const HotplugNotice& notice : monitor->receive())
        outcomes.push_back(fixture.link.handleHotplug(notice));
    EXPECT_EQ(outcomes, (std::vector{HotplugOutcome::NotDetected, HotplugOutcome::Ignored,
                                     HotplugOutcome::Ignored}));
    EXPECT_EQ(fixture.trace().size(), 0u) << "something was sent to a vanished mouse";
    EXPECT_FALSE(fixture.link.connected());
    EXPECT_FALSE(fixture.link.eventStream().handle);

    // Plugged in again under the same node names: new handles, and it works.
    fixture.simulator.plug(mouse);
    for (const HotplugNotice& notice : monitor->receive())
        fixture.link.handleHotplug(notice);
    ASSERT_TRUE(fixture.link.connected());
    EXPECT_TRUE(fixture.link.commands()->connect().ok());
}

TEST(DeviceLink, ArrivalOneNodeAtATime)
{
    // The command node arrives before the event node: the link comes up at once and
    // picks the event interface up when it arrives, without a second connection.
    SimulatedLink fixture;
    auto monitor = std::move(*fixture.simulator.createMonitor());
    fixture.simulator.addForeignDevice(0x046D, 0xC077, SimulatedMouse::pointerDescriptor());
    fixture.simulator.unplug(0);
    (void)monitor->receive();
    const auto commandOnly = fixture.simulator.addMouse({Collection::Command});
    EXPECT_EQ(fixture.link.handleHotplug(monitor->receive().at(0)), HotplugOutcome::Detected);
    EXPECT_FALSE(fixture.link.eventInterface());
    // A node of the mouse without a command interface is no failure while another has one.
    (void)commandOnly;
    const auto eventOnly = fixture.simulator.addMouse({Collection::Event});
    EXPECT_EQ(fixture.link.handleHotplug(monitor->receive().at(0)), HotplugOutcome::Ignored);
    EXPECT_TRUE(fixture.link.connected());
    // Different physical devices: the event node does not belong to the connected mouse.
    EXPECT_FALSE(fixture.link.eventInterface());
    (void)eventOnly;
}

TEST(DeviceLink, NoticesOfOtherDevicesChangeNothing)
{
    SimulatedLink fixture;
    fixture.simulator.addMouse();
    ASSERT_TRUE(fixture.link.discover().ok());
    const auto path = fixture.link.commandInterface()->path;
    const HotplugNotice notices[] = {
        {HotplugNotice::Action::Added, "/sim/hidraw9", 0x046D, 0xC077},
        {HotplugNotice::Action::Removed, "/sim/hidraw1", 0x046D, 0xC077},
        {HotplugNotice::Action::Removed, "/sim/hidraw1", 0x04D9, 0xA0F5},
    };
    for (const HotplugNotice& notice : notices) {
        EXPECT_EQ(fixture.link.handleHotplug(notice), HotplugOutcome::Ignored);
        EXPECT_TRUE(fixture.link.connected());
        EXPECT_EQ(fixture.link.commandInterface()->path, path);
    }
}

TEST(DeviceLink, RemovingOneOfTwoMiceKeepsTheLinkUp)
{
    SimulatedLink fixture;
    auto monitor = std::move(*fixture.simulator.createMonitor());
    const auto first = fixture.simulator.addMouse();
    const auto second = fixture.simulator.addMouse();
    for (const HotplugNotice& notice : monitor->receive())
        fixture.link.handleHotplug(notice);
    ASSERT_EQ(fixture.link.commandInterface()->node, fixture.simulator.nodesOf(first)[1]);

    fixture.simulator.unplug(first);
    std::vector<HotplugOutcome> outcomes;
    for (const HotplugNotice& notice : monitor->receive())
        outcomes.push_back(fixture.link.handleHotplug(notice));
    for (HotplugOutcome outcome : outcomes)
        EXPECT_NE(outcome, HotplugOutcome::NotDetected);
    EXPECT_TRUE(fixture.link.connected());
    EXPECT_EQ(fixture.link.commandInterface()->node, fixture.simulator.nodesOf(second)[1]);
    EXPECT_EQ(fixture.link.eventInterface()->node, fixture.simulator.nodesOf(second)[0]);
    EXPECT_TRUE(fixture.link.commands()->connect().ok());
}

TEST(DeviceLink, CloseDropsBothHandles)
{
    SimulatedLink fixture;
    fixture.simulator.addMouse();
    ASSERT_TRUE(fixture.link.discover().ok());
    fixture.link.close();
    EXPECT_FALSE(fixture.link.connected());
    EXPECT_FALSE(fixture.link.commands());
    EXPECT_FALSE(fixture.link.eventStream().handle);
}

} // namespace
} // namespace volantra
