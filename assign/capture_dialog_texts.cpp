#include "assign/capture_dialog_texts.h"

#include <array>

namespace volantra {
namespace {

constexpr LocalizedText kOk{"OK", "确定", "確定"};
// The single-key and macro dialogs have always spelt it this way.
constexpr LocalizedText kOkMixedCase{"Ok", "确定", "確定"};
constexpr LocalizedText kCancel{"Cancel", "取消", "取消"};

constexpr LocalizedText kEnterKey{"Please enter a key", "请输入一个按键", "請輸入一個按鍵"};
constexpr LocalizedText kCannotAssign{"This key cannot be assigned", "此按键无法指定",
                                      "此按鍵無法指定"};
constexpr LocalizedText kSelectMacro{"Please select a macro", "请从列表框选择一个宏",
                                     "請從清單方塊選擇一個巨集"};
constexpr LocalizedText kNoMacros{"There is no macro to choose", "没有可选择的宏",
                                  "沒有可選擇的巨集"};
constexpr LocalizedText kDesktopKeys{
    "Keys the desktop keeps (Super, Print, Alt+Tab) do not reach this window",
    "桌面保留的按键（Super、Print、Alt+Tab）不会传到此窗口",
    "桌面保留的按鍵（Super、Print、Alt+Tab）不會傳到此視窗"};

constexpr std::array<LocalizedText, kRepeatModeCount> kRepeatModes{{
    {"Repeat a specified number of times or press any key to end", "重复指定次数或按任意键结束",
     "重複指定次數或按任意鍵結束"},
    {"Repeat until press any key to end", "重复直到按任意键结束", "重複直到按任意鍵結束"},
    {"Repeat until the key is released", "重复直到该按键松开结束", "重複直到該按鍵鬆開結束"},
}};

} // namespace

CaptureDialogLook captureDialogLook(CaptureDialogKind dialog, Language language)
{
    const LocalizedText& ok = dialog == CaptureDialogKind::ComboKey ? kOk : kOkMixedCase;
    CaptureDialogLook look{ok.in(language), kCancel.in(language), {}, 0};
    switch (language) {
    case Language::SimplifiedChinese:
        look.fontFace = "黑体";
        look.fontHeight = 13;
        break;
    case Language::TraditionalChinese:
        look.fontFace = "黑体";
        look.fontHeight = 14;
        break;
    case Language::English:
        if (dialog == CaptureDialogKind::SingleKey) {
            look.fontFace = "Segoe UI";
            look.fontHeight = 15;
        } else {
            look.fontFace = "Arial";
            look.fontHeight = 14;
        }
        break;
    }
    return look;
}

std::string_view captureDialogBackground(CaptureDialogKind dialog)
{
    switch (dialog) {
    case CaptureDialogKind::SingleKey:
        return "/single-key.png";
    case CaptureDialogKind::ComboKey:
        return "/combo-key.png";
    case CaptureDialogKind::MacroKey:
        break;
    }
    return "/macro-key.png";
}

std::string_view missingBackgroundCaption(CaptureDialogKind dialog)
{
    switch (dialog) {
    case CaptureDialogKind::SingleKey:
        return "Single Key Dialog Load background image failed!!!";
    case CaptureDialogKind::ComboKey:
        return "Combo Dialog Load background image failed!!!";
    case CaptureDialogKind::MacroKey:
        break;
    }
    return "Macro Key Dialog Load background image failed!!!";
}

std::string_view capturePromptText(CapturePrompt prompt, Language language)
{
    switch (prompt) {
    case CapturePrompt::None:
        return {};
    case CapturePrompt::EnterKey:
        return kEnterKey.in(language);
    case CapturePrompt::CannotAssign:
        return kCannotAssign.in(language);
    case CapturePrompt::SelectMacro:
        return kSelectMacro.in(language);
    case CapturePrompt::NoMacros:
        break;
    }
    return kNoMacros.in(language);
}

std::string_view desktopKeysNote(Language language)
{
    return kDesktopKeys.in(language);
}

std::string_view repeatModeText(std::uint8_t mode, Language language)
{
    if (mode >= kRepeatModes.size())
        return {};
    return kRepeatModes[mode].in(language);
}

} // namespace volantra
