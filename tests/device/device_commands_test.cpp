#include "common/hex.h"
#include "device/device_commands.h"
#include "device/feature_command.h"
#include "support/simulated_link.h"

#include <gtest/gtest.h>
#include <numeric>

namespace volantra {
namespace {

using test::SimulatedLink;

DeviceImage patternImage(std::uint8_t seed)
{
    DeviceImage image{};
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(seed + i);
    return image;
}

DeviceImages sampleImages()
{
    DeviceImages images;
    images.config = patternImage(0x10);
    images.buttons = patternImage(0x40);
    for (std::size_t i = 0; i < kMacroSlotCount; ++i)
        images.macros[i] = patternImage(static_cast<std::uint8_t>(0x80 + i));
    images.reportInterval = 2;
    return images;
}

std::vector<std::string> linesStartingWith(const std::vector<std::string>& lines,
                                           const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& line : lines)
        if (line.starts_with(prefix))
            found.push_back(line);
    return found;
}

int sleptMilliseconds(const std::vector<std::string>& trace)
{
    int total = 0;
    for (const std::string& line : linesStartingWith(trace, "sleep "))
        total += std::stoi(line.substr(6));
    return total;
}

class DeviceCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        mouse = fixture.simulator.addMouse();
        ASSERT_TRUE(fixture.link.discover().ok());
    }
    DeviceCommands& commands() { return *fixture.link.commands(); }
    SimulatedMouse& firmware() { return fixture.simulator.mouse(mouse); }

    SimulatedLink fixture;
    SimulatedBackend::DeviceId mouse = 0;
};

TEST_F(DeviceCommandsTest, ConnectionReadsTheProfileThenSendsTheMode)
{
    firmware().setCurrentProfile(3);
    Result<std::uint8_t> profile = commands().connect();
    ASSERT_TRUE(profile.ok());
    EXPECT_EQ(*profile, 3);
    EXPECT_EQ(commands().mirror().profile, 3);
    EXPECT_EQ(commands().mirror().mode, 0xFC);
    EXPECT_EQ(firmware().mode(), 0xFC);
    const std::vector<std::string> expected = {
        "set-feature 00 82 00 00 00 00 00 00 7d",
        "get-feature 00 82 03 00 00 00 00 00 7a",
        "set-feature 00 01 fc 00 00 00 00 00 02",
    };
    EXPECT_EQ(fixture.trace(), expected);
}

TEST_F(DeviceCommandsTest, ApplySendsEveryImageInOrderAndWaits832Milliseconds)
{
    firmware().setCurrentProfile(4);
    ASSERT_TRUE(commands().connect().ok());
    const DeviceImages images = sampleImages();
    ASSERT_TRUE(commands().apply(images).ok());

    EXPECT_EQ(firmware().currentProfile(), 0);
    EXPECT_EQ(firmware().reportInterval(), 2);
    EXPECT_EQ(firmware().config(), images.config);
    EXPECT_EQ(firmware().buttons(), images.buttons);
    for (std::size_t slot = 1; slot <= kMacroSlotCount; ++slot)
        EXPECT_EQ(firmware().macro(slot), images.macros[slot - 1]) << "macro slot " << slot;

    std::vector<std::string> trace = fixture.trace();
    trace.erase(trace.begin(), trace.begin() + 3); // the connection
    const auto features = linesStartingWith(trace, "set-feature");
    const std::vector<std::string> expectedCommands = {
        "set-feature 00 02 00 00 00 00 00 00 fd", // select profile 0
        "set-feature 00 03 00 02 00 00 00 00 fa", // report interval 2 ms, profile 0
        "set-feature 00 0c 00 80 00 00 00 00 73", // configuration image
        "set-feature 00 0d 00 80 00 00 00 00 72", // button table
    };
    ASSERT_EQ(features.size(), 4u + kMacroSlotCount);
    EXPECT_EQ(std::vector(features.begin(), features.begin() + 4), expectedCommands);
    for (std::size_t slot = 1; slot <= kMacroSlotCount; ++slot) {
        const FeatureCommand expected(command::kWriteMacro, static_cast<std::uint8_t>(slot), 0x80);
        EXPECT_EQ(features[3 + slot], "set-feature 00 " + hexSpaced(expected.bytes()));
    }

    // 14 images of two 65-byte reports, each starting with report id 0.
    const auto writes = linesStartingWith(trace, "write ");
    ASSERT_EQ(writes.size(), 2u * 14);
    for (const std::string& write : writes) {
        EXPECT_EQ(parseHex(write.substr(6))->size(), 65u);
        EXPECT_TRUE(write.starts_with("write 00 "));
    }
    EXPECT_EQ(writes[0], "write 00 " + hexSpaced(std::span(images.config).first(64)));
    EXPECT_EQ(writes[1], "write 00 " + hexSpaced(std::span(images.config).last(64)));
    EXPECT_EQ(features.size() + writes.size(), 44u);
    EXPECT_EQ(sleptMilliseconds(trace), 832);
    EXPECT_EQ(fixture.waits.total(), std::chrono::milliseconds(832));
}

TEST_F(DeviceCommandsTest, ApplyStopsAtTheFirstFailedTransfer)
{
    struct Case
    {
        int okTransfers;
        SimulatedMouse::Fault fault;
        Error::Kind kind;
    } cases[] = {
        {0, SimulatedMouse::Fault::Unresponsive, Error::Kind::TimedOut},
        {5, SimulatedMouse::Fault::Stall, Error::Kind::Io},
        {20, SimulatedMouse::Fault::Unresponsive, Error::Kind::TimedOut},
        {43, SimulatedMouse::Fault::Stall, Error::Kind::Io},
    };
    for (const Case& c : cases) {
        SimulatedLink local;
        const auto id = local.simulator.addMouse();
        ASSERT_TRUE(local.link.discover().ok());
        local.simulator.mouse(id).failAfter(c.okTransfers, c.fault);
        const Status applied = local.link.commands()->apply(sampleImages());
        ASSERT_FALSE(applied.ok()) << "after " << c.okTransfers;
        EXPECT_EQ(applied.error().kind, c.kind);
        // Each transfer is traced before it is tried, so the failed one is the last line.
        const auto trace = local.trace();
        const auto reports = linesStartingWith(trace, "set-feature").size() +
                             linesStartingWith(trace, "write").size();
        EXPECT_EQ(reports, static_cast<std::size_t>(c.okTransfers) + 1);
        EXPECT_FALSE(trace.back().starts_with("sleep")) << "waited after a failure";
    }
}

TEST_F(DeviceCommandsTest, ApplyToAnUnpluggedMouseFailsAtOnce)
{
    fixture.simulator.unplug(mouse);
    const Status applied = commands().apply(sampleImages());
    ASSERT_FALSE(applied.ok());
    EXPECT_EQ(applied.error().kind, Error::Kind::Gone);
    EXPECT_EQ(fixture.trace().size(), 1u);
}

TEST_F(DeviceCommandsTest, ConfigurationReadKeepsAtMost128Bytes)
{
    DeviceImages images = sampleImages();
    ASSERT_TRUE(commands().apply(images).ok());
    struct Case
    {
        std::uint8_t announced;
        std::size_t reports;
        std::size_t kept;
    } cases[] = {{0, 0, 0}, {1, 1, 1}, {64, 1, 64}, {100, 2, 100}, {128, 2, 128}, {255, 4, 128}};
    for (const Case& c : cases) {
        firmware().setConfigReadLength(c.announced);
        const std::size_t readsBefore = linesStartingWith(fixture.trace(), "read ").size();
        Result<DeviceImage> image = commands().readStageConfig();
        ASSERT_TRUE(image.ok()) << int(c.announced);
        EXPECT_EQ(linesStartingWith(fixture.trace(), "read ").size() - readsBefore, c.reports);
        for (std::size_t i = 0; i < kImageSize; ++i)
            ASSERT_EQ((*image)[i], i < c.kept ? images.config[i] : 0)
                << "byte " << i << " of a read announcing " << int(c.announced);
        EXPECT_EQ(commands().mirror().configSlots[0], *image);
    }
}

TEST_F(DeviceCommandsTest, ShortInputReportsAreNotReadPastTheirEnd)
{
    const DeviceImages images = sampleImages();
    ASSERT_TRUE(commands().apply(images).ok());
    firmware().setFault(SimulatedMouse::Fault::ShortReads);
    Result<DeviceImage> image = commands().readConfig();
    ASSERT_TRUE(image.ok());
    // Each report held 16 data bytes; the rest of each chunk stays zero.
    for (std::size_t i = 0; i < kImageSize; ++i)
        EXPECT_EQ((*image)[i], (i % 64) < 16 ? images.config[i] : 0) << "byte " << i;
}

TEST_F(DeviceCommandsTest, ReadStageConfigReadsProfileThenImage)
{
    ASSERT_TRUE(commands().apply(sampleImages()).ok());
    firmware().setCurrentProfile(2);
    const std::size_t before = fixture.trace().size();
    ASSERT_TRUE(commands().readStageConfig().ok());
    std::vector<std::string> trace = fixture.trace();
    trace.erase(trace.begin(), trace.begin() + static_cast<long>(before));
    ASSERT_EQ(trace.size(), 7u);
    EXPECT_EQ(trace[0], "set-feature 00 82 00 00 00 00 00 00 7d");
    EXPECT_EQ(trace[2], "set-feature 00 8c 00 00 00 00 00 00 73");
    EXPECT_EQ(trace[3], "get-feature 00 8c 00 80 00 00 00 00 f3");
    EXPECT_EQ(trace[6], "sleep 10");
    EXPECT_EQ(commands().mirror().profile, 2);
}

TEST_F(DeviceCommandsTest, WrongCheckByteIsRefusedByTheMouse)
{
    std::vector<std::uint8_t> report = *parseHex("00 82 00 00 00 00 00 00 7c");
    EXPECT_FALSE(firmware().setFeature(report).ok());
    report.back() = 0x7d;
    EXPECT_TRUE(firmware().setFeature(report).ok());
}

} // namespace
} // namespace volantra
