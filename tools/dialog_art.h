#pragma once

namespace volantra {

class SkinImageSet;

// The windows the main window opens: the single-key, combo-key and macro-key dialogs,
// the macro manager, the profile manager and the help panel, with their buttons, tick
// boxes and the frames of the fields they place over their backgrounds.
class DialogArt
{
public:
    static void paint(SkinImageSet& images);
};

} // namespace volantra
