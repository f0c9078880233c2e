#include "model/device_images_builder.h"
#include "model/profile_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

// Feeds arbitrary profile files to the loader and the image builder: any byte values a
// damaged or hostile file holds must give images, and anything but 1757 bytes a refusal.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace volantra;
    const std::span<const std::uint8_t> bytes(data, size);
    Result<ProfileFile> file = ProfileFile::parse(bytes, "fuzz.bin");
    if (!file) {
        if (size == ProfileFile::kSize || file.error().kind != Error::Kind::InvalidInput)
            std::abort();
        return 0;
    }
    if (size != ProfileFile::kSize)
        std::abort();
    const DeviceImages images = buildDeviceImages(file->record());
    // The macro images are the record's own bytes, untouched.
    for (std::size_t slot = 0; slot < kMacroSlotCount; ++slot) {
        const auto recordImage = file->record().bytes().begin() + SettingsRecord::kSettingsSize +
                                 static_cast<std::ptrdiff_t>(slot * kImageSize);
        if (!std::equal(images.macros[slot].begin(), images.macros[slot].end(), recordImage))
            std::abort();
    }
    // A saved file reads back as the same record.
    const ProfileFile::Bytes saved = ProfileFile::serialize(file->record());
    if (!std::equal(saved.begin() + 1, saved.end(), bytes.begin() + 1))
        std::abort();
    return 0;
}
