#pragma once

#include "common/rect.h"

#include <cstdint>
#include <optional>
#include <string>

namespace volantra {

class SettingsRecord;

// The half-circle dial of the Mouse Speed and Double Click Speed sections: where it sits in
// its section, which value a click on its ring picks, and the skin image that shows a value.
// Positions are relative to the section's origin (its header's left and bottom edge) and
// rectangles have exclusive right and bottom edges.
class SpeedDialRules
{
public:
    // The two sections share the dial and its background; each stores its own value.
    enum class Purpose { PointerSpeed, DoubleClickSpeed };
    static constexpr const char* kBackground = "/MouseAttribute/BK_MouseAttribute.png";
    static constexpr const char* kSlowCaption = "Slow";
    static constexpr const char* kFastCaption = "Fast";
    static const char* title(Purpose purpose)
    {
        return purpose == Purpose::PointerSpeed ? "Mouse Speed" : "Double Click Speed";
    }

    // A click picks 2 (left end) to 12 (right end) of the values setting_rules allows; 1
    // comes only from a profile. The skin has one image for each value the record holds.
    // The ring of the dial images: clicks nearer the centre or beyond it miss.
    static constexpr int kInnerRadius = 43;
    static constexpr int kOuterRadius = 71;

    // The dial in a section whose background is `backgroundWidth` pixels wide: 142 pixels
    // wide, centred, from 20 pixels below the origin down to 12 pixels below the centre.
    static Rect area(int backgroundWidth);
    // The captions "Slow" left of the dial's lower end and "Fast" right of it.
    static Rect slowCaption(int backgroundWidth);
    static Rect fastCaption(int backgroundWidth);

    // The value a press at (x, y) picks, or nothing when it misses the upper half of the ring.
    static std::optional<std::uint8_t> valueAt(int x, int y, int backgroundWidth);
    // A press on the dial: stores the picked value; true when the record changed.
    static bool click(SettingsRecord& record, Purpose purpose, int x, int y, int backgroundWidth);

    static std::uint8_t storedValue(const SettingsRecord& record, Purpose purpose);
    // A profile may hold any byte; the dial shows the nearest value it has an image for.
    static int shownValue(std::uint8_t stored);
    static std::string imagePath(std::uint8_t stored);
};

} // namespace volantra
