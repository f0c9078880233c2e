#include "common/hex.h"
#include "device/feature_command.h"

#include <gtest/gtest.h>

namespace volantra {
namespace {

TEST(FeatureCommand, CheckByteIsTheComplementOfTheSum)
{
    struct Case
    {
        FeatureCommand command;
        const char* bytes;
    } cases[] = {
        {FeatureCommand(command::kReadProfile), "82 00 00 00 00 00 00 7d"},
        {FeatureCommand(command::kSetMode, 0xFC), "01 fc 00 00 00 00 00 02"},
        {FeatureCommand(command::kWriteConfig, 0x00, 0x80), "0c 00 80 00 00 00 00 73"},
        {FeatureCommand(command::kReadConfig), "8c 00 00 00 00 00 00 73"},
        {FeatureCommand(command::kWriteMacro, 12, 0x80), "0f 0c 80 00 00 00 00 64"},
        // The sum wraps: 0xFF + 0xFF + 0xFF = 0x2FD, and 0xFF - 0xFD = 0x02.
        {FeatureCommand(0xFF, 0xFF, 0xFF), "ff ff ff 00 00 00 00 02"},
        {FeatureCommand(0x00), "00 00 00 00 00 00 00 ff"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hexSpaced(c.command.bytes()), c.bytes);
}

TEST(FeatureCommand, CheckByteIsRecomputedFromWhateverTheRecordHolds)
{
    const std::vector<std::uint8_t> stale = *parseHex("82 05 00 00 00 00 00 00");
    const FeatureCommand record =
        FeatureCommand::fromBytes(std::span<const std::uint8_t, 8>(stale.data(), 8));
    EXPECT_EQ(record.check(), 0x00);
    EXPECT_EQ(record.withCheckByte().check(), 0x78);
}

// The mouse answers in the read's own record: the profile number in byte 1, the bytes of
// the image that follows in byte 2, the check byte over the answer.
TEST(FeatureCommand, AnswersCarryTheirValueInTheRecord)
{
    const FeatureCommand profile = FeatureCommand(command::kReadProfile).answeringProfile(3);
    EXPECT_EQ(hexSpaced(profile.bytes()), "82 03 00 00 00 00 00 7a");
    EXPECT_EQ(profile.answeredProfile(), 3);
    const FeatureCommand config = FeatureCommand(command::kReadConfig).announcingImageBytes(0x80);
    EXPECT_EQ(hexSpaced(config.bytes()), "8c 00 80 00 00 00 00 f3");
    EXPECT_EQ(config.imageByteCount(), 0x80);
    EXPECT_EQ(FeatureCommand(command::kWriteMacro, 12, 0x80).imageByteCount(), 0x80);
}

TEST(FeatureCommand, ReadFlagIsBitSevenOfTheCode)
{
    EXPECT_TRUE(FeatureCommand(command::kReadProfile).isRead());
    EXPECT_TRUE(FeatureCommand(command::kReadConfig).isRead());
    EXPECT_FALSE(FeatureCommand(command::kWriteConfig).isRead());
    EXPECT_FALSE(FeatureCommand(0x7F).isRead());
}

} // namespace
} // namespace volantra
