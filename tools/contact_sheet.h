#pragma once

#include <QImage>

namespace volantra {

class SkinImageSet;

// One picture of every image of a skin, each over a checkerboard (so that transparency
// shows) with its path beneath, for a review of the whole skin at a glance.
class ContactSheet
{
public:
    static constexpr int kWidth = 2400;

    static QImage render(const SkinImageSet& images);
};

} // namespace volantra
