#include "model/device_images_builder.h"

#include "model/button_table.h"
#include "model/config_block.h"

namespace volantra {

std::array<DeviceImage, kMacroSlotCount> copyMacroBlocks(const SettingsRecord& record)
{
    std::array<DeviceImage, kMacroSlotCount> macros{};
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot)
        macros[slot] = record.macroImage(slot);
    return macros;
}

DeviceImages buildDeviceImages(const SettingsRecord& record)
{
    DeviceImages images;
    images.config = buildConfigBlock(record);
    images.buttons = buildButtonTable(record);
    images.macros = copyMacroBlocks(record);
    images.reportInterval = record.reportInterval();
    return images;
}

} // namespace volantra
