// Time from a click on the macro manager to its filled lists, for record.ini files within
// the size the program reads (4 MiB): a full twelve-macro file as the mouse can hold it,
// and hand-made files with one huge macro of pauses (100,000 and 240,000 lines, the latter
// 3.9 MB), whose first macro the manager selects and shows at opening, or 400,000 empty
// sections.
#include "macro/qt/macro_manager_dialog.h"
#include "platform/posix_atomic_file_writer.h"
#include "skin/qt/skin_library.h"
#include "support/macro_files.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace volantra {
namespace {

std::string hugeMacro(int lines)
{
    std::string text = "[Macro_1]\nDelayTimeSelStatus=1\nLoopTimeSelStatus=0\nMacroLoopTimes=1\n"
                       "ItemCount=" +
                       std::to_string(lines) + "\n";
    for (int line = 0; line < lines; ++line)
        text += "Item" + std::to_string(line) + "=1 ms\n";
    return text;
}

struct Folder
{
    Folder()
    {
        path = std::filesystem::temp_directory_path() /
               ("volantra-macro-open-bench-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
    }
    ~Folder() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

// Opens the manager on `text` as record.ini, as the main window does, and closes it.
void openManager(benchmark::State& state, const std::string& text)
{
    Folder folder;
    const std::string file = (folder.path / "record.ini").string();
    std::ofstream(file, std::ios::binary) << text;
    SkinLibrary skin(SkinRoot::defaultSkin(VOLANTRA_DEFAULT_DATA_DIR));
    PosixAtomicFileWriter writer;
    SettingsRecord record;
    ButtonLabels labels;
    MacroOptions options;
    for (auto _ : state) {
        MacroManagerDialog dialog(MacroManagerContext{
            .macroFile = file,
            .writer = writer,
            .skin = skin,
            .fallbackSkin = nullptr,
            .language = Language::English,
            .textColour = Qt::white,
            .record = record,
            .labels = labels,
            .options = options,
        });
        if (dialog.openingProblem() && text.size() < 100000)
            std::abort(); // the full file must open
        dialog.show();
        QCoreApplication::processEvents();
        dialog.reject();
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}

void openFullFile(benchmark::State& state)
{
    openManager(state, bench::fullRecord());
}
BENCHMARK(openFullFile)->Unit(benchmark::kMillisecond);

// Sections only, as many as fit in the size the program reads.
void openManySections(benchmark::State& state)
{
    std::string text;
    for (int section = 0; section < state.range(0); ++section)
        text += "[M" + std::to_string(section) + "]\n";
    openManager(state, text);
}
BENCHMARK(openManySections)->Arg(400000)->Unit(benchmark::kMillisecond)->Iterations(1);

void openHugeMacro(benchmark::State& state)
{
    openManager(state, hugeMacro(static_cast<int>(state.range(0))));
}
BENCHMARK(openHugeMacro)->Arg(100000)->Arg(240000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
} // namespace volantra
