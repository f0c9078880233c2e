// Cost of turning record.ini into the mouse's twelve macro images, as OK in the macro
// manager and encode-macros do it, with every macro full: twelve sections of 63 events,
// each followed by a delay line.
#include "macro/macro_encoder.h"
#include "model/ini_document.h"
#include "support/macro_files.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>
#include <vector>

namespace volantra {
namespace {

// The encoding itself, from the twelve macros as read.
void encodeTwelveFullMacros(benchmark::State& state)
{
    const IniDocument record = IniDocument::parse(bench::fullRecord());
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
    const IniDocument record = IniDocument::parse(bench::fullRecord());
    for (auto _ : state) {
        MacroImages images = encodeAll(record);
        benchmark::DoNotOptimize(images);
    }
}
BENCHMARK(encodeAllFromDocument)->Unit(benchmark::kMicrosecond);

void parseAndEncodeTwelveFullMacros(benchmark::State& state)
{
    const std::string text = bench::fullRecord();
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
