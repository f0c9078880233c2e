// Cost of the macro manager's edits on a full record.ini (twelve macros of 63 events):
// every edit rewrites the file in one atomic write, and OK encodes all twelve macros and
// reads them again for keys the mouse cannot play.
#include "macro/macro_editor.h"
#include "platform/posix_atomic_file_writer.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace volantra {
namespace {

std::string fullRecord()
{
    std::string text;
    for (int slot = 0; slot < 12; ++slot) {
        text += "[Macro_" + std::to_string(slot) + "]\n";
        text += "DelayTimeSelStatus=1\nLoopTimeSelStatus=1\nMacroLoopTimes=3\nItemCount=125\n";
        for (int event = 0; event < 63; ++event) {
            text += "Item" + std::to_string(2 * event) + "=" +
                    (event % 2 ? "Right Shift   Up" : "Right Shift   Dn") + "\n";
            if (event < 62)
                text += "Item" + std::to_string(2 * event + 1) + "=" + std::to_string(event * 20) +
                        " ms\n";
        }
    }
    return text;
}

struct FullFile
{
    FullFile()
    {
        path =
            (std::filesystem::temp_directory_path() / "volantra-macro-editor-bench.ini").string();
        std::ofstream(path, std::ios::binary) << fullRecord();
    }
    ~FullFile() { std::filesystem::remove(path); }
    std::string path;
};

// One delay edit of the selected macro: checked against the image's room and written.
void editDelay(benchmark::State& state)
{
    FullFile file;
    PosixAtomicFileWriter writer;
    Result<MacroEditor> editor = MacroEditor::open(file.path, writer);
    if (!editor)
        std::abort();
    int pause = 0;
    for (auto _ : state) {
        if (!editor->editDelay(1, std::to_string(pause++ % 1000) + "ms"))
            std::abort();
    }
}
BENCHMARK(editDelay)->Unit(benchmark::kMicrosecond);

// OK: the images of all twelve macros into the record, buttons followed.
void acceptFullFile(benchmark::State& state)
{
    FullFile file;
    PosixAtomicFileWriter writer;
    Result<MacroEditor> editor = MacroEditor::open(file.path, writer);
    if (!editor)
        std::abort();
    SettingsRecord record;
    ButtonLabels labels;
    for (auto _ : state) {
        Result<MacroHandOver> handOver = editor->accept(record, labels);
        if (!handOver)
            std::abort();
        benchmark::DoNotOptimize(handOver);
    }
}
BENCHMARK(acceptFullFile)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace volantra

BENCHMARK_MAIN();
