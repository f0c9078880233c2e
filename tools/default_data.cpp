#include "tools/default_data.h"

#include "common/language.h"
#include "model/button_function.h"
#include "model/profile_file.h"
#include "model/profile_list.h"
#include "model/profile_store.h"

#include <array>
#include <filesystem>

namespace volantra {
namespace {

struct DefaultButton
{
    ButtonFunctionKind kind;
    std::uint8_t scrollChoice;
    std::uint8_t dpiChoice;
    LocalizedText label;
};

// A three-button mouse layout with the thumb buttons for back and forward and the top
// buttons for the DPI stages.
constexpr std::array<DefaultButton, SettingsRecord::kButtonCount> kButtons{{
    {ButtonFunctionKind::Click, 0, 0, {"Click", "左键", "左鍵"}},
    {ButtonFunctionKind::Menu, 0, 0, {"Menu", "右键", "右鍵"}},
    {ButtonFunctionKind::ScrollSelect, 1, 0, {"Mouse M Button", "中键", "中鍵"}},
    {ButtonFunctionKind::IeBackward, 0, 0, {"IE Backward", "后退", "後退"}},
    {ButtonFunctionKind::IeForward, 0, 0, {"IE Forward", "前进", "前進"}},
    {ButtonFunctionKind::DpiCycle, 0, 1, {"DPI +", "DPI +", "DPI +"}},
    {ButtonFunctionKind::DpiCycle, 0, 2, {"DPI -", "DPI -", "DPI -"}},
    {ButtonFunctionKind::DpiCycle, 0, 3, {"DPI Loop", "DPI Loop", "DPI Loop"}},
}};

// DPI divided by 50: 800, 1600, 2400 and 3200 DPI.
constexpr std::array<std::uint8_t, SettingsRecord::kDpiStageCount> kDpiStages{16, 32, 48, 64};
constexpr std::array<StageColour, SettingsRecord::kDpiStageCount> kStageColours{{
    {255, 0, 0},
    {0, 255, 0},
    {0, 0, 255},
    {255, 255, 0},
}};

constexpr std::uint8_t kReportInterval1000Hz = 1;
constexpr std::uint8_t kStandardLighting = 1;
constexpr std::uint8_t kMiddleLightingLevel = 3; // of 1 to 6; level 1 is lights off
constexpr std::uint8_t kMiddleSensitivity = 5;
constexpr std::uint8_t kAngleSnapOff = 1;
constexpr std::uint8_t kMiddleDial = 6; // of 1 to 12
constexpr std::uint8_t kScrollLines = 3;

// Light grey text (220, 220, 220): readable on the dark default skin, softer than white.
constexpr int kTextColour = 220;

} // namespace

SettingsRecord DefaultData::record()
{
    SettingsRecord record;
    record.setReportInterval(kReportInterval1000Hz);
    for (std::size_t i = 0; i < SettingsRecord::kDpiStageCount; ++i) {
        record.setDpiStage(i, kDpiStages[i]);
        record.setStageColour(i, kStageColours[i]);
    }
    record.setLightingMode(kStandardLighting);
    for (std::size_t i = 0; i < SettingsRecord::kLightingLevelCount; ++i)
        record.setLightingLevel(i, kMiddleLightingLevel);
    record.setEnhancePointerPrecision(true);
    record.setScrollMode(0);
    record.setPointerSpeed(kMiddleDial);
    record.setDoubleClickSpeed(kMiddleDial);
    record.setWheelScrollLines(kScrollLines);
    record.setAngleSnapLevel(kAngleSnapOff);
    record.setXSensitivity(kMiddleSensitivity);
    record.setYSensitivity(kMiddleSensitivity);
    for (std::size_t i = 0; i < SettingsRecord::kButtonCount; ++i) {
        ButtonParameters button;
        button.kind = static_cast<std::uint8_t>(kButtons[i].kind);
        button.scrollChoice = kButtons[i].scrollChoice;
        button.dpiChoice = kButtons[i].dpiChoice;
        record.setButton(i, button);
    }
    return record;
}

IniDocument DefaultData::profileIni(bool withProfileList)
{
    IniDocument ini;
    // The texts are constants that the INI rules accept, so the writes cannot fail.
    if (withProfileList) {
        (void)ini.writeString(ProfileList::kSection, ProfileList::kCurrentNameKey,
                              kFirstProfileName);
        (void)ini.writeString(ProfileList::kSection, ProfileList::kCountKey, "1");
        (void)ini.writeString(ProfileList::kSection, "Item0", kFirstProfileName);
    }
    for (Language language :
         {Language::English, Language::SimplifiedChinese, Language::TraditionalChinese}) {
        for (std::size_t i = 0; i < kButtons.size(); ++i)
            (void)ini.writeString(ProfileStore::itemSection(language),
                                  "Item" + std::to_string(i + 1), kButtons[i].label.in(language));
    }
    (void)ini.writeString(ProfileStore::kSkinsSection, "Lan", "EN");
    (void)ini.writeString(ProfileStore::kSkinsSection, "Path", "Default");
    for (const char* key : {"RColor", "GColor", "BColor"})
        (void)ini.writeString(ProfileStore::kSkinsSection, key, std::to_string(kTextColour));
    return ini;
}

Status DefaultData::writeTo(const std::string& directory, AtomicFileWriter& writer)
{
    const auto path = [&](const std::string& name) {
        return (std::filesystem::path(directory) / name).string();
    };
    // Delivered profiles carry the flag of a profile never saved.
    ProfileFile::Bytes profile = ProfileFile::serialize(record());
    profile[0] = 0;
    const std::vector<std::uint8_t> listIni = profileIni(true).serialize();
    const std::vector<std::uint8_t> namesIni = profileIni(false).serialize();

    if (Status s = writer.writeFile(path(ProfileStore::kDefaultProfileFile), profile); !s)
        return s;
    if (Status s = writer.writeFile(path(ProfileStore::kDefaultIniFile), listIni); !s)
        return s;
    for (std::uint8_t i = 0; i < ProfileList::kMaxProfiles; ++i) {
        if (Status s = writer.writeFile(path(ProfileStore::profileFileName(i)), profile); !s)
            return s;
        if (Status s = writer.writeFile(path(ProfileStore::profileIniName(i)), namesIni); !s)
            return s;
    }
    return {};
}

} // namespace volantra
