#include "common/language_table.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace volantra {
namespace {

constexpr TextContext kDpiHeading = TextContext::DpiHeading;
constexpr TextContext kMacroEditorGroup = TextContext::MacroEditorGroup;
constexpr TextContext kProfileManager = TextContext::ProfileManager;

// English, simplified Chinese, traditional Chinese. Some Chinese texts are kept as the
// mouse's users know them from its earlier releases: traditional "Double Click" in
// simplified characters, "Record Mouse Event" meaning "record keyboard events only", and
// the simplified "Speed" and "Brightness" with an instruction after the colon, and the
// macro editor's simplified "Key Press Sequence" and "Delete" in traditional characters.
constexpr auto kEntries = std::to_array<LanguageEntry>({
    // The same in every language.
    {{"PROFILE 1", "PROFILE 1", "PROFILE 1"}},
    {{"PROFILE 2", "PROFILE 2", "PROFILE 2"}},
    {{"PROFILE 3", "PROFILE 3", "PROFILE 3"}},
    {{"PROFILE 4", "PROFILE 4", "PROFILE 4"}},
    {{"PROFILE 5", "PROFILE 5", "PROFILE 5"}},
    {{"PROFILE 6", "PROFILE 6", "PROFILE 6"}},
    {{"LOAD", "LOAD", "LOAD"}},
    {{"SAVE", "SAVE", "SAVE"}},
    {{"RESET", "RESET", "RESET"}},
    // Both DPI-stage colour captions: one text, with the space before the stage colour.
    {{"DPI Stage Color ", "DPI Stage Color ", "DPI Stage Color "}},

    // Window and views.
    {{"Gaming Mouse", "Gaming Mouse", "Gaming Mouse"}},
    {{"OK", "确定", "確定"}},
    {{"APPLY", "应用", "應用"}},
    {{"Reset", "重置", "重置"}},
    {{"Cancel", "取消", "取消"}},
    {{"Save", "保存", "保存"}},
    {{"Config", "配置", "配置"}},
    {{"Front", "正面", "正面"}},
    {{"Side", "侧面", "側面"}},
    {{"Back", "背面", "背面"}},

    // Section titles.
    {{"Button Assignment", "按键分配", "按鍵分配"}},
    {{"Macro Manager", "宏管理器", "巨集管理器"}},
    {{"X/Y Sensitivity Setting", "X/Y 灵敏度设置", "X/Y 靈敏度設置"}},
    {{"DPI Setting", "DPI 设置", "DPI 設置"}},
    {{"Lighting", "灯光", "燈光"}},
    {{"USB Report Rate", "USB 报告率", "USB 報告率"}},
    {{"Mouse Speed", "鼠标速度", "滑鼠移動速度"}},
    {{"Double Click Speed", "双击速度", "雙擊速度"}},
    {{"Scroll Speed", "滚轮速度", "滾輪速度"}},
    {{"Kept by the desktop after you log out", "注销后桌面仍保留此设置", "登出後桌面仍保留此設定"}},
    {{"Angle Snap", "直线修正", "直線修正"}},

    // Section captions.
    {{"X axis", "X 轴", "X 軸"}},
    {{"Y axis", "Y 轴", "Y 軸"}},
    {{"Button 1", "按键 1", "按鍵 1"}},
    {{"Button 2", "按键 2", "按鍵 2"}},
    {{"Button 3", "按键 3", "按鍵 3"}},
    {{"Button 4", "按键 4", "按鍵 4"}},
    {{"Button 5", "按键 5", "按鍵 5"}},
    {{"Button 6", "按键 6", "按鍵 6"}},
    {{"Button 7", "按键 7", "按鍵 7"}},
    {{"Button 8", "按键 8", "按鍵 8"}},
    {{"DPI Dial Up", "DPI 拨键上", "DPI 撥鍵上"}},
    {{"DPI Dial Down", "DPI 拨键下", "DPI 撥鍵下"}},
    {{"DPI +", "DPI +", "DPI +"}},
    {{"DPI -", "DPI -", "DPI -"}},
    {{"DPI loop", "DPI loop", "DPI loop"}},
    {{"Slow", "慢", "慢"}},
    {{"Fast", "快", "快"}},
    {{"The number of rows", "一次滚动行数", "一次滾動行數"}},
    {{"Scroll one screen", "一次滚动一个屏幕", "一次滾動一個螢幕"}},

    // Headings.
    {{"Key Setting", "按键设置", "按鍵設置"}},
    {{"Polling Setting", "报告率设置", "報告率設置"}},
    {{"Sensitivity", "灵敏度", "靈敏度"}},
    {{"DPI Setting", "DPI 设置", "DPI 設置"}, kDpiHeading},
    {{"Default", "按键恢复", "按鍵恢復"}},
    {{"DPI Effect", "DPI 灯效", "DPI 燈效"}},
    {{"Mode", "模式", "模式"}},
    {{"Parameter", "参数", "參數"}},
    {{"Speed", "速度:请调整灯光显示速度", "速度"}},
    {{"Brightness", "亮度:请调整灯光显示亮度", "亮度"}},
    {{"Effect", "效果", "效果"}},

    // Lighting.
    {{"Off", "关闭模式", "關閉模式"}},
    {{"Standard", "标准模式", "標準模式"}},
    {{"Respiration", "呼吸模式", "呼吸模式"}},
    {{"Neon", "霓虹模式", "霓虹模式"}},
    {{"Non-Disolay", "关闭", "關閉"}},
    {{"RGB Effect", "RGB 灯效", "RGB 燈效"}},
    {{"RGB Flash", "RGB 闪烁", "RGB 閃爍"}},
    {{"RGB Fixed On", "RGB 常亮", "RGB 常亮"}},

    // Button functions: the function list, the "Scroll Select" submenu and the texts of
    // functions no menu offers.
    {{"Mouse M Button", "鼠标中键", "滑鼠中鍵"}},
    {{"Mouse Scroll Up", "滚轮向上", "滾輪向上"}},
    {{"Mouse Scroll Down", "滚轮向下", "滾輪向下"}},
    {{"Click", "左键", "左鍵"}},
    {{"Menu", "右键", "右鍵"}},
    {{"Scroll Select", "滚轮选择", "滾輪選擇"}},
    {{"IE Forward", "前进", "前進"}},
    {{"IE Backward", "后退", "後退"}},
    {{"Triple-click", "三击", "三擊"}},
    {{"CPI Cycle", "DPI切换", "DPI切換"}},
    {{"Report Rate Switch", "报告率切换", "報告率切換"}},
    {{"Shift", "Shift", "Shift"}},
    {{"RGB On/Off", "RGB 开关", "RGB 開關"}},
    {{"Windows", "Windows", "Windows"}},
    {{"Multimedia", "多媒体", "多媒體"}},
    {{"HotKey", "快捷键", "快捷鍵"}},
    {{"Fire Key", "连发键", "連發鍵"}},
    {{"Single Key", "单键", "單鍵"}},
    {{"Combo Key", "组合键", "組合鍵"}},
    {{"Snipe Key", "狙击键", "狙擊鍵"}},
    {{"Macro Key", "宏", "巨集"}},
    {{"Button Off", "禁用按键", "禁用按鍵"}},
    {{"Double Click", "双击", "双击"}},
    {{"Macro Programming", "宏编程", "巨集編程"}},
    {{"Additional Commands", "附加命令", "附加命令"}},
    {{"Basic Commands", "基本命令", "基本命令"}},
    {{"Left key must be selected!", "必须设置一个左键！", "必須設置一個左鍵！"}},

    // Other.
    {{"Driver Update", "驱动更新", "驅動更新"}},
    {{"Language Select", "语言选择", "語言選擇"}},
    {{"Chinese simplified", "简体中文", "簡體中文"}},
    {{"Chinese traditional", "繁体中文", "繁體中文"}},
    {{"English", "English", "English"}},

    // Notices. The DPI-stage notices end with a space: the stage's DPI follows them.
    {{"Switch report rate into 1000HZ", "报告率切换到1000HZ", "報告率切換到1000HZ"}},
    {{"Switch report rate into 500HZ", "报告率切换到500HZ", "報告率切換到500HZ"}},
    {{"Switch report rate into 250HZ", "报告率切换到250HZ", "報告率切換到250HZ"}},
    {{"Switch report rate into 125HZ", "报告率切换到125HZ", "報告率切換到125HZ"}},
    {{"Switch DPI into the first stage ", "DPI切换到第一段 ", "DPI切換到第一段 "}},
    {{"Switch DPI into the second stage ", "DPI切换到第二段 ", "DPI切換到第二段 "}},
    {{"Switch DPI into the third stage ", "DPI切换到第三段 ", "DPI切換到第三段 "}},
    {{"Switch DPI into the fourth stage ", "DPI切换到第四段 ", "DPI切換到第四段 "}},
    {{"Switch DPI into the fifth stage ", "DPI切换到第五段 ", "DPI切換到第五段 "}},
    {{"Switch DPI into the sixth stage ", "DPI切换到第六段 ", "DPI切換到第六段 "}},
    {{"Switch to key matrix 1", "切换到按键矩阵1", "切換到按鍵矩陣1"}},
    {{"Switch to key matrix 2", "切换到按键矩阵2", "切換到按鍵矩陣2"}},
    {{"Switch to key matrix 3", "切换到按键矩阵3", "切換到按鍵矩陣3"}},
    {{"Switch to key matrix 4", "切换到按键矩阵4", "切換到按鍵矩陣4"}},
    {{"Switch to macro key", "切换到宏", "切換到巨集"}},
    {{"Exit", "退出", "退出"}},
    {{"The system did not detect the gaming mouse!", "系统没有检测到游戏鼠标！",
      "系統沒有檢測到遊戲滑鼠！"}},
    {{"The system detect the gaming mouse.", "系统检测到游戏鼠标。", "系統檢測到遊戲滑鼠。"}},

    // The macro editor's group.
    {{"Mouse Speed", "鼠标移动速度", "滑鼠移動速度"}, kMacroEditorGroup},
    {{"Scroll Speed", "鼠标滚轮速度", "滑鼠滾輪速度"}, kMacroEditorGroup},
    {{"Double Click Speed", "鼠标双击速度", "滑鼠雙擊速度"}, kMacroEditorGroup},
    {{"Macro Setting", "宏设置", "巨集設置"}},
    {{"Enhance Pointer Precision", "提高指针精确度", "提高指標精確度"}},
    {{"Scroll One Screen", "一次滚动一屏", "一次滾動一屏"}},
    {{"Select Macro", "选择宏", "選擇巨集"}},
    {{"Key Press Sequence", "按鍵序列", "按鍵序列"}},
    {{"(empty line)", "（空行）", "（空行）"}},
    {{"Record Option", "录制选项", "錄製選項"}},
    {{"Default", "默认", "預設"}, kMacroEditorGroup},
    {{"Macro Name", "宏名称", "巨集名稱"}},
    {{"Start Recording", "开始录制", "開始錄製"}},
    {{"Stop Recording", "停止录制", "停止錄製"}},
    {{"Record Mouse Event", "只录制键盘事件", "只錄製鍵盤事件"}},
    {{"Loop Times", "循环次数", "迴圈次數"}},
    {{"Insert A Mouse Event", "插入鼠标事件", "插入滑鼠事件"}},
    {{"New", "新建", "新建"}},
    {{"Delete", "刪除", "刪除"}},
    {{"Confirm", "确认", "確認"}},
    {{"Macro name is blank", "宏名称为空", "巨集名稱為空"}},
    {{"Macro name already exists", "宏名称已存在", "巨集名稱已存在"}},
    {{"Press Ctrl+Break key to stop recording", "按 Ctrl+Break 停止录制", "按Ctrl+Break 停止錄製"}},
    {{"It doesn’t start recording, unnecessary to press Stop key!",
      "没有开始录制,点击停止录制按钮没有意义！", "沒有開始錄製，點擊停止錄製按鈕沒有意義！"}},

    // The INI section of the button labels.
    {{"Setting-EN", "Setting-CHS", "Setting-CHT"}},

    // The rest of the macro editor: its options, the event list's menu and its limit.
    {{"Record delays between key commands", "记录按键动作间的延迟", "記錄按鍵動作間的延遲"}},
    {{"Macro", "宏", "巨集"}}, // the first word of a new macro's name
    {{"Insert the left Button", "插入鼠标左键", "插入滑鼠左鍵"}},
    {{"Insert the middle Button", "插入鼠标中键", "插入滑鼠中鍵"}},
    {{"Insert the right button", "插入鼠标右键", "插入滑鼠右鍵"}},
    {{"Insert Delay", "插入延时", "插入延時"}},
    {{"Macro numbers up to 12.", "最多可以新建12个宏。", "最多可以新建12個巨集。"}},

    // The profile manager.
    {{"Configuration", "配置", "配置"}},
    {{"Delete", "删除", "刪除"}, kProfileManager},
    {{"Edit", "编辑", "編輯"}},
    {{"Copy", "复制", "複製"}},
    {{"Load", "加载", "載入"}},
    {{"Profile numbers up to 6.", "最多可以存储6个配置。", "最多可以存儲6個配置。"}},
    {{"PROFILE", "PROFILE", "PROFILE"}}, // the first word of a new profile's name

    // The help window.
    {{"Ok", "确定", "確定"}},
    {{"Update 驱动更新", "Update 驱动更新", "Update 驱动更新"}},
    {{"Version：1.0", "Version：1.0", "Version：1.0"}},

    // Captions of notices and message boxes.
    {{"Info", "提示", "提示"}},
    {{"Warning", "警告", "警告"}},
    {{"error", "错误", "錯誤"}},

    // Message boxes.
    {{"Config file is not exist.", "配置文件不存在。", "配置檔案不存在。"}},
    {{"SETMOUSE failed.", "设置指针精确度失败。", "設置指標精確度失敗。"}},
    {{"SETMOUSESPEED failed.", "设置鼠标速度失败。", "設置滑鼠速度失敗。"}},
    {{"SETWHEELSCROLLLINES failed.", "设置滚动行数失败。", "設置滾動行數失敗。"}},
    {{"SPI_SETDOUBLECLICKTIME failed.", "设置双击速度失败。", "設置雙擊速度失敗。"}},
    {{"LoadPng---Load image failed.", "加载图片失败。", "載入圖片失敗。"}},
    {{"Macro Manager Dialog Load background image failed!!!", "宏管理器加载背景图片失败！",
      "巨集管理器載入背景圖片失敗！"}},
    {{"Config Dialog Load background image failed!!!", "配置对话框加载背景图片失败！",
      "配置對話框載入背景圖片失敗！"}},
    {{"Help Dialog Load background image failed!!!", "帮助窗口加载背景图片失败！",
      "說明視窗載入背景圖片失敗！"}},

    // Profile files: the file dialogs of LOAD and SAVE and the question before an export
    // replaces a file of the data folder.
    {{"Gaming Mouse Profile(*.bin)", "游戏鼠标配置文件(*.bin)", "遊戲滑鼠配置檔案(*.bin)"}},
    {{"Load Profile", "加载配置", "載入配置"}},
    {{"Save Profile", "保存配置", "保存配置"}},
    {{"A profile file with this name already exists in the data folder. Replace it?",
      "数据文件夹中已有同名的配置文件。要替换它吗？", "資料夾中已有同名的配置檔案。要取代它嗎？"}},

    // Profiles that cannot be saved safely: a damaged or missing profile, an unusable
    // profile list, files another program changed.
    {{"Nothing is saved or sent to the gaming mouse until Reset or Load gives the profile its "
      "settings.",
      "在“重置”或“加载”为此配置提供设置之前，不会保存任何内容，也不会向游戏鼠标发送任何内容。",
      "在「重置」或「載入」為此配置提供設置之前，不會保存任何內容，也不會向遊戲滑鼠傳送任何內容"
      "。"}},
    {{"The profile list cannot be used, so profile 0 is shown read-only: nothing is saved or "
      "sent to the gaming mouse until str.ini is repaired.",
      "配置列表无法使用，因此以只读方式显示配置 0：在修复 str.ini 之前，不会保存任何内容，也不会"
      "向游戏鼠标发送任何内容。",
      "配置列表無法使用，因此以唯讀方式顯示配置 0：在修復 str.ini 之前，不會保存任何內容，也不會"
      "向遊戲滑鼠傳送任何內容。"}},
    {{"The settings were neither sent nor saved.", "设置既未发送也未保存。",
      "設置既未傳送也未保存。"}},
    {{"The settings could not be reset.", "设置未能重置。", "設置未能重置。"}},
    {{"The profile's files were changed by another program since they were loaded. Overwrite "
      "them with the settings shown, or reload them?",
      "自载入以来，此配置的文件已被其他程序更改。要用显示的设置覆盖它们，还是重新载入它们？",
      "自載入以來，此配置的檔案已被其他程式變更。要用顯示的設置覆寫它們，還是重新載入它們？"}},
    {{"Overwrite", "覆盖", "覆寫"}},
    {{"Reload", "重新载入", "重新載入"}},

    // Apply, Reset and Exit.
    {{"The settings could not be sent to the gaming mouse. They were saved and will be sent "
      "with the next Apply.",
      "设置未能发送到游戏鼠标。设置已保存，将在下次应用时发送。",
      "設置未能傳送到遊戲滑鼠。設置已保存，將在下次應用時傳送。"}},
    {{"The settings were saved.", "设置已保存。", "設置已保存。"}},
    {{"The settings could not be saved.", "设置未能保存。", "設置未能保存。"}},
    {{"Reset replaces the settings of the current profile and of the gaming mouse with the "
      "factory settings. This cannot be undone. Reset now?",
      "重置将用出厂设置替换当前配置和游戏鼠标中的设置，此操作无法撤销。现在重置吗？",
      "重置將用出廠設置替換目前配置和遊戲滑鼠中的設置，此操作無法復原。現在重置嗎？"}},
    {{"Some changes have not been applied yet. Apply them before exiting?",
      "有些更改尚未应用。退出前要应用吗？", "有些更改尚未應用。退出前要應用嗎？"}},
    {{"Some changes have not been applied yet. Apply them before another profile is loaded?",
      "有些更改尚未应用。载入其他配置前要应用吗？", "有些更改尚未應用。載入其他配置前要應用嗎？"}},
    {{"Apply", "应用", "應用"}},
    {{"Discard", "放弃", "放棄"}},

    // The tray menu: its first entry opens the window; with the simulated mouse it also
    // offers what the mouse itself would do.
    {{"Open", "打开", "開啟"}},
    {{"Simulated mouse", "模拟鼠标", "模擬滑鼠"}},
    {{"Press DPI button", "按下 DPI 键", "按下 DPI 鍵"}},
    {{"Press macro key", "按下宏键", "按下巨集鍵"}},
    {{"Unplug", "拔出鼠标", "拔出滑鼠"}},
    {{"Plug in", "插入鼠标", "插入滑鼠"}},

    // Start-up and hot-plug: the mouse's node refused to open, its events cannot be read, it
    // did not answer its connection, or hot-plug cannot be watched.
    {{"The gaming mouse was found but cannot be opened: permission denied. Install the "
      "program's udev rule, then unplug the mouse and plug it in again.",
      "已找到游戏鼠标，但没有权限打开它。请安装本程序的 udev 规则，然后拔出鼠标并重新插入。",
      "已找到遊戲滑鼠，但沒有權限開啟它。請安裝本程式的 udev 規則，然後拔出滑鼠並重新插入。"}},
    {{"The gaming mouse's own notices (a DPI stage or a macro key chosen on the mouse) cannot "
      "be shown: its event interface cannot be opened. Settings still reach the mouse. When the "
      "reason is a permission, install the program's udev rule (70-volantra.rules), then unplug "
      "the mouse and plug it in again.",
      "无法显示游戏鼠标自身的通知（在鼠标上选择的 DPI 段或宏键）：无法打开它的事件接口。设置仍可"
      "发送到鼠标。如果原因是权限不足，请安装本程序的 udev 规则（70-volantra.rules），然后拔出鼠标"
      "并重新插入。",
      "無法顯示遊戲滑鼠自身的通知（在滑鼠上選擇的 DPI 段或巨集鍵）：無法開啟它的事件介面。設置仍可"
      "傳送到滑鼠。如果原因是權限不足，請安裝本程式的 udev 規則（70-volantra.rules），然後拔出滑鼠"
      "並重新插入。"}},
    {{"The gaming mouse did not answer when it was connected, so it is treated as not "
      "connected. The program tries again when the mouse is plugged in and at the next Apply.",
      "连接时游戏鼠标没有应答，因此视为未连接。本程序将在鼠标插入时和下次应用时再次尝试。",
      "連接時遊戲滑鼠沒有回應，因此視為未連接。本程式將在滑鼠插入時和下次應用時再次嘗試。"}},
    {{"Plugging the gaming mouse in or out will not be noticed until the program is started "
      "again.",
      "在程序重新启动之前，将无法察觉游戏鼠标的插拔。",
      "在程式重新啟動之前，將無法察覺遊戲滑鼠的插拔。"}},
});

bool before(const LanguageEntry* a, TextContext context, std::string_view english)
{
    return std::tie(a->context, a->text.english) < std::tie(context, english);
}

} // namespace

LanguageTable::LanguageTable(Language language) : m_language(language)
{
    m_sorted.reserve(kEntries.size());
    for (const LanguageEntry& entry : kEntries)
        m_sorted.push_back(&entry);
    std::sort(m_sorted.begin(), m_sorted.end(), [](const LanguageEntry* a, const LanguageEntry* b) {
        return before(a, b->context, b->text.english);
    });
}

const LanguageTable& LanguageTable::forLanguage(Language language)
{
    static const LanguageTable english(Language::English);
    static const LanguageTable simplified(Language::SimplifiedChinese);
    static const LanguageTable traditional(Language::TraditionalChinese);
    switch (language) {
    case Language::SimplifiedChinese:
        return simplified;
    case Language::TraditionalChinese:
        return traditional;
    case Language::English:
        break;
    }
    return english;
}

const LanguageTable& LanguageTable::forCode(std::string_view languageCode)
{
    return forLanguage(languageFromCode(languageCode));
}

std::span<const LanguageEntry> LanguageTable::entries()
{
    return kEntries;
}

const LanguageEntry* LanguageTable::find(std::string_view english, TextContext context) const
{
    const auto it = std::lower_bound(m_sorted.begin(), m_sorted.end(), english,
                                     [context](const LanguageEntry* entry, std::string_view key) {
                                         return before(entry, context, key);
                                     });
    if (it == m_sorted.end() || (*it)->context != context || (*it)->text.english != english)
        return nullptr;
    return *it;
}

std::string_view LanguageTable::text(std::string_view english, TextContext context) const
{
    const LanguageEntry* entry = find(english, context);
    return entry ? entry->text.in(m_language) : english;
}

bool LanguageTable::contains(std::string_view english, TextContext context) const
{
    return find(english, context) != nullptr;
}

} // namespace volantra
