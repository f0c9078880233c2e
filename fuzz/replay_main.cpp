#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

// Runs a fuzz target over saved inputs without libFuzzer, so the corpus (seeds and every
// crash found so far) is replayed by ctest in the ordinary build. Arguments are files or
// directories of files; an argument that yields no input fails the run, so a missing
// corpus is noticed.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool replayFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    const std::vector<char> raw((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
    const std::vector<std::uint8_t> input(raw.begin(), raw.end());
    // Never hand the target a null pointer, even for an empty file.
    const std::uint8_t empty = 0;
    LLVMFuzzerTestOneInput(input.empty() ? &empty : input.data(), input.size());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <input file or directory>...\n", argv[0]);
        return 2;
    }
    int failures = 0;
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg = argv[i];
        std::vector<std::filesystem::path> files;
        std::error_code error;
        if (std::filesystem::is_directory(arg, error)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg, error))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
            std::sort(files.begin(), files.end()); // a stable order makes failures repeatable
        } else {
            files.push_back(arg);
        }
        if (files.empty()) {
            std::fprintf(stderr, "no inputs in %s\n", arg.c_str());
            ++failures;
        }
        for (const auto& file : files) {
            if (replayFile(file))
                ++replayed;
            else
                ++failures;
        }
    }
    std::printf("replayed %zu inputs\n", replayed);
    return failures == 0 ? 0 : 1;
}
