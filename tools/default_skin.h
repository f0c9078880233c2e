#pragma once

#include "common/atomic_file_writer.h"
#include "common/result.h"
#include "tools/skin_image_set.h"

#include <string>

namespace volantra {

// The skin "Default" that the program is installed with: a dark graphite theme with an
// orange accent, painted at build time. Needs a QGuiApplication (for the fonts).
class DefaultSkin
{
public:
    static constexpr const char* kName = "Default";

    // The images with `ratio` pixels per logical pixel (1, or 2 for high-density screens).
    static SkinImageSet paint(int ratio = 1);
    // Writes the images into <dataFolder>/Skins/Default, each also at twice the size as
    // "name@2x.png", and, unless `contactSheet` is empty, the contact sheet of the 1×
    // images to that file.
    static Status write(const std::string& dataFolder, const std::string& contactSheet,
                        AtomicFileWriter& writer);
};

} // namespace volantra
