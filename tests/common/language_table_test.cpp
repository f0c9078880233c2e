#include "common/hex.h"
#include "common/language_table.h"
#include "model/button_function.h"
#include "model/function_submenus.h"
#include "model/profile_store.h"

#include <gtest/gtest.h>
#include <set>
#include <span>
#include <string>
#include <tuple>

namespace volantra {
namespace {

constexpr Language kLanguages[] = {Language::English, Language::SimplifiedChinese,
                                   Language::TraditionalChinese};

std::string utf8Hex(std::string_view text)
{
    return hexSpaced(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

TEST(LanguageTable, EveryEntryHasATextInEachLanguage)
{
    for (const LanguageEntry& entry : LanguageTable::entries()) {
        for (const Language language : kLanguages) {
            const LanguageTable& table = LanguageTable::forLanguage(language);
            EXPECT_EQ(table.language(), language);
            EXPECT_TRUE(table.contains(entry.text.english, entry.context)) << entry.text.english;
            EXPECT_FALSE(entry.text.in(language).empty()) << entry.text.english;
            EXPECT_EQ(table.text(entry.text.english, entry.context), entry.text.in(language))
                << entry.text.english;
        }
    }
}

TEST(LanguageTable, NoTwoEntriesShareTheirEnglishTextAndContext)
{
    std::set<std::tuple<TextContext, std::string_view>> seen;
    for (const LanguageEntry& entry : LanguageTable::entries())
        EXPECT_TRUE(seen.emplace(entry.context, entry.text.english).second) << entry.text.english;
}

// Only these read the same in every language; every other entry needs both translations,
// so an entry copied without its Chinese texts shows up here.
TEST(LanguageTable, ChineseTextsDifferFromEnglishExceptTheSharedOnes)
{
    const std::set<std::string_view> shared{
        "PROFILE 1", "PROFILE 2",    "PROFILE 3", "PROFILE 4",    "PROFILE 5",
        "PROFILE 6", "LOAD",         "SAVE",      "RESET",        "DPI Stage Color ",
        "PROFILE",   "Gaming Mouse", "DPI +",     "DPI -",        "DPI loop",
        "Shift",     "Windows",      "English",   "Version：1.0", "Update 驱动更新",
    };
    for (const LanguageEntry& entry : LanguageTable::entries()) {
        const LocalizedText& text = entry.text;
        if (shared.contains(text.english)) {
            EXPECT_EQ(text.simplifiedChinese, text.english);
            EXPECT_EQ(text.traditionalChinese, text.english);
        } else {
            EXPECT_NE(text.simplifiedChinese, text.english) << text.english;
            EXPECT_NE(text.traditionalChinese, text.english) << text.english;
        }
    }
}

TEST(LanguageTable, TextsKeptAsTheMousesUsersKnowThem)
{
    struct Case
    {
        std::string_view english;
        TextContext context;
        std::string_view simplified;
        std::string_view traditional;
    };
    const Case cases[] = {
        {"Gaming Mouse", TextContext::General, "Gaming Mouse", "Gaming Mouse"},
        {"OK", TextContext::General, "确定", "確定"},
        {"DPI Setting", TextContext::General, "DPI 设置", "DPI 設置"},
        {"Mouse Speed", TextContext::General, "鼠标速度", "滑鼠移動速度"},
        {"Mouse Speed", TextContext::MacroEditorGroup, "鼠标移动速度", "滑鼠移動速度"},
        {"DPI Dial Up", TextContext::General, "DPI 拨键上", "DPI 撥鍵上"},
        {"The number of rows", TextContext::General, "一次滚动行数", "一次滾動行數"},
        {"Speed", TextContext::General, "速度:请调整灯光显示速度", "速度"},
        {"Brightness", TextContext::General, "亮度:请调整灯光显示亮度", "亮度"},
        {"Default", TextContext::General, "按键恢复", "按鍵恢復"},
        {"Off", TextContext::General, "关闭模式", "關閉模式"},
        {"Non-Disolay", TextContext::General, "关闭", "關閉"},
        {"Standard", TextContext::General, "标准模式", "標準模式"},
        {"Respiration", TextContext::General, "呼吸模式", "呼吸模式"},
        {"Neon", TextContext::General, "霓虹模式", "霓虹模式"},
        {"Click", TextContext::General, "左键", "左鍵"},
        {"CPI Cycle", TextContext::General, "DPI切换", "DPI切換"},
        {"Macro Key", TextContext::General, "宏", "巨集"},
        {"Double Click", TextContext::General, "双击", "双击"},
        {"Switch DPI into the first stage ", TextContext::General, "DPI切换到第一段 ",
         "DPI切換到第一段 "},
        {"Switch report rate into 1000HZ", TextContext::General, "报告率切换到1000HZ",
         "報告率切換到1000HZ"},
        {"The system did not detect the gaming mouse!", TextContext::General,
         "系统没有检测到游戏鼠标！", "系統沒有檢測到遊戲滑鼠！"},
        {"Record Mouse Event", TextContext::General, "只录制键盘事件", "只錄製鍵盤事件"},
        {"It doesn’t start recording, unnecessary to press Stop key!", TextContext::General,
         "没有开始录制,点击停止录制按钮没有意义！", "沒有開始錄製，點擊停止錄製按鈕沒有意義！"},
        {"Key Press Sequence", TextContext::General, "按鍵序列", "按鍵序列"},
        {"Delete", TextContext::General, "刪除", "刪除"},
        {"Delete", TextContext::ProfileManager, "删除", "刪除"},
        {"Press Ctrl+Break key to stop recording", TextContext::General, "按 Ctrl+Break 停止录制",
         "按Ctrl+Break 停止錄製"},
        {"Macro numbers up to 12.", TextContext::General, "最多可以新建12个宏。",
         "最多可以新建12個巨集。"},
        {"Profile numbers up to 6.", TextContext::General, "最多可以存储6个配置。",
         "最多可以存儲6個配置。"},
    };
    const LanguageTable& english = LanguageTable::forLanguage(Language::English);
    const LanguageTable& simplified = LanguageTable::forLanguage(Language::SimplifiedChinese);
    const LanguageTable& traditional = LanguageTable::forLanguage(Language::TraditionalChinese);
    for (const Case& c : cases) {
        ASSERT_TRUE(english.contains(c.english, c.context)) << c.english;
        EXPECT_EQ(english.text(c.english, c.context), c.english);
        EXPECT_EQ(simplified.text(c.english, c.context), c.simplified) << c.english;
        EXPECT_EQ(traditional.text(c.english, c.context), c.traditional) << c.english;
    }
}

// The bytes the window draws, so a source file saved in another encoding shows up here.
TEST(LanguageTable, ChineseTextsAreUtf8)
{
    EXPECT_EQ(utf8Hex(LanguageTable::forLanguage(Language::SimplifiedChinese).text("OK")),
              "e7 a1 ae e5 ae 9a");
    EXPECT_EQ(utf8Hex(LanguageTable::forLanguage(Language::TraditionalChinese).text("Macro Key")),
              "e5 b7 a8 e9 9b 86");
    // "doesn’t" with the right single quotation mark, not an apostrophe.
    EXPECT_TRUE(LanguageTable::forLanguage(Language::English)
                    .contains("It doesn\u2019t start recording, unnecessary to press Stop key!"));
}

TEST(LanguageTable, LanguageCodesAreComparedExactly)
{
    struct Case
    {
        std::string_view code;
        Language language;
    };
    const Case cases[] = {
        {"CHS", Language::SimplifiedChinese},
        {"CHT", Language::TraditionalChinese},
        {"chs", Language::English},
        {"CHS ", Language::English},
        {"", Language::English},
        {"EN", Language::English},
    };
    for (const Case& c : cases) {
        const LanguageTable& table = LanguageTable::forCode(c.code);
        EXPECT_EQ(table.language(), c.language) << c.code;
        EXPECT_EQ(&table, &LanguageTable::forLanguage(c.language)) << c.code;
    }
}

TEST(LanguageTable, AnUnknownTextReadsAsItsEnglish)
{
    const LanguageTable& table = LanguageTable::forLanguage(Language::SimplifiedChinese);
    EXPECT_FALSE(table.contains("No such text"));
    EXPECT_EQ(table.text("No such text"), "No such text");
    // Only the heading and the section title are named "DPI Setting".
    EXPECT_FALSE(table.contains("DPI Setting", TextContext::ProfileManager));
    EXPECT_EQ(table.text("DPI Setting", TextContext::ProfileManager), "DPI Setting");
    EXPECT_EQ(table.text("Delete", TextContext::General), "刪除");
}

TEST(LanguageTable, StageNoticesEndWithASpaceForTheDpiThatFollows)
{
    const std::string_view notices[] = {
        "Switch DPI into the first stage ", "Switch DPI into the second stage ",
        "Switch DPI into the third stage ", "Switch DPI into the fourth stage ",
        "Switch DPI into the fifth stage ", "Switch DPI into the sixth stage ",
    };
    for (const Language language : kLanguages) {
        const LanguageTable& table = LanguageTable::forLanguage(language);
        std::set<std::string_view> distinct;
        for (const std::string_view notice : notices) {
            ASSERT_TRUE(table.contains(notice)) << notice;
            EXPECT_TRUE(table.text(notice).ends_with(' ')) << notice;
            distinct.insert(table.text(notice));
        }
        EXPECT_EQ(distinct.size(), 6u);
    }
}

// The function list, the "Scroll Select" submenu and the label of a plain function all
// show the entry named by the function's English name; only "Windows" reads the same.
TEST(LanguageTable, ButtonFunctionNamesAreTranslated)
{
    std::vector<std::string_view> names;
    for (const ButtonFunctionEntry& entry : kButtonFunctionCatalogue)
        names.push_back(entry.englishName);
    for (const ScrollChoice& choice : kScrollChoices)
        names.push_back(choice.languageKey);
    for (const std::string_view name : names) {
        ASSERT_TRUE(LanguageTable::forLanguage(Language::English).contains(name)) << name;
        for (const Language language : {Language::SimplifiedChinese, Language::TraditionalChinese})
            EXPECT_EQ(LanguageTable::forLanguage(language).text(name) == name, name == "Windows")
                << name;
    }
    EXPECT_EQ(LanguageTable::forLanguage(Language::TraditionalChinese).text("Menu"), "右鍵");
}

TEST(LanguageTable, ItemSectionIsTheOneTheProfileStoreReads)
{
    for (const Language language : kLanguages)
        EXPECT_EQ(LanguageTable::forLanguage(language).itemSection(),
                  ProfileStore::itemSection(language));
}

} // namespace
} // namespace volantra
