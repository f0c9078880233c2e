// The Windows half of DataDirectory: where the choice's inputs come from on Windows.
#include "model/data_directory.h"
#include "platform/windows/wide_string.h"

#include <filesystem>
#include <windows.h>

namespace volantra {
namespace {

std::string environmentVariable(const wchar_t* name)
{
    const DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
    if (length == 0)
        return {};
    std::wstring value(length, L'\0');
    const DWORD written = GetEnvironmentVariableW(name, value.data(), length);
    value.resize(written);
    return utf8FromWide(value);
}

std::string executablePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return utf8FromWide(path);
        }
        path.resize(path.size() * 2);
    }
}

std::string parentOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool isFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(wideFromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

DataDirectory::Inputs
DataDirectory::inputsFromEnvironment(const std::optional<std::string>& overridePath)
{
    Inputs inputs;
    inputs.overridePath = overridePath;
    const std::string executable = executablePath();
    if (!executable.empty()) {
        inputs.executableFolder = parentOf(executable);
        // Installed: <prefix>\bin\volantra-cli.exe with <prefix>\share\volantra. Run from
        // the build tree: <build>\cli\volantra-cli.exe with the generated <build>\default-data.
        const std::string above = parentOf(inputs.executableFolder);
        const std::string installed = above + "\\share\\volantra";
        const std::string built = above + "\\default-data";
        inputs.installedDefaults = isFolder(installed) || !isFolder(built) ? installed : built;
    }
    if (std::string appData = environmentVariable(L"APPDATA"); !appData.empty())
        inputs.appData = appData;
    return inputs;
}

} // namespace volantra
