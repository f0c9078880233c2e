#pragma once

#include "device/device_images.h"
#include "model/settings_record.h"

#include <array>

namespace volantra {

// The twelve macro images, slot 1 first, exactly as the record holds them.
std::array<DeviceImage, kMacroSlotCount> copyMacroBlocks(const SettingsRecord& record);

// Everything Apply writes to the mouse: the configuration image, the button table, the
// macro images and the report interval. The images go to the mouse's profile 0 whatever
// the record's profile byte says.
DeviceImages buildDeviceImages(const SettingsRecord& record);

} // namespace volantra
