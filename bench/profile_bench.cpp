// What loading the current profile at start-up and saving it after Apply cost: the
// profile list, the 1757-byte profile file and its INI, read and then written atomically
// (fsync included) into a real folder.
#include "model/profile_store.h"
#include "platform/posix_atomic_file_writer.h"
#include "support/temporary_directory.h"
#include "tools/default_data.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace volantra {
namespace {

struct Folder
{
    Folder()
    {
        if (!DefaultData::writeTo(directory.path().string(), writer))
            std::abort();
    }
    test::TemporaryDirectory directory;
    PosixAtomicFileWriter writer;
};

void loadProfile(benchmark::State& state)
{
    Folder folder;
    for (auto _ : state) {
        ProfileStore store(folder.directory.path().string(), folder.writer);
        SettingsRecord record;
        if (!store.loadCurrentProfile(record) || !store.readProfileIni())
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(record);
    }
}
BENCHMARK(loadProfile)->Unit(benchmark::kMicrosecond);

void loadAndSaveProfile(benchmark::State& state)
{
    Folder folder;
    for (auto _ : state) {
        ProfileStore store(folder.directory.path().string(), folder.writer);
        SettingsRecord record;
        if (!store.loadCurrentProfile(record) || !store.readProfileIni())
            state.SkipWithError("load failed");
        if (!store.saveAppliedProfile(record))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(loadAndSaveProfile)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace volantra

BENCHMARK_MAIN();
