#pragma once

#include "device/device_images.h"
#include "model/settings_record.h"

#include <array>
#include <cstddef>

namespace volantra {

// The button table the mouse reads: 32 slots of one four-byte code each. Slot of each
// of the eight buttons the user interface shows, as the mouse numbers its switches.
inline constexpr std::size_t kButtonTableSlotSize = 4;
inline constexpr std::array<std::size_t, SettingsRecord::kButtonCount> kButtonTableSlots{
    0, 1, 2, 14, 15, 3, 4, 5};

// The button table for the record's eight buttons; every other slot is 0.
DeviceImage buildButtonTable(const SettingsRecord& record);

} // namespace volantra
