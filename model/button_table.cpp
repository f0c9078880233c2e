#include "model/button_table.h"

#include "model/button_function.h"

#include <algorithm>

namespace volantra {

static_assert(kImageSize / kButtonTableSlotSize == 32);

DeviceImage buildButtonTable(const SettingsRecord& record)
{
    DeviceImage table{};
    for (std::size_t button = 0; button < SettingsRecord::kButtonCount; ++button) {
        const ButtonFunctionCode code = encodeButtonFunction(record.button(button));
        std::copy(code.bytes.begin(), code.bytes.end(),
                  table.begin() + kButtonTableSlotSize * kButtonTableSlots[button]);
    }
    return table;
}

} // namespace volantra
