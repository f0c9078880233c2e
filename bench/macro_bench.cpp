// Cost of turning record.ini into the mouse's twelve macro images, as OK in the macro
// manager and encode-macros do it, with every macro full: twelve sections of 63 events,
// each followed by a delay line.
#include "macro/macro_encoder.h"
#include "model/ini_document.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>
#include <vector>

namespace volantra {
namespace {

std::string fullRecord()
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

// The encoding itself, from the twelve macros as read.
void encodeTwelveFullMacros(benchmark::State& state)
{
    const IniDocument record = IniDocument::parse(fullRecord());
    std::vector<MacroSource> macros;
    for (const std::string& name : record.sectionNames())
        macros.push_back(readMacroSource(record, name));
    for (const MacroSource& macro : macros) {
        if (encodeMacro(macro).cut)
            std::abort(); // the macros must fill their images, not overflow them
    }
    for (auto _ : state) {
        for (const MacroSource& macro : macros) {
            EncodedMacro encoded = encodeMacro(macro);
            benchmark::DoNotOptimize(encoded);
        }
    }
}
BENCHMARK(encodeTwelveFullMacros)->Unit(benchmark::kMicrosecond);

// Reading the sections out of a parsed record.ini and encoding them: encodeAll.
void encodeAllFromDocument(benchmark::State& state)
{
    const IniDocument record = IniDocument::parse(fullRecord());
    for (auto _ : state) {
        MacroImages images = encodeAll(record);
        benchmark::DoNotOptimize(images);
    }
}
BENCHMARK(encodeAllFromDocument)->Unit(benchmark::kMicrosecond);

void parseAndEncodeTwelveFullMacros(benchmark::State& state)
{
    const std::string text = fullRecord();
    for (auto _ : state) {
        MacroImages images = encodeAll(IniDocument::parse(text));
        benchmark::DoNotOptimize(images);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(parseAndEncodeTwelveFullMacros)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace volantra

BENCHMARK_MAIN();
