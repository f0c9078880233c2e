// The window and `volantra-cli set` take exactly the same values: for each setting, the
// ends of its range, the values just outside and values off its step go through the real
// `set` command and through the window's section rules, and both must agree.
#include "assign/assignment_menu.h"
#include "model/setting_rules.h"
#include "model/settings_record.h"
#include "pages/angle_snap_rules.h"
#include "pages/dpi_stage_rules.h"
#include "pages/lighting_rules.h"
#include "pages/report_rate_rules.h"
#include "pages/scroll_speed_rules.h"
#include "pages/speed_dial_rules.h"
#include "pages/xy_sensitivity.h"
#include "platform/posix_atomic_file_writer.h"
#include "support/cli_run.h"
#include "support/temporary_directory.h"
#include "tools/default_data.h"

#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>

namespace volantra {
namespace {

// True when the window's rules know the element (a stage, a row, a button); they throw
// std::out_of_range for one they do not have.
bool windowHas(const std::function<void()>& use)
{
    try {
        use();
        return true;
    } catch (const std::out_of_range&) {
        return false;
    }
}

// A value the window keeps and shows as it is: only a byte can be stored at all.
bool shownAsStored(int value, const std::function<int(std::uint8_t)>& shown)
{
    return value >= 0 && value <= 255 && shown(static_cast<std::uint8_t>(value)) == value;
}

// The rates the report-rate ring picks, one press in each quadrant.
std::set<int> ratesTheRingPicks()
{
    const ReportRateRules rules(200);
    const Rect ring = rules.controlArea();
    const int centreX = ring.left + ring.width() / 2;
    const int centreY = ring.top + ring.height() / 2;
    const int along = (ReportRateRules::kInnerRadius + ReportRateRules::kOuterRadius) / 3;
    std::set<int> rates;
    for (const int dx : {-along, along}) {
        for (const int dy : {-along, along}) {
            if (const auto interval = rules.intervalAt(centreX + dx, centreY + dy))
                rates.insert(ReportRateRules::shownRate(*interval));
        }
    }
    return rates;
}

struct Key
{
    const char* what;
    std::function<std::vector<std::string>(const std::string&)> arguments;
    std::function<bool(int)> windowAccepts;
    std::vector<int> probes;
};

std::vector<Key> keys()
{
    const auto one = [](const char* key) {
        return [key](const std::string& v) { return std::vector<std::string>{key, v}; };
    };
    const std::set<int> rates = ratesTheRingPicks();
    return {
        {"dpi value",
         [](const std::string& v) { return std::vector<std::string>{"dpi", "1", v}; },
         [](int dpi) {
             SettingsRecord record;
             DpiStageRules::commitTypedText(record, 0, std::to_string(dpi));
             return DpiStageRules::stageText(record.dpiStage(0)) == std::to_string(dpi);
         },
         {-100, 0, 50, 99, 100, 101, 125, 150, 2525, 4950, 4999, 5000, 5001, 5050}},
        {"dpi stage",
         [](const std::string& v) { return std::vector<std::string>{"dpi", v, "800"}; },
         [](int stage) {
             return windowHas([&] { DpiStageRules::levelBar(std::size_t(stage - 1)); });
         },
         {0, 1, 4, 5}},
        {"colour stage",
         [](const std::string& v) { return std::vector<std::string>{"color", v, "#102030"}; },
         [](int stage) {
             return windowHas([&] { DpiStageRules::colourBox(std::size_t(stage - 1)); });
         },
         {0, 1, 4, 5}},
        {"rate",
         one("rate"),
         [rates](int rate) { return rates.contains(rate); },
         {0, 100, 124, 125, 126, 250, 333, 500, 999, 1000, 1001, 2000}},
        {"lighting mode",
         one("lighting"),
         [](int mode) {
             if (mode < 0 || mode > 255)
                 return false;
             const auto row = LightingRules::chosenRow(static_cast<std::uint8_t>(mode));
             return row ? int(*row) + 1 == mode : mode == setting_rules::kNoLightingMode;
         },
         {-1, 0, 1, 3, 4, 255}},
        {"lighting level number",
         [](const std::string& v) { return std::vector<std::string>{"lighting-level", v, "3"}; },
         [](int n) { return windowHas([&] { LightingRules::slider(std::size_t(n - 1)); }); },
         {0, 1, 3, 4}},
        {"lighting level",
         [](const std::string& v) { return std::vector<std::string>{"lighting-level", "2", v}; },
         [](int level) { return shownAsStored(level, LightingRules::shownLevel); },
         {-1, 0, 1, 6, 7, 255}},
        {"X sensitivity",
         [](const std::string& v) { return std::vector<std::string>{"sensitivity", v, "5"}; },
         [](int level) { return shownAsStored(level, XySensitivity::shownLevel); },
         {0, 1, 11, 12}},
        {"Y sensitivity",
         [](const std::string& v) { return std::vector<std::string>{"sensitivity", "5", v}; },
         [](int level) { return shownAsStored(level, XySensitivity::shownLevel); },
         {0, 1, 11, 12}},
        {"angle snap",
         one("angle-snap"),
         [](int level) { return shownAsStored(level, AngleSnapRules::shownLevel); },
         {0, 1, 10, 11}},
        {"pointer speed",
         one("pointer-speed"),
         [](int value) { return shownAsStored(value, SpeedDialRules::shownValue); },
         {0, 1, 2, 12, 13}},
        {"double-click speed",
         one("double-click"),
         [](int value) { return shownAsStored(value, SpeedDialRules::shownValue); },
         {0, 1, 2, 12, 13}},
        {"scroll lines",
         one("scroll-lines"),
         [](int lines) {
             const auto committed = ScrollSpeedRules::commitTyped(std::to_string(lines));
             return committed.lines == lines && committed.text == std::to_string(lines);
         },
         {-1, 0, 1, 100, 101, 256}},
        {"button number",
         [](const std::string& v) { return std::vector<std::string>{"button", v, "Click"}; },
         [](int n) {
             const Rect box = AssignmentMenu::box(std::size_t(n - 1));
             return n >= 1 && AssignmentMenu::boxAt(box.left + 1, box.top + 1) == n - 1;
         },
         {0, 1, 8, 9}},
    };
}

class SetRulesAgreement : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(DefaultData::writeTo(data.path().string(), writer)); }

    bool cliAccepts(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), {"--data-dir", data.path().string(), "set"});
        const test::CliRun run = test::runCliCapturing(arguments);
        EXPECT_TRUE(run.status == 0 || run.status == 2) << run.err;
        return run.status == 0;
    }

    test::TemporaryDirectory data;
    PosixAtomicFileWriter writer;
};

TEST_F(SetRulesAgreement, TheWindowAndTheCliTakeTheSameValues)
{
    for (const Key& key : keys()) {
        int accepted = 0;
        for (const int probe : key.probes) {
            const bool window = key.windowAccepts(probe);
            EXPECT_EQ(cliAccepts(key.arguments(std::to_string(probe))), window)
                << key.what << " " << probe << (window ? ": the window takes it"
                                                       : ": the window refuses it");
            accepted += window ? 1 : 0;
        }
        // Each key's probes reach both sides of its range.
        EXPECT_GT(accepted, 0) << key.what;
        EXPECT_LT(accepted, int(key.probes.size())) << key.what;
    }
}

// The button that alone holds the left click keeps it in the window (its list does not
// open) and in the CLI (the change is refused); with a second left click both let it go.
TEST_F(SetRulesAgreement, TheLeftClickGuardHoldsInBoth)
{
    // As in the default profile: the left click on button 1 only.
    AssignmentMenu menu;
    SettingsRecord record;
    for (std::size_t button = 0; button < SettingsRecord::kButtonCount; ++button)
        record.setButtonKind(button, button == 0 ? 0 : 1);

    EXPECT_EQ(menu.clickBox(0, record), AssignmentMenu::BoxClick::Refused);
    EXPECT_FALSE(cliAccepts({"button", "1", "Menu"}));

    record.setButtonKind(1, 0);
    EXPECT_EQ(menu.clickBox(0, record), AssignmentMenu::BoxClick::Opened);
    ASSERT_TRUE(cliAccepts({"button", "2", "Click"}));
    EXPECT_TRUE(cliAccepts({"button", "1", "Menu"}));
}

} // namespace
} // namespace volantra
