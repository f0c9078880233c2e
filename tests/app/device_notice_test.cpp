#include "app/device_notice.h"
#include "model/config_block.h"

#include <gtest/gtest.h>

namespace volantra {
namespace {

constexpr Language kEnglish = Language::English;
constexpr Language kSimplified = Language::SimplifiedChinese;
constexpr Language kTraditional = Language::TraditionalChinese;

// The configuration image as the mouse answers it after an Apply of the template: stages 1
// to 4 at 400, 800, 1000 and 2000 DPI, stages 5 and 6 holding 0xD0 and 0.
const DeviceImage kAnswered = kConfigBlockTemplate;

DeviceImage imageWithStage(int stage, std::uint8_t value)
{
    DeviceImage image = kConfigBlockTemplate;
    image[ConfigBlockLayout::kDpiX + static_cast<std::size_t>(stage - 1)] = value;
    return image;
}

std::optional<DeviceNotice> info(std::string title, std::string text)
{
    return DeviceNotice{std::move(title), std::move(text), DeviceNotice::kEventMs};
}

// The mouse coming and going: as short as the desktop shows a notice.
std::optional<DeviceNotice> presence(std::string title, std::string text)
{
    return DeviceNotice{std::move(title), std::move(text), DeviceNotice::kPresenceMs};
}

struct Case
{
    DeviceEvent event;
    std::optional<DeviceImage> stageConfig;
    Language language;
    std::optional<DeviceNotice> expected;
};

void check(std::span<const Case> cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << int(c.event.code) << " value "
                                        << int(c.event.value) << " language " << int(c.language));
        const std::optional<NoticeCause> cause = noticeCauseOf(c.event);
        EXPECT_EQ(cause ? deviceNotice(*cause, c.stageConfig, c.language) : std::nullopt,
                  c.expected);
    }
}

TEST(DeviceNotice, StageNoticesCarryTheStagesDpi)
{
    const Case cases[] = {
        {{1, 1}, kAnswered, kEnglish, info("Info", "Switch DPI into the first stage 400")},
        {{1, 2}, kAnswered, kEnglish, info("Info", "Switch DPI into the second stage 800")},
        {{2, 3}, kAnswered, kEnglish, info("Info", "Switch DPI into the third stage 1000")},
        {{3, 4}, kAnswered, kEnglish, info("Info", "Switch DPI into the fourth stage 2000")},
        {{1, 2}, kAnswered, kSimplified, info("Info", "DPI切换到第二段 800")},
        {{2, 4}, kAnswered, kSimplified, info("Info", "DPI切换到第四段 2000")},
        {{1, 2}, kAnswered, kTraditional, info("Info", "DPI切換到第二段 800")},
        {{3, 1}, kAnswered, kTraditional, info("Info", "DPI切換到第一段 400")},
        // The ends of what a stage can be set to.
        {{1, 3},
         imageWithStage(3, 2),
         kEnglish,
         info("Info", "Switch DPI into the third stage 100")},
        {{1, 3},
         imageWithStage(3, 100),
         kEnglish,
         info("Info", "Switch DPI into the third stage 5000")},
        {{1, 5},
         imageWithStage(5, 40),
         kEnglish,
         info("Info", "Switch DPI into the fifth stage 2000")},
    };
    check(cases);
}

// A failed read, or a byte no stage is set to, gives the notice without a DPI rather than
// a DPI the mouse does not have.
TEST(DeviceNotice, StageNoticesLeaveOutADpiTheMouseCannotHave)
{
    const Case cases[] = {
        {{1, 2}, std::nullopt, kEnglish, info("Info", "Switch DPI into the second stage ")},
        {{2, 1}, std::nullopt, kSimplified, info("Info", "DPI切换到第一段 ")},
        {{3, 4}, std::nullopt, kTraditional, info("Info", "DPI切換到第四段 ")},
        {{1, 2}, DeviceImage{}, kEnglish, info("Info", "Switch DPI into the second stage ")},
        {{1, 2}, imageWithStage(2, 0), kEnglish, info("Info", "Switch DPI into the second stage ")},
        {{1, 2}, imageWithStage(2, 1), kEnglish, info("Info", "Switch DPI into the second stage ")},
        {{1, 2},
         imageWithStage(2, 101),
         kEnglish,
         info("Info", "Switch DPI into the second stage ")},
        {{1, 2},
         imageWithStage(2, 0xD0),
         kEnglish,
         info("Info", "Switch DPI into the second stage ")},
        {{1, 2},
         imageWithStage(2, 0xFF),
         kEnglish,
         info("Info", "Switch DPI into the second stage ")},
        {{1, 5}, kAnswered, kEnglish, info("Info", "Switch DPI into the fifth stage ")},
        {{1, 6}, kAnswered, kEnglish, info("Info", "Switch DPI into the sixth stage ")},
        {{2, 6}, kAnswered, kTraditional, info("Info", "DPI切換到第六段 ")},
    };
    check(cases);
}

TEST(DeviceNotice, MacroKeyNotices)
{
    const Case cases[] = {
        {{9, 3}, std::nullopt, kEnglish, info("Info", "Switch to macro key3")},
        {{9, 12}, std::nullopt, kSimplified, info("Info", "切换到宏12")},
        {{9, 255}, std::nullopt, kTraditional, info("Info", "切換到巨集255")},
    };
    check(cases);
}

// The mouse coming and going is the program's own finding, never a code the mouse sends.
TEST(DeviceNotice, PresenceNotices)
{
    const struct
    {
        NoticeCause cause;
        Language language;
        DeviceNotice expected;
    } cases[] = {
        {{NoticeKind::MouseDetected},
         kEnglish,
         *presence("Info", "The system detect the gaming mouse.")},
        {{NoticeKind::MouseDetected, 7}, kSimplified, *presence("Info", "系统检测到游戏鼠标。")},
        {{NoticeKind::MouseDetected}, kTraditional, *presence("Info", "系統檢測到遊戲滑鼠。")},
        {{NoticeKind::MouseNotDetected},
         kEnglish,
         *presence("Warning", "The system did not detect the gaming mouse!")},
        {{NoticeKind::MouseNotDetected},
         kSimplified,
         *presence("Warning", "系统没有检测到游戏鼠标！")},
        {{NoticeKind::MouseNotDetected, 9},
         kTraditional,
         *presence("Warning", "系統沒有檢測到遊戲滑鼠！")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(deviceNotice(c.cause, std::nullopt, c.language), c.expected);
        EXPECT_FALSE(needsStageRead(c.cause));
    }
}

TEST(DeviceNotice, EventsWithoutANotice)
{
    const Case cases[] = {
        {{0, 0}, std::nullopt, kEnglish, std::nullopt},
        {{0, 2}, kAnswered, kEnglish, std::nullopt},
        {{1, 0}, kAnswered, kEnglish, std::nullopt},
        {{2, 7}, kAnswered, kEnglish, std::nullopt},
        {{3, 255}, kAnswered, kSimplified, std::nullopt},
        {{4, 2}, kAnswered, kEnglish, std::nullopt},
        {{9, 0}, std::nullopt, kEnglish, std::nullopt},
        {{10, 1}, std::nullopt, kEnglish, std::nullopt},
        {{13, 0}, std::nullopt, kEnglish, std::nullopt},
        // The codes the presence notices once borrowed mean nothing from the mouse.
        {{14, 0}, std::nullopt, kEnglish, std::nullopt},
        {{15, 0}, std::nullopt, kEnglish, std::nullopt},
        {{16, 0}, std::nullopt, kTraditional, std::nullopt},
        {{255, 1}, std::nullopt, kEnglish, std::nullopt},
    };
    check(cases);
}

TEST(DeviceNotice, OnlyAStageTheMouseReportsNeedsARead)
{
    const std::pair<DeviceEvent, bool> cases[] = {
        {{1, 1}, true},  {{2, 6}, true},  {{3, 3}, true},  {{1, 0}, false},  {{2, 7}, false},
        {{0, 1}, false}, {{4, 1}, false}, {{9, 1}, false}, {{14, 1}, false}, {{15, 1}, false},
    };
    for (const auto& [event, needed] : cases) {
        const std::optional<NoticeCause> cause = noticeCauseOf(event);
        EXPECT_EQ(cause && needsStageRead(*cause), needed)
            << int(event.code) << " " << int(event.value);
    }
}

} // namespace
} // namespace volantra
