// The folders of the sources form layers: no folder includes a header of a folder that
// includes its own (directly or through others), and only the Qt layers (the qt/ folders)
// include a header of a qt/ folder. Both keep the core, the adapters and volantra-cli
// buildable and testable without Qt.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kSourceFolders = {
    "app",   "assign", "cli",   "common",   "device",   "editing", "help",
    "macro", "model",  "pages", "platform", "profiles", "skin"};

struct Include
{
    std::string file;   // relative to the source folder, "pages/qt/dpi_section.cpp"
    std::string header; // as written, "skin/qt/skin_library.h"
};

std::vector<Include> projectIncludes()
{
    const fs::path root = VOLANTRA_SOURCE_DIR;
    const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
    std::vector<Include> found;
    for (const std::string& folder : kSourceFolders) {
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string extension = entry.path().extension().string();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
                continue;
            std::ifstream in(entry.path());
            std::smatch match;
            for (std::string line; std::getline(in, line);)
                if (std::regex_search(line, match, include))
                    found.push_back({fs::relative(entry.path(), root).generic_string(), match[1]});
        }
    }
    return found;
}

std::string topFolder(const std::string& path)
{
    return path.substr(0, path.find('/'));
}

bool inQtFolder(const std::string& path)
{
    return path.find("/qt/") != std::string::npos;
}

// Depth-first search; returns the folders of a cycle through `folder`, if there is one.
bool findCycle(const std::map<std::string, std::set<std::string>>& uses, const std::string& folder,
               std::vector<std::string>& path, std::set<std::string>& done)
{
    if (std::find(path.begin(), path.end(), folder) != path.end()) {
        path.push_back(folder);
        return true;
    }
    if (done.count(folder))
        return false;
    path.push_back(folder);
    if (const auto used = uses.find(folder); used != uses.end())
        for (const std::string& next : used->second)
            if (findCycle(uses, next, path, done))
                return true;
    path.pop_back();
    done.insert(folder);
    return false;
}

} // namespace

TEST(FolderLayers, NoFolderDependsOnItselfThroughOthers)
{
    std::map<std::string, std::set<std::string>> uses;
    std::map<std::pair<std::string, std::string>, Include> example;
    for (const Include& include : projectIncludes()) {
        const std::string from = topFolder(include.file);
        const std::string to = topFolder(include.header);
        if (from == to ||
            std::find(kSourceFolders.begin(), kSourceFolders.end(), to) == kSourceFolders.end())
            continue;
        uses[from].insert(to);
        example.try_emplace({from, to}, include);
    }
    ASSERT_FALSE(uses.empty()) << "no includes found below " << VOLANTRA_SOURCE_DIR;

    std::set<std::string> done;
    for (const std::string& folder : kSourceFolders) {
        std::vector<std::string> cycle;
        if (!findCycle(uses, folder, cycle, done))
            continue;
        std::string explanation;
        const auto start = std::find(cycle.begin(), cycle.end(), cycle.back());
        for (auto it = start; it + 1 != cycle.end(); ++it) {
            const Include& include = example.at({*it, *(it + 1)});
            explanation += "\n  " + include.file + " includes " + include.header;
        }
        FAIL() << "the folders depend on each other in a circle:" << explanation;
    }
}

TEST(FolderLayers, OnlyQtFoldersIncludeQtHeaders)
{
    for (const Include& include : projectIncludes()) {
        if (inQtFolder(include.file))
            continue;
        EXPECT_FALSE(inQtFolder(include.header))
            << include.file << " is plain C++ but includes " << include.header;
    }
}
