#pragma once

#include <string>
#include <vector>

namespace volantra::test {

// One macro of record.ini as the macro manager writes it: its options, then its events.
inline std::string macroSection(const std::string& name, const std::vector<std::string>& items,
                                int delaySelected = 1, int loopSelected = 0, int loops = 1)
{
    std::string text = "[" + name + "]\nDelayTimeSelStatus=" + std::to_string(delaySelected) +
                       "\nLoopTimeSelStatus=" + std::to_string(loopSelected) +
                       "\nMacroLoopTimes=" + std::to_string(loops) +
                       "\nItemCount=" + std::to_string(items.size()) + "\n";
    for (std::size_t i = 0; i < items.size(); ++i)
        text += "Item" + std::to_string(i) + "=" + items[i] + "\n";
    return text;
}

// A tap of A with a delay between, the first macro of most tests.
inline std::string tapOfA(const std::string& name)
{
    return macroSection(name, {"A   Dn", "120 ms", "A   Up"});
}

} // namespace volantra::test
