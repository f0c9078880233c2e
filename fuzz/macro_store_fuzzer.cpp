#include "macro/macro_encoder.h"
#include "model/ini_document.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

// Reads arbitrary bytes as record.ini, since a user's or another program's file may hold
// anything, and encodes its macros: never a crash, twelve images of exactly 128 bytes,
// each slot the image of its section, and zero where there is no section.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace volantra;
    const IniDocument record = IniDocument::parse(std::span<const std::uint8_t>(data, size));
    const MacroImages images = encodeAll(record);
    if (images.images.size() != kMacroSlotCount || images.cutMacros.size() > kMacroSlotCount)
        std::abort();
    const std::vector<std::string> names = record.sectionNames();
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot) {
        const DeviceImage& image = images.images[slot];
        if (image.size() != kImageSize)
            std::abort();
        if (slot >= names.size()) {
            if (image != DeviceImage{})
                std::abort();
        } else if (encodeMacroSection(record, names[slot]).image != image) {
            std::abort();
        }
    }
    return 0;
}
