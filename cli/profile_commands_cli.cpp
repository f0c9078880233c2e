#include "cli/profile_commands_cli.h"

#include "app/default_item_names.h"
#include "assign/button_function.h"
#include "assign/function_submenus.h"
#include "cli/cli_context.h"
#include "cli/json.h"
#include "cli/terminal_text.h"
#include "model/data_directory.h"
#include "model/ini_file.h"
#include "model/profile_list.h"
#include "platform/posix_atomic_file_writer.h"
#include "platform/posix_folder_lock.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <optional>
#include <ostream>

namespace volantra {
namespace {

// How long a command waits for the window or another volantra-cli to finish its change.
constexpr std::chrono::seconds kLockWait{5};

Error badValue(const std::string& message)
{
    return Error{Error::Kind::InvalidInput, message};
}

// A whole decimal number within [low, high], or an error naming the setting.
Result<int> number(const std::string& what, const std::string& text, int low, int high)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < low || value > high)
        return badValue(what + " must be " + std::to_string(low) + " to " + std::to_string(high) +
                        ", not \"" + text + "\"");
    return value;
}

bool sameText(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

Result<StageColour> colour(const std::string& text)
{
    if (text.size() != 7 || text[0] != '#' ||
        !std::all_of(text.begin() + 1, text.end(), [](char c) { return std::isxdigit(c); }))
        return badValue("a colour is written #RRGGBB, not \"" + text + "\"");
    const auto channel = [&](std::size_t at) {
        return static_cast<std::uint8_t>(std::stoi(text.substr(at, 2), nullptr, 16));
    };
    return StageColour{channel(1), channel(3), channel(5)};
}

// The choice of a submenu function by its text; its value and label.
struct Choice
{
    std::uint8_t value;
    std::string label;
};

template <typename Entries, typename TextOf>
std::optional<Choice> findChoice(const Entries& entries, const std::string& name, TextOf textOf,
                                 Language language)
{
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const LocalizedText text = textOf(entries[i]);
        if (sameText(text.english, name))
            return Choice{static_cast<std::uint8_t>(i), std::string(text.in(language))};
    }
    return std::nullopt;
}

// "button N FUNCTION [CHOICE]": the functions of the assignment menu that need no capture
// dialog. The label is what the menu would show.
Status setButton(CurrentProfile& profile, const std::vector<std::string>& values)
{
    if (values.size() < 2 || values.size() > 3)
        return badValue("button takes N FUNCTION [CHOICE]");
    Result<int> n = number("the button", values[0], 1, 8);
    if (!n)
        return n.error();
    const auto entry = std::find_if(
        kButtonFunctionCatalogue.begin(), kButtonFunctionCatalogue.end(),
        [&](const ButtonFunctionEntry& e) { return sameText(e.englishName, values[1]); });
    if (entry == kButtonFunctionCatalogue.end())
        return badValue("no button function \"" + values[1] + "\"");
    const bool needsChoice = entry->style == ChoiceStyle::Submenu;
    if (entry->style == ChoiceStyle::Dialog)
        return badValue("\"" + std::string(entry->englishName) +
                        "\" cannot be set from the command line yet");
    if (needsChoice != (values.size() == 3))
        return badValue("\"" + std::string(entry->englishName) + "\" " +
                        (needsChoice ? "needs a choice" : "takes no choice"));

    const Language language = profile.store->language();
    const std::size_t index = static_cast<std::size_t>(*n - 1);
    ButtonParameters button = profile.record.button(index);
    button.kind = static_cast<std::uint8_t>(entry->kind);
    std::string label(entry->englishName);
    if (needsChoice) {
        const std::string& name = values[2];
        std::optional<Choice> choice;
        switch (entry->kind) {
        case ButtonFunctionKind::ScrollSelect:
            choice = findChoice(
                kScrollChoices, name,
                [](const ScrollChoice& c) {
                    return LocalizedText{c.languageKey, c.languageKey, c.languageKey};
                },
                language);
            if (choice)
                button.scrollChoice = kScrollChoices[choice->value].value;
            break;
        case ButtonFunctionKind::DpiCycle:
            choice = findChoice(
                kDpiChoices, name,
                [](const DpiChoice& c) {
                    return LocalizedText{c.text, c.text, c.text};
                },
                language);
            if (choice)
                button.dpiChoice = kDpiChoices[choice->value].value;
            break;
        case ButtonFunctionKind::Multimedia:
            choice = findChoice(
                kMultimediaChoices, name, [](const MultimediaChoice& c) { return c.text; },
                language);
            if (choice)
                button.multimediaUsage = kMultimediaChoices[choice->value].usage;
            break;
        case ButtonFunctionKind::HotKey:
            choice = findChoice(
                kHotKeyChoices, name, [](const HotKeyChoice& c) { return c.text; }, language);
            if (choice)
                button.hotKeyUsage = kHotKeyChoices[choice->value].usage;
            break;
        case ButtonFunctionKind::Windows:
            choice = findChoice(
                kWindowsChoices, name, [](const WindowsChoice& c) { return c.text; }, language);
            if (choice)
                button.windowsChoice = choice->value;
            break;
        default:
            break;
        }
        if (!choice)
            return badValue("\"" + std::string(entry->englishName) + "\" has no choice \"" + name +
                            "\"");
        label = choice->label;
    }

    SettingsRecord changed = profile.record;
    changed.setButton(index, button);
    bool leftClick = false;
    for (std::size_t i = 0; i < SettingsRecord::kButtonCount; ++i)
        leftClick = leftClick ||
                    changed.buttonKind(i) == static_cast<std::uint8_t>(ButtonFunctionKind::Click);
    if (!leftClick)
        return badValue("Left key must be selected!");
    profile.record = changed;
    profile.store->setItemName(index, label);
    return {};
}

// Applies one "set" to the record in memory; nothing is saved when it fails.
Status applySetting(CurrentProfile& profile, const std::string& key,
                    const std::vector<std::string>& values)
{
    SettingsRecord& record = profile.record;
    const auto expect = [&](std::size_t count) -> Status {
        if (values.size() != count)
            return badValue(key + " takes " + std::to_string(count) +
                            (count == 1 ? " value" : " values"));
        return {};
    };
    // Settings of one number in a range.
    struct Simple
    {
        const char* key;
        int low;
        int high;
        void (SettingsRecord::*set)(std::uint8_t);
    };
    static const Simple kSimple[] = {
        {"lighting", 0, 3, &SettingsRecord::setLightingMode},
        {"angle-snap", 1, 10, &SettingsRecord::setAngleSnapLevel},
        {"pointer-speed", 1, 12, &SettingsRecord::setPointerSpeed},
        {"double-click", 1, 12, &SettingsRecord::setDoubleClickSpeed},
        {"scroll-lines", 1, 100, &SettingsRecord::setWheelScrollLines},
    };
    for (const Simple& simple : kSimple) {
        if (key != simple.key)
            continue;
        if (Status s = expect(1); !s)
            return s;
        Result<int> value = number(key, values[0], simple.low, simple.high);
        if (!value)
            return value.error();
        (record.*simple.set)(static_cast<std::uint8_t>(*value));
        return {};
    }

    if (key == "dpi") {
        if (Status s = expect(2); !s)
            return s;
        Result<int> stage = number("the DPI stage", values[0], 1, 4);
        if (!stage)
            return stage.error();
        Result<int> dpi = number("dpi", values[1], 100, 5000);
        if (!dpi)
            return dpi.error();
        if (*dpi % 50 != 0)
            return badValue("dpi goes in steps of 50, not " + values[1]);
        record.setDpiStage(static_cast<std::size_t>(*stage - 1),
                           static_cast<std::uint8_t>(*dpi / 50));
        return {};
    }
    if (key == "color") {
        if (Status s = expect(2); !s)
            return s;
        Result<int> stage = number("the DPI stage", values[0], 1, 4);
        if (!stage)
            return stage.error();
        Result<StageColour> value = colour(values[1]);
        if (!value)
            return value.error();
        record.setStageColour(static_cast<std::size_t>(*stage - 1), *value);
        return {};
    }
    if (key == "rate") {
        if (Status s = expect(1); !s)
            return s;
        // Reports a second to milliseconds between reports.
        const std::pair<const char*, std::uint8_t> kRates[] = {
            {"125", 8}, {"250", 4}, {"500", 2}, {"1000", 1}};
        for (const auto& [rate, interval] : kRates) {
            if (values[0] == rate) {
                record.setReportInterval(interval);
                return {};
            }
        }
        return badValue("rate must be 125, 250, 500 or 1000, not \"" + values[0] + "\"");
    }
    if (key == "lighting-level") {
        if (Status s = expect(2); !s)
            return s;
        Result<int> n = number("the lighting level", values[0], 1, 3);
        if (!n)
            return n.error();
        Result<int> level = number("lighting-level", values[1], 1, 6);
        if (!level)
            return level.error();
        record.setLightingLevel(static_cast<std::size_t>(*n - 1),
                                static_cast<std::uint8_t>(*level));
        return {};
    }
    if (key == "sensitivity") {
        if (Status s = expect(2); !s)
            return s;
        Result<int> x = number("X sensitivity", values[0], 1, 11);
        if (!x)
            return x.error();
        Result<int> y = number("Y sensitivity", values[1], 1, 11);
        if (!y)
            return y.error();
        record.setXSensitivity(static_cast<std::uint8_t>(*x));
        record.setYSensitivity(static_cast<std::uint8_t>(*y));
        return {};
    }
    if (key == "scroll-mode" || key == "precision") {
        if (Status s = expect(1); !s)
            return s;
        const bool scroll = key == "scroll-mode";
        const char* first = scroll ? "lines" : "on";
        const char* second = scroll ? "screen" : "off";
        if (values[0] != first && values[0] != second)
            return badValue(key + " must be " + first + " or " + second + ", not \"" + values[0] +
                            "\"");
        if (scroll)
            record.setScrollMode(values[0] == "screen" ? 1 : 0);
        else
            record.setEnhancePointerPrecision(values[0] == "on");
        return {};
    }
    if (key == "button")
        return setButton(profile, values);
    return badValue("unknown setting " + key);
}

int usageOrFailure(const CliContext& context, const Error& error)
{
    const bool usage =
        error.kind == Error::Kind::InvalidInput || error.kind == Error::Kind::NotFound;
    return context.fail(error, usage ? kExitUsage : kExitFailure);
}

} // namespace

Result<CurrentProfile> loadCurrentProfile(const CliContext& context, ProfileAccess access)
{
    const bool changes = access != ProfileAccess::Read;
    Result<DataDirectory> directory =
        context.dataDirectory(changes ? CliContext::Access::Change : CliContext::Access::Read);
    if (!directory)
        return directory.error();
    CurrentProfile profile;
    if (changes) {
        Result<std::unique_ptr<FolderLock>> lock =
            PosixFolderLocker().lock(directory->path(), kLockWait);
        if (!lock)
            return lock.error();
        profile.lock = std::move(*lock);
    }
    profile.writer = std::make_unique<PosixAtomicFileWriter>();
    profile.store = std::make_unique<ProfileStore>(directory->path(), *profile.writer);
    if (changes) {
        if (Status recovered = profile.store->recoverUnfinishedSave(); !recovered)
            return recovered.error();
    }
    if (Status loaded = profile.store->loadCurrentProfile(profile.record); !loaded) {
        // With a usable list the paths are known, and a damaged file there can be replaced.
        const bool repairable =
            access == ProfileAccess::Replace && profile.store->currentProfilePath();
        if (!repairable)
            return loaded.error();
    }
    profile.store->setLanguage(ProfileStore::languageFromCode(profile.store->readLanguageCode()));
    if (Status read = profile.store->readProfileIni(); !read)
        return read.error();
    return profile;
}

int runSet(CliContext& context, const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return context.usageError("set needs KEY VALUE...");
    Result<CurrentProfile> profile = loadCurrentProfile(context, ProfileAccess::Change);
    if (!profile)
        return context.fail(profile.error());
    const std::vector<std::string> values(arguments.begin() + 1, arguments.end());
    if (Status changed = applySetting(*profile, arguments[0], values); !changed)
        return context.fail(changed.error(), kExitUsage);
    if (Status saved = profile->store->saveProfile(profile->record); !saved)
        return context.fail(saved.error());
    return kExitOk;
}

int runExport(CliContext& context, const std::vector<std::string>& arguments)
{
    std::vector<std::string> files;
    bool force = false;
    for (const std::string& argument : arguments) {
        if (argument == "--force")
            force = true;
        else
            files.push_back(argument);
    }
    if (files.size() != 1)
        return context.usageError("export takes FILE.bin [--force]");
    Result<CurrentProfile> profile = loadCurrentProfile(context, ProfileAccess::Change);
    if (!profile)
        return context.fail(profile.error());
    Result<ProfileStore::ExportResult> exported =
        profile->store->exportProfile({files[0], force, force}, profile->record);
    if (!exported)
        return usageOrFailure(context, exported.error());
    if (exported->outcome == ProfileStore::ExportResult::Outcome::WouldReplace)
        return context.usageError("nothing exported: " + exported->existingCopy +
                                  " exists; choose another name, or use --force to replace it");
    return kExitOk;
}

int runImport(CliContext& context, const std::vector<std::string>& arguments)
{
    if (arguments.size() != 1)
        return context.usageError("import takes FILE.bin");
    Result<CurrentProfile> profile = loadCurrentProfile(context, ProfileAccess::Replace);
    if (!profile)
        return context.fail(profile.error());
    ProfileStore& store = *profile->store;
    if (Status imported = store.importProfile(arguments[0], profile->record); !imported)
        return usageOrFailure(context, imported.error());
    // Buttons without a name (no .ini came with the file) are named after their function.
    ProfileStore::ItemNames names = store.itemNames();
    fillDefaultItemNames(names, profile->record, LanguageTable::forLanguage(store.language()));
    store.setItemNames(names);
    if (Status saved = store.saveProfile(profile->record); !saved)
        return context.fail(saved.error());
    return kExitOk;
}

int runReset(CliContext& context, const std::vector<std::string>& arguments)
{
    if (!arguments.empty())
        return context.usageError("reset takes no arguments");
    Result<CurrentProfile> profile = loadCurrentProfile(context, ProfileAccess::Replace);
    if (!profile)
        return context.fail(profile.error());
    if (Status reset = profile->store->resetToDefaults(profile->record); !reset)
        return context.fail(reset.error());
    // Without the window there is no later Apply to save it, so the reset is saved now.
    if (Status saved = profile->store->saveProfile(profile->record); !saved)
        return context.fail(saved.error());
    return kExitOk;
}

int runProfiles(CliContext& context, const std::vector<std::string>& arguments)
{
    const bool use = !arguments.empty() && arguments[0] == "use";
    if (!(arguments.empty() || (use && arguments.size() == 2)))
        return context.usageError("profiles takes nothing or use NAME");
    Result<DataDirectory> directory =
        context.dataDirectory(use ? CliContext::Access::Change : CliContext::Access::Read);
    if (!directory)
        return context.fail(directory.error());
    std::unique_ptr<FolderLock> lock;
    if (use) {
        Result<std::unique_ptr<FolderLock>> locked =
            PosixFolderLocker().lock(directory->path(), kLockWait);
        if (!locked)
            return context.fail(locked.error());
        lock = std::move(*locked);
    }
    PosixAtomicFileWriter writer;
    const std::string path = directory->file(ProfileStore::kDefaultIniFile);
    Result<IniFile> ini = IniFile::load(path, writer);
    if (!ini)
        return context.fail(ini.error());
    const ProfileList list = ProfileList::read(ini->document());
    if (!list.isUsable())
        return context.fail(Error{Error::Kind::NotFound, path + ": no profile list (ItemCount " +
                                                             std::to_string(list.declaredCount()) +
                                                             ")"});
    if (use) {
        const std::string& name = arguments[1];
        if (std::find(list.names().begin(), list.names().end(), name) == list.names().end())
            return context.usageError(path + ": no profile named \"" + name + "\"");
        if (Status written =
                ini->writeString(ProfileList::kSection, ProfileList::kCurrentNameKey, name);
            !written)
            return context.fail(written.error());
        return kExitOk;
    }

    // Without a match the program keeps the first profile.
    const std::size_t current = list.currentIndex().value_or(0);
    if (context.json) {
        context.out << "{\"profiles\":[";
        for (std::size_t i = 0; i < list.names().size(); ++i)
            context.out << (i ? "," : "") << "{\"name\":" << jsonString(list.names()[i])
                        << ",\"index\":" << i
                        << ",\"current\":" << (i == current ? "true" : "false") << "}";
        context.out << "]}\n";
    } else {
        for (std::size_t i = 0; i < list.names().size(); ++i)
            context.out << (i == current ? "* " : "  ") << terminalSafe(list.names()[i]) << "\n";
    }
    return kExitOk;
}

} // namespace volantra
