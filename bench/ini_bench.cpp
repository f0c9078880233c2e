// What reading and saving a profile INI file costs: the text work alone, and a whole
// load, edit and atomic save (with its two fsync calls) in a temporary folder.
#include "model/ini_file.h"
#include "platform/posix_atomic_file_writer.h"
#include "support/temporary_directory.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <string>
#include <vector>

namespace volantra {
namespace {

// A str%d.ini as the program keeps it: the item names of the three languages and the skin.
std::string profileIni()
{
    std::string text;
    const char* languages[] = {"Setting-EN", "Setting-CHS", "Setting-CHT"};
    for (const char* language : languages) {
        text += std::string("[") + language + "]\r\n";
        for (int i = 1; i <= 8; ++i)
            text += "Item" + std::to_string(i) + "=Button function " + std::to_string(i) + "\r\n";
        text += "\r\n";
    }
    text += "[Skins]\r\nLan=EN\r\nPath=Default\r\nRColor=255\r\nGColor=64\r\nBColor=0\r\n";
    return text;
}

std::vector<std::uint8_t> bytesOf(const std::string& text)
{
    return {text.begin(), text.end()};
}

void parseAndSerialize(benchmark::State& state)
{
    const std::vector<std::uint8_t> bytes = bytesOf(profileIni());
    for (auto _ : state) {
        IniDocument document = IniDocument::parse(bytes);
        std::vector<std::uint8_t> out = document.serialize();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(parseAndSerialize)->Unit(benchmark::kMicrosecond);

// The reads of the profile load: eight item names and four skin values.
void parseAndReadProfile(benchmark::State& state)
{
    const std::vector<std::uint8_t> bytes = bytesOf(profileIni());
    for (auto _ : state) {
        const IniDocument document = IniDocument::parse(bytes);
        for (int i = 1; i <= 8; ++i) {
            std::string item = document.readString("Setting-EN", "Item" + std::to_string(i), "");
            benchmark::DoNotOptimize(item.data());
        }
        int colour = document.readInt("Skins", "RColor", 0) +
                     document.readInt("Skins", "GColor", 0) +
                     document.readInt("Skins", "BColor", 0);
        std::string path = document.readString("Skins", "Path", "");
        benchmark::DoNotOptimize(colour);
        benchmark::DoNotOptimize(path.data());
    }
}
BENCHMARK(parseAndReadProfile)->Unit(benchmark::kMicrosecond);

// Apply's write of the eight item names: load, edit, one atomic save.
void loadEditAndSave(benchmark::State& state)
{
    test::TemporaryDirectory directory;
    const std::string path = directory.file("str0.ini");
    std::ofstream(path, std::ios::binary) << profileIni();
    PosixAtomicFileWriter writer;
    int round = 0;
    for (auto _ : state) {
        Result<IniFile> file = IniFile::load(path, writer);
        if (!file)
            state.SkipWithError(file.error().message.c_str());
        ++round;
        for (int i = 1; i <= 8; ++i)
            if (!file->document()
                     .writeString("Setting-EN", "Item" + std::to_string(i),
                                  "Function " + std::to_string(round + i))
                     .ok())
                state.SkipWithError("edit refused");
        if (Status saved = file->save(); !saved)
            state.SkipWithError(saved.error().message.c_str());
    }
}
BENCHMARK(loadEditAndSave)->Unit(benchmark::kMicrosecond);

// The same save without the text work: what the two fsync calls and the rename cost.
void atomicSave(benchmark::State& state)
{
    test::TemporaryDirectory directory;
    const std::string path = directory.file("str0.ini");
    const std::vector<std::uint8_t> bytes = bytesOf(profileIni());
    PosixAtomicFileWriter writer;
    for (auto _ : state)
        if (Status saved = writer.writeFile(path, bytes); !saved)
            state.SkipWithError(saved.error().message.c_str());
}
BENCHMARK(atomicSave)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace volantra

BENCHMARK_MAIN();
