#include "cli/profile_commands_cli.h"

#include "cli/cli_context.h"
#include "cli/json.h"
#include "cli/terminal_text.h"
#include "common/text.h"
#include "model/button_function.h"
#include "model/data_directory.h"
#include "model/function_submenus.h"
#include "model/ini_file.h"
#include "model/profile_list.h"
#include "model/setting_rules.h"
#include "platform/posix_atomic_file_writer.h"
#include "platform/posix_folder_lock.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <iterator>
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

// The values each setting of `set` takes are the record's rules, which the window's
// sections follow too. The checks below and `help set` both read them, so the help can
// never promise other values than the checks accept.
using namespace setting_rules;

// Settings of one number in a range.
struct SimpleSetting
{
    const char* key;
    const char* argument;
    ValueRange range;
    void (SettingsRecord::*set)(std::uint8_t);
};
constexpr SimpleSetting kSimpleSettings[] = {
    {"lighting", "MODE", kLightingModes, &SettingsRecord::setLightingMode},
    {"angle-snap", "N", kAngleSnapLevels, &SettingsRecord::setAngleSnapLevel},
    {"pointer-speed", "N", kSpeedDials, &SettingsRecord::setPointerSpeed},
    {"double-click", "N", kSpeedDials, &SettingsRecord::setDoubleClickSpeed},
    {"scroll-lines", "N", kScrollLines, &SettingsRecord::setWheelScrollLines},
};

// Settings of one of two words: the first is stored as 0 / off, the second as 1 / on.
struct TwoWordSetting
{
    const char* key;
    const char* argument;
    const char* off;
    const char* on;
};
constexpr TwoWordSetting kScrollMode{"scroll-mode", "MODE", "lines", "screen"};
constexpr TwoWordSetting kPrecision{"precision", "STATE", "off", "on"};

std::string text(ValueRange range)
{
    return std::to_string(range.lowest) + " to " + std::to_string(range.highest);
}

// "125, 250, 500 or 1000": slowest first, as users count them.
std::string rateList()
{
    std::string list;
    for (auto rate = kReportRates.rbegin(); rate != kReportRates.rend(); ++rate)
        list += (rate == kReportRates.rbegin()     ? ""
                 : rate + 1 == kReportRates.rend() ? " or "
                                                   : ", ") +
                std::to_string(rate->reportsPerSecond);
    return list;
}

// A whole decimal number between the range's ends, or an error naming the setting.
Result<int> number(const std::string& what, const std::string& text, ValueRange range)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < range.lowest ||
        value > range.highest)
        return badValue(what + " must be " + volantra::text(range) + ", not \"" + text + "\"");
    return value;
}

std::string quoted(std::string_view name)
{
    // Built by appending: GCC 12 at -O3 warns falsely (-Wrestrict) about "\"" + string.
    std::string text(1, '"');
    text.append(name).push_back('"');
    return text;
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

// The texts of a submenu function's choices in menu order, as the assignment menu shows
// them; empty for a function without a submenu.
std::vector<LocalizedText> choiceTexts(ButtonFunctionKind kind)
{
    std::vector<LocalizedText> texts;
    const auto add = [&](const auto& entries, auto textOf) {
        for (const auto& entry : entries)
            texts.push_back(textOf(entry));
    };
    switch (kind) {
    case ButtonFunctionKind::ScrollSelect:
        add(kScrollChoices, [](const ScrollChoice& c) {
            return LocalizedText{c.languageKey, c.languageKey, c.languageKey};
        });
        break;
    case ButtonFunctionKind::DpiCycle:
        add(kDpiChoices, [](const DpiChoice& c) { return LocalizedText{c.text, c.text, c.text}; });
        break;
    case ButtonFunctionKind::Multimedia:
        add(kMultimediaChoices, [](const MultimediaChoice& c) { return c.text; });
        break;
    case ButtonFunctionKind::HotKey:
        add(kHotKeyChoices, [](const HotKeyChoice& c) { return c.text; });
        break;
    case ButtonFunctionKind::Windows:
        add(kWindowsChoices, [](const WindowsChoice& c) { return c.text; });
        break;
    default:
        break;
    }
    return texts;
}

// Stores the choice at index of a submenu function's menu in the button.
void setChoice(ButtonParameters& button, ButtonFunctionKind kind, std::size_t index)
{
    switch (kind) {
    case ButtonFunctionKind::ScrollSelect:
        button.scrollChoice = kScrollChoices[index].value;
        break;
    case ButtonFunctionKind::DpiCycle:
        button.dpiChoice = kDpiChoices[index].value;
        break;
    case ButtonFunctionKind::Multimedia:
        button.multimediaUsage = kMultimediaChoices[index].usage;
        break;
    case ButtonFunctionKind::HotKey:
        button.hotKeyUsage = kHotKeyChoices[index].usage;
        break;
    case ButtonFunctionKind::Windows:
        button.windowsChoice = static_cast<std::uint8_t>(index);
        break;
    default:
        break;
    }
}

// "button N FUNCTION [CHOICE]": the functions of the assignment menu that need no capture
// dialog. The label is what the menu would show.
Status setButton(CurrentProfile& profile, const std::vector<std::string>& values)
{
    if (values.size() < 2 || values.size() > 3)
        return badValue("button takes N FUNCTION [CHOICE]");
    Result<int> n = number("the button", values[0], kButtonNumbers);
    if (!n)
        return n.error();
    const auto entry = std::find_if(
        kButtonFunctionCatalogue.begin(), kButtonFunctionCatalogue.end(),
        [&](const ButtonFunctionEntry& e) { return equalIgnoringCase(e.englishName, values[1]); });
    if (entry == kButtonFunctionCatalogue.end())
        return badValue("no button function " + quoted(values[1]));
    const bool needsChoice = entry->style == ChoiceStyle::Submenu;
    if (entry->style == ChoiceStyle::Dialog)
        return badValue(quoted(entry->englishName) + " cannot be set from the command line yet");
    if (needsChoice != (values.size() == 3))
        return badValue(quoted(entry->englishName) + " " +
                        (needsChoice ? "needs a choice" : "takes no choice"));

    const std::size_t index = static_cast<std::size_t>(*n - 1);
    ButtonParameters button = profile.record.button(index);
    button.kind = static_cast<std::uint8_t>(entry->kind);
    std::string label(entry->englishName);
    if (needsChoice) {
        const std::vector<LocalizedText> choices = choiceTexts(entry->kind);
        const auto choice =
            std::find_if(choices.begin(), choices.end(), [&](const LocalizedText& t) {
                return equalIgnoringCase(t.english, values[2]);
            });
        if (choice == choices.end())
            return badValue(quoted(entry->englishName) + " has no choice " + quoted(values[2]));
        setChoice(button, entry->kind, static_cast<std::size_t>(choice - choices.begin()));
        label = std::string(choice->in(profile.store->language()));
    }

    SettingsRecord changed = profile.record;
    changed.setButton(index, button);
    if (!keepsLeftClick(changed))
        return badValue(kLeftClickMessage);
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
    for (const SimpleSetting& simple : kSimpleSettings) {
        if (key != simple.key)
            continue;
        if (Status s = expect(1); !s)
            return s;
        Result<int> value = number(key, values[0], simple.range);
        if (!value)
            return value.error();
        (record.*simple.set)(static_cast<std::uint8_t>(*value));
        return {};
    }

    if (key == "dpi") {
        if (Status s = expect(2); !s)
            return s;
        Result<int> stage = number("the DPI stage", values[0], kDpiStageNumbers);
        if (!stage)
            return stage.error();
        Result<int> dpi = number("dpi", values[1], kDpi);
        if (!dpi)
            return dpi.error();
        if (!kDpi.holds(*dpi))
            return badValue("dpi goes in steps of " + std::to_string(kDpi.step) + ", not " +
                            values[1]);
        record.setDpiStage(static_cast<std::size_t>(*stage - 1),
                           static_cast<std::uint8_t>(*dpi / kDpiPerStep));
        return {};
    }
    if (key == "color") {
        if (Status s = expect(2); !s)
            return s;
        Result<int> stage = number("the DPI stage", values[0], kDpiStageNumbers);
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
        for (const ReportRate& rate : kReportRates) {
            if (values[0] == std::to_string(rate.reportsPerSecond)) {
                record.setReportInterval(rate.interval);
                return {};
            }
        }
        return badValue("rate must be " + rateList() + ", not \"" + values[0] + "\"");
    }
    if (key == "lighting-level") {
        if (Status s = expect(2); !s)
            return s;
        Result<int> n = number("the lighting level", values[0], kLightingLevelNumbers);
        if (!n)
            return n.error();
        Result<int> level = number("lighting-level", values[1], kLightingLevels);
        if (!level)
            return level.error();
        record.setLightingLevel(static_cast<std::size_t>(*n - 1),
                                static_cast<std::uint8_t>(*level));
        return {};
    }
    if (key == "sensitivity") {
        if (Status s = expect(2); !s)
            return s;
        Result<int> x = number("X sensitivity", values[0], kSensitivityLevels);
        if (!x)
            return x.error();
        Result<int> y = number("Y sensitivity", values[1], kSensitivityLevels);
        if (!y)
            return y.error();
        record.setXSensitivity(static_cast<std::uint8_t>(*x));
        record.setYSensitivity(static_cast<std::uint8_t>(*y));
        return {};
    }
    for (const TwoWordSetting* words : {&kScrollMode, &kPrecision}) {
        if (key != words->key)
            continue;
        if (Status s = expect(1); !s)
            return s;
        if (values[0] != words->off && values[0] != words->on)
            return badValue(key + " must be " + words->off + " or " + words->on + ", not \"" +
                            values[0] + "\"");
        const bool on = values[0] == words->on;
        if (words == &kScrollMode)
            record.setScrollMode(on ? kScrollByScreen : kScrollByLines);
        else
            record.setEnhancePointerPrecision(on);
        return {};
    }
    if (key == "button")
        return setButton(profile, values);
    return badValue("unknown setting " + key + " (volantra-cli help set lists them)");
}

// One line of `help set`: the key with its arguments, then what they may be.
void printKey(std::ostream& out, const std::string& usage, const std::string& values)
{
    constexpr std::size_t kColumn = 30;
    out << "  " << usage << std::string(usage.size() < kColumn ? kColumn - usage.size() : 1, ' ')
        << values << "\n";
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
    profile.store->setLanguage(languageFromCode(profile.store->readLanguageCode()));
    if (Status read = profile.store->readProfileIni(); !read)
        return read.error();
    return profile;
}

EditingSession editingSessionFor(CurrentProfile& profile, DeviceLink* link,
                                 PointerSettings* desktop)
{
    return EditingSession({profile.record, *profile.store, link, {}, desktop});
}

void printSetKeys(std::ostream& out)
{
    out << "keys:\n";
    printKey(out, "dpi STAGE VALUE",
             "STAGE " + text(kDpiStageNumbers) + "; VALUE " + text(kDpi) + " in steps of " +
                 std::to_string(kDpi.step));
    printKey(out, "color STAGE #RRGGBB",
             "STAGE " + text(kDpiStageNumbers) + "; RRGGBB in hexadecimal");
    printKey(out, "rate RATE", "reports a second: " + rateList());
    for (const SimpleSetting& simple : kSimpleSettings)
        printKey(out, std::string(simple.key) + " " + simple.argument, text(simple.range));
    printKey(out, "lighting-level N VALUE",
             "N " + text(kLightingLevelNumbers) + "; VALUE " + text(kLightingLevels));
    printKey(out, "sensitivity X Y", text(kSensitivityLevels) + " each");
    for (const TwoWordSetting* words : {&kScrollMode, &kPrecision})
        printKey(out, std::string(words->key) + " " + words->argument,
                 std::string(words->off) + " or " + words->on);
    printKey(out, "button N FUNCTION [CHOICE]",
             "N " + text(kButtonNumbers) + "; FUNCTION and CHOICE as in the menu:");
    std::string windowOnly;
    for (const ButtonFunctionEntry& entry : kButtonFunctionCatalogue) {
        if (entry.style == ChoiceStyle::Dialog) {
            windowOnly += (windowOnly.empty() ? "" : ", ") + std::string(entry.englishName);
            continue;
        }
        // The choices follow the function's name, wrapped to 80 columns.
        std::string line = "      " + std::string(entry.englishName);
        const std::vector<LocalizedText> choices = choiceTexts(entry.kind);
        for (std::size_t i = 0; i < choices.size(); ++i) {
            const std::string item =
                std::string(choices[i].english) + (i + 1 < choices.size() ? "," : "");
            if (line.size() + 1 + item.size() > 80) {
                out << line << "\n";
                line = "        ";
            } else if (i > 0) {
                line += ' ';
            }
            line += (i == 0 ? ": " : "") + item;
        }
        out << line << "\n";
    }
    out << "    (names are matched without regard to case; quote those with spaces;\n"
        << "    " << windowOnly << " are set in the window)\n";
}

int runSet(CliContext& context, const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return context.usageError("set needs KEY VALUE... (volantra-cli help set lists the keys)");
    Result<CurrentProfile> profile = loadCurrentProfile(context, ProfileAccess::Change);
    if (!profile)
        return context.fail(profile.error());
    const std::vector<std::string> values(arguments.begin() + 1, arguments.end());
    if (Status changed = applySetting(*profile, arguments[0], values); !changed)
        return context.fail(changed.error(), kExitUsage);
    if (Status saved = editingSessionFor(*profile).saveWithoutSending(); !saved)
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
        editingSessionFor(*profile).exportProfile({files[0], force, force});
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
    EditingSession editing = editingSessionFor(*profile);
    if (Status imported = editing.importProfile(arguments[0]); !imported)
        return usageOrFailure(context, imported.error());
    // Without the window there is no later Apply to save it, so the import is saved now.
    if (Status saved = editing.saveWithoutSending(); !saved)
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
    EditingSession editing = editingSessionFor(*profile);
    if (Status reset = editing.reset(); !reset)
        return context.fail(reset.error());
    // Without the window there is no later Apply to save it, so the reset is saved now.
    if (Status saved = editing.saveWithoutSending(); !saved)
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
    if (use) {
        const Status chosen = EditingSession::chooseProfile(path, writer, arguments[1]);
        if (!chosen && chosen.error().kind == Error::Kind::InvalidInput)
            return context.usageError(chosen.error().message);
        return chosen ? kExitOk : context.fail(chosen.error());
    }
    Result<IniFile> ini = IniFile::load(path, writer);
    if (!ini)
        return context.fail(ini.error());
    const ProfileList list = ProfileList::read(ini->document());
    if (!list.isUsable())
        return context.fail(Error{Error::Kind::NotFound, path + ": no profile list (ItemCount " +
                                                             std::to_string(list.declaredCount()) +
                                                             ")"});

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
