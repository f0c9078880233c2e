#pragma once

#include <string>

namespace volantra::bench {

// A record.ini as full as the mouse allows: twelve macros of 63 key events with delays.
inline std::string fullRecord()
{
    std::string text;
    for (int slot = 0; slot < 12; ++slot) {
        text += "[Macro_" + std::to_string(slot) + "]\n";
        text += "DelayTimeSelStatus=1\nLoopTimeSelStatus=1\nMacroLoopTimes=3\nItemCount=126\n";
        for (int event = 0; event < 63; ++event) {
            text += "Item" + std::to_string(2 * event) + "=" +
                    (event % 2 ? "Right Shift   Up" : "Right Shift   Dn") + "\n";
            text +=
                "Item" + std::to_string(2 * event + 1) + "=" + std::to_string(event * 20) + " ms\n";
        }
    }
    return text;
}

} // namespace volantra::bench
