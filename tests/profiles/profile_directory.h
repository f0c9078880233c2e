#pragma once

#include "model/ini_file.h"
#include "model/profile_file.h"
#include "model/profile_store.h"
#include "platform/posix_atomic_file_writer.h"
#include "support/temporary_directory.h"

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace volantra::test {

// A data directory whose profiles each carry their name in their files: config<N>.bin
// holds a record drawn from the name, str<N>.ini the name as the first button's label, so
// that a test can tell which profile's files sit at which number.
class ProfileDirectory
{
public:
    static SettingsRecord recordOf(const std::string& name)
    {
        SettingsRecord::Bytes bytes{};
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>(name[i % name.size()] * 31 + i);
        return SettingsRecord(bytes);
    }

    std::string file(const std::string& name) const { return m_directory.file(name); }
    std::string path() const { return m_directory.path().string(); }
    PosixAtomicFileWriter& writer() { return m_writer; }

    void writeText(const std::string& name, const std::string& text)
    {
        writeBytes(file(name), std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    // The pair of files of one profile, at number `number`.
    void writeProfile(std::size_t number, const std::string& name)
    {
        const ProfileFile::Bytes bytes = ProfileFile::serialize(recordOf(name));
        writeBytes(file("config" + std::to_string(number) + ".bin"),
                   std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        writeText("str" + std::to_string(number) + ".ini",
                  "[Skins]\nLan=EN\nPath=Default\nRColor=200\nGColor=210\nBColor=220\n"
                  "[Setting-EN]\nItem1=" +
                      name + "\n[Setting-CHS]\nItem1=左键\n");
    }

    // str.ini with the list, its files, and the defaults str.ini also holds.
    void writeProfiles(const std::vector<std::string>& names, const std::string& current)
    {
        std::string list = "[Skins]\nPath=Default\n[Profile]\nCurProfileName=" + current +
                           "\nItemCount=" + std::to_string(names.size()) + "\n";
        for (std::size_t i = 0; i < names.size(); ++i) {
            list += "Item" + std::to_string(i) + "=" + names[i] + "\n";
            writeProfile(i, names[i]);
        }
        writeText("str.ini", list + "[Setting-EN]\nItem1=Default\n");
    }

    // The profiles at numbers 0 to 6, in order, "" for a free number (trailing free
    // numbers left out).
    std::vector<std::string> pairs() const
    {
        std::vector<std::string> names;
        for (std::size_t i = 0; i <= 6; ++i)
            names.push_back(
                ownerOf("config" + std::to_string(i) + ".bin", "str" + std::to_string(i) + ".ini"));
        while (!names.empty() && names.back().empty())
            names.pop_back();
        return names;
    }
    // Whose files were moved aside from number `number`.
    std::string backupAt(std::size_t number) const
    {
        return ownerOf("config" + std::to_string(number) + ".bin.bak",
                       "str" + std::to_string(number) + ".ini.bak");
    }

    // Every file of the folder with its bytes, to show that nothing changed.
    std::map<std::string, std::vector<std::uint8_t>> snapshot() const
    {
        std::map<std::string, std::vector<std::uint8_t>> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_directory.path()))
            if (entry.is_regular_file())
                files[entry.path().filename().string()] = readBytes(entry.path().string());
        return files;
    }

    // The list as the store reads it.
    IniDocument list() const
    {
        return IniDocument::parse(std::string_view(readText(file("str.ini"))));
    }

private:
    // The profile the two files belong to: "" when neither exists, "<mixed>" when they do
    // not belong to one profile.
    std::string ownerOf(const std::string& binName, const std::string& iniName) const
    {
        const std::string bin = file(binName);
        const std::string ini = file(iniName);
        const bool hasBin = std::filesystem::exists(bin);
        const bool hasIni = std::filesystem::exists(ini);
        if (!hasBin && !hasIni)
            return "";
        if (!hasBin || !hasIni)
            return "<mixed>";
        const std::string name = IniDocument::parse(std::string_view(readText(ini)))
                                     .readString("Setting-EN", "Item1", "");
        const ProfileFile::Bytes expected = ProfileFile::serialize(recordOf(name));
        if (readBytes(bin) != std::vector<std::uint8_t>(expected.begin(), expected.end()))
            return "<mixed>";
        return name;
    }

    TemporaryDirectory m_directory;
    PosixAtomicFileWriter m_writer;
};

} // namespace volantra::test
