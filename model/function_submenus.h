#pragma once

#include "common/language.h"
#include "model/button_function.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace volantra {

// The entries of the five submenus of a button's function list, in menu order, with the
// parameter byte each entry stores in the profile. The menus show them and the encoder
// reads them, so both agree on what an entry means.

// "Scroll Select": the text is a key of the language tables.
struct ScrollChoice
{
    std::string_view languageKey;
    std::uint8_t value;
};

inline constexpr std::array<ScrollChoice, 3> kScrollChoices{{
    {"Mouse M Button", 1},
    {"Mouse Scroll Up", 2},
    {"Mouse Scroll Down", 3},
}};

// "CPI Cycle": the same text in every language.
struct DpiChoice
{
    std::string_view text;
    std::uint8_t value;
};

inline constexpr std::array<DpiChoice, 3> kDpiChoices{{
    {"DPI +", 1},
    {"DPI -", 2},
    {"DPI Loop", 3},
}};

// "Multimedia": the stored byte is the low byte of a consumer-control usage.
struct MultimediaChoice
{
    LocalizedText text;
    std::uint8_t usage;
};

inline constexpr std::array<MultimediaChoice, 8> kMultimediaChoices{{
    {{"Media player", "多媒体播放器", "多媒體播放器"}, 0x83},
    {{"Next Track", "下一首", "下一首"}, 0xB5},
    {{"Pre Track", "上一首", "上一首"}, 0xB6},
    {{"Stop", "停止", "停止"}, 0xB7},
    {{"Play/Pause", "播放/暂停", "播放/暫停"}, 0xCD},
    {{"Mute", "静音", "靜音"}, 0xE2},
    {{"Volume Up", "音量+", "音量+"}, 0xE9},
    {{"Volume Down", "音量-", "音量-"}, 0xEA},
}};

// The one multimedia usage that lives on the consumer page's second 256 (0x0183).
inline constexpr std::uint8_t kMediaPlayerUsage = 0x83;

// "HotKey": the stored byte is the keyboard usage of the letter pressed with left Ctrl.
struct HotKeyChoice
{
    LocalizedText text;
    std::uint8_t usage;
};

inline constexpr std::array<HotKeyChoice, 10> kHotKeyChoices{{
    {{"New", "新建", "新建"}, 0x11},
    {{"Cut", "剪切", "剪切"}, 0x1B},
    {{"Copy", "复制", "複製"}, 0x06},
    {{"Paste", "粘贴", "粘貼"}, 0x19},
    {{"Save", "保存", "保存"}, 0x16},
    {{"Print", "打印", "列印"}, 0x13},
    {{"Find", "查找", "查找"}, 0x09},
    {{"Redo", "重复", "重複"}, 0x1C},
    {{"Undo", "撤销", "撤銷"}, 0x1D},
    {{"Select All", "全选", "全選"}, 0x04},
}};

// "Windows": the stored byte is the entry's position; each entry has a fixed code.
struct WindowsChoice
{
    LocalizedText text;
    ButtonFunctionCode code;
};

inline constexpr std::array<WindowsChoice, 7> kWindowsChoices{{
    {{"My computer", "我的电脑", "我的電腦"}, {{0x03, 0x00, 0x94, 0x01}}},
    {{"Browser-Home", "浏览器-主页", "瀏覽器-主頁"}, {{0x03, 0x00, 0x23, 0x02}}},
    {{"Search", "搜索", "搜索"}, {{0x03, 0x00, 0x21, 0x02}}},
    // Alt+Space opens the window menu; X and N pick maximise and minimise.
    {{"Maximum", "最大化", "最大化"}, {{0x00, 0x04, 0x2C, 0x1B}}},
    {{"Minimum", "最小化", "最小化"}, {{0x00, 0x04, 0x2C, 0x11}}},
    // The left Windows key sent as a key, then D or R.
    {{"Show desktop", "显示桌面", "顯示桌面"}, {{0x00, 0x00, 0xE3, 0x07}}},
    {{"Run", "运行", "運行"}, {{0x00, 0x00, 0xE3, 0x15}}},
}};

} // namespace volantra
