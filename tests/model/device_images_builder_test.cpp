#include "model/button_table.h"
#include "model/config_block.h"
#include "model/device_images_builder.h"
#include "support/random_record.h"

#include <gtest/gtest.h>
#include <random>

namespace volantra {
namespace {

using test::randomRecord;

TEST(CopyMacroBlocks, CopiesTheTwelveImagesSlotByslot)
{
    const SettingsRecord record = randomRecord(1);
    const auto macros = copyMacroBlocks(record);
    for (std::size_t slot = 0; slot < 12; ++slot) {
        EXPECT_TRUE(std::equal(macros[slot].begin(), macros[slot].end(),
                               record.bytes().begin() + 0x0DC + 128 * slot))
            << slot;
    }
}

TEST(BuildDeviceImages, HoldsEverythingApplySends)
{
    const std::uint8_t intervals[] = {1, 2, 4, 8};
    for (std::uint8_t interval : intervals) {
        SettingsRecord record = randomRecord(interval);
        record.setReportInterval(interval);
        const DeviceImages images = buildDeviceImages(record);
        EXPECT_EQ(images.reportInterval, interval);
        EXPECT_EQ(images.config, buildConfigBlock(record));
        EXPECT_EQ(images.buttons, buildButtonTable(record));
        EXPECT_EQ(images.macros, copyMacroBlocks(record));
    }
}

TEST(BuildDeviceImages, AnyProfileByteGivesTheImagesOfProfileZero)
{
    SettingsRecord record = randomRecord(2);
    record.setProfile(0);
    const DeviceImages forZero = buildDeviceImages(record);
    record.setProfile(4);
    const DeviceImages forFour = buildDeviceImages(record);
    EXPECT_EQ(forFour.config, forZero.config);
    EXPECT_EQ(forFour.buttons, forZero.buttons);
    EXPECT_EQ(forFour.macros, forZero.macros);
}

} // namespace
} // namespace volantra
