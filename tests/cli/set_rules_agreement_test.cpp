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
    // `set` takes before, the probed value, then after.
    std::vector<std::string> before;
    std::vector<std::string> after;
    std::function<bool(int)> windowAccepts;
    std::vector<int> probes;
};

std::vector<Key> keys()
{
    const std::set<int> rates = ratesTheRingPicks();
    const auto committedDpi = [](int dpi) {
        SettingsRecord record;
        DpiStageRules::commitTypedText(record, 0, std::to_string(dpi));
        return DpiStageRules::stageText(record.dpiStage(0)) == std::to_string(dpi);
    };
    const auto dpiStage = [](int stage) {
        return windowHas([&] { DpiStageRules::levelBar(std::size_t(stage - 1)); });
    };
    const auto colourStage = [](int stage) {
        return windowHas([&] { DpiStageRules::colourBox(std::size_t(stage - 1)); });
    };
    const auto lightingMode = [](int mode) {
        if (mode < 0 || mode > 255)
            return false;
        const auto row = LightingRules::chosenRow(static_cast<std::uint8_t>(mode));
        return row ? int(*row) + 1 == mode : mode == setting_rules::kNoLightingMode;
    };
    const auto lightingRow = [](int n) {
        return windowHas([&] { LightingRules::slider(std::size_t(n - 1)); });
    };
    const auto lightingLevel = [](int v) { return shownAsStored(v, LightingRules::shownLevel); };
    const auto sensitivity = [](int v) { return shownAsStored(v, XySensitivity::shownLevel); };
    const auto angleSnap = [](int v) { return shownAsStored(v, AngleSnapRules::shownLevel); };
    const auto dial = [](int v) { return shownAsStored(v, SpeedDialRules::shownValue); };
    const auto scrollLines = [](int lines) {
        const auto committed = ScrollSpeedRules::commitTyped(std::to_string(lines));
        return committed.lines == lines && committed.text == std::to_string(lines);
    };
    const auto button = [](int n) {
        const Rect box = AssignmentMenu::box(std::size_t(n - 1));
        return n >= 1 && AssignmentMenu::boxAt(box.left + 1, box.top + 1) == n - 1;
    };
    const std::vector<int> sensitivities{0, 1, 11, 12};
    const std::vector<int> dials{0, 1, 2, 12, 13};
    return {
        {{"dpi", "1"},
         {},
         committedDpi,
         {-100, 0, 50, 99, 100, 101, 125, 150, 2525, 4950, 4999, 5000, 5001, 5050}},
        {{"dpi"}, {"800"}, dpiStage, {0, 1, 4, 5}},
        {{"color"}, {"#102030"}, colourStage, {0, 1, 4, 5}},
        {{"rate"},
         {},
         [rates](int rate) { return rates.contains(rate); },
         {0, 100, 124, 125, 126, 250, 333, 500, 999, 1000, 1001, 2000}},
        {{"lighting"}, {}, lightingMode, {-1, 0, 1, 3, 4, 255}},
        {{"lighting-level"}, {"3"}, lightingRow, {0, 1, 3, 4}},
        {{"lighting-level", "2"}, {}, lightingLevel, {-1, 0, 1, 6, 7, 255}},
        {{"sensitivity"}, {"5"}, sensitivity, sensitivities},
        {{"sensitivity", "5"}, {}, sensitivity, sensitivities},
        {{"angle-snap"}, {}, angleSnap, {0, 1, 10, 11}},
        {{"pointer-speed"}, {}, dial, dials},
        {{"double-click"}, {}, dial, dials},
        {{"scroll-lines"}, {}, scrollLines, {-1, 0, 1, 100, 101, 256}},
        {{"button"}, {"Click"}, button, {0, 1, 8, 9}},
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
        const std::string what = key.before[0] + " #" + std::to_string(key.before.size());
        int accepted = 0;
        for (const int probe : key.probes) {
            std::vector<std::string> arguments = key.before;
            arguments.push_back(std::to_string(probe));
            arguments.insert(arguments.end(), key.after.begin(), key.after.end());
            const bool window = key.windowAccepts(probe);
            EXPECT_EQ(cliAccepts(arguments), window)
                << what << " " << probe
                << (window ? ": the window takes it" : ": the window refuses it");
            accepted += window ? 1 : 0;
        }
        // Each key's probes reach both sides of its range.
        EXPECT_GT(accepted, 0) << what;
        EXPECT_LT(accepted, int(key.probes.size())) << what;
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
