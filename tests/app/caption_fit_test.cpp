// Every caption of the main window's sections and of every dialog, drawn in the fonts the
// program uses, in each of its three languages, must fit the place it is drawn into.
#include "app/qt/main_window.h"
#include "app/qt/window_fonts.h"
#include "app/window_areas.h"
#include "assign/qt/button_assignment_section.h"
#include "assign/qt/combo_key_dialog.h"
#include "assign/qt/macro_key_dialog.h"
#include "assign/qt/single_key_dialog.h"
#include "common/language_table.h"
#include "editing/default_item_names.h"
#include "help/qt/help_panel.h"
#include "macro/qt/macro_manager_dialog.h"
#include "model/profile_store.h"
#include "model/settings_record.h"
#include "pages/qt/angle_snap_section.h"
#include "pages/qt/dpi_section.h"
#include "pages/qt/lighting_section.h"
#include "pages/qt/main_panels.h"
#include "pages/qt/report_rate_section.h"
#include "pages/qt/scroll_speed_section.h"
#include "pages/qt/speed_dial_section.h"
#include "pages/qt/xy_section.h"
#include "platform/posix_atomic_file_writer.h"
#include "profiles/profile_directory.h"
#include "profiles/qt/profile_manager_dialog.h"
#include "skin/qt/skin_library.h"
#include "skin/skin_root.h"
#include "support/caption_recorder.h"
#include "support/temporary_directory.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <utility>

namespace volantra {
namespace {

using test::CaptionRecorder;

constexpr QSize kWindowSize(994, 634);
constexpr Language kLanguages[] = {Language::English, Language::SimplifiedChinese,
                                   Language::TraditionalChinese};

QString join(const QStringList& lines)
{
    return lines.join(QStringLiteral("\n"));
}

class CaptionFit : public ::testing::TestWithParam<Language>
{
protected:
    CaptionFit()
    {
        const LanguageTable& table = LanguageTable::forLanguage(GetParam());
        ProfileStore::ItemNames names = store.itemNames();
        fillDefaultItemNames(names, record, table);
        store.setItemNames(names);
    }

    QString text(const char* english) const
    {
        return QString::fromUtf8(LanguageTable::forLanguage(GetParam()).text(english));
    }

    // Draws a dialog with its children onto a recorder: what does not fit.
    static QStringList clippedIn(QWidget& dialog)
    {
        CaptionRecorder recorder(dialog.size());
        dialog.render(&recorder);
        EXPECT_FALSE(recorder.captions().isEmpty()) << "nothing was drawn";
        return recorder.clipped();
    }

    Language language() const { return GetParam(); }

    SkinLibrary skin{SkinRoot::defaultSkin(VOLANTRA_DEFAULT_DATA_DIR)};
    QFont font = windowFont(GetParam());
    QColor textColour{220, 220, 220};
    test::ProfileDirectory data;
    ProfileStore store{data.path(), data.writer(), GetParam()};
    SettingsRecord record;
    QWidget window;
    SectionContext context{record,     skin, &window,
                           textColour, font, [this](const char* english) { return text(english); }};
};

TEST_P(CaptionFit, SectionsAndHeadersOfTheMainWindow)
{
    DpiSection dpi;
    LightingSection lighting;
    ReportRateSection rate;
    SpeedDialSection pointerSpeed(SpeedDialRules::Purpose::PointerSpeed);
    SpeedDialSection doubleClick(SpeedDialRules::Purpose::DoubleClickSpeed);
    ScrollSpeedSection scroll;
    AngleSnapSection angleSnap;
    XySection xy;
    ButtonAssignmentSection assignment(store, nullptr, []() -> Result<std::vector<std::string>> {
        return std::vector<std::string>{"Macro_1"};
    });
    const struct
    {
        const char* name;
        SectionView& view;
        QPoint origin;
    } sections[] = {
        {"DPI", dpi, {734, 52}},
        {"Lighting", lighting, {734, 52}},
        {"Report rate", rate, {734, 52}},
        {"Mouse speed", pointerSpeed, {734, 52}},
        {"Double click", doubleClick, {734, 52}},
        {"Scroll speed", scroll, {734, 52}},
        {"Angle snap", angleSnap, {734, 52}},
        {"X/Y sensitivity", xy, {20, 195}},
        {"Button assignment", assignment, {20, 127}},
    };
    qsizetype drawn = 0;
    for (const auto& section : sections) {
        SCOPED_TRACE(section.name);
        CaptionRecorder recorder(kWindowSize);
        QPainter painter(&recorder);
        painter.setFont(font);
        section.view.paint(painter, section.origin, context);
        painter.end();
        drawn += recorder.captions().size();
        EXPECT_TRUE(recorder.clipped().isEmpty()) << join(recorder.clipped()).toStdString();
    }

    EXPECT_GE(drawn, 60) << "the sections drew their captions";

    // The headers, the Macro Manager item and the view buttons.
    MainPanels panels(context);
    CaptionRecorder recorder(kWindowSize);
    QPainter painter(&recorder);
    panels.paint(painter);
    painter.end();
    EXPECT_GE(recorder.captions().size(), 12);
    EXPECT_TRUE(recorder.clipped().isEmpty()) << join(recorder.clipped()).toStdString();
}

TEST_P(CaptionFit, TheWindowButtons)
{
    const QFontMetricsF metrics(font);
    for (const WindowButtonLook& look : windowButtons()) {
        if (look.caption.empty())
            continue;
        const QString caption = text(std::string(look.caption).c_str());
        SCOPED_TRACE(caption.toStdString());
        EXPECT_LE(metrics.horizontalAdvance(caption), look.captionArea.width());
        EXPECT_LE(metrics.height(), look.captionArea.height());
    }
}

// The Config caption starts at its area's left edge; the other window buttons centre theirs.
TEST_P(CaptionFit, TheConfigCaptionIsLeftAligned)
{
    MainWindow main(skin, false);
    ASSERT_TRUE(main.loadBackground());
    main.setTextStyle(Qt::red, font);
    const auto picture = [&](bool withTexts) {
        main.setTexts([&](const char* english) { return withTexts ? text(english) : QString(); });
        main.redrawAll();
        return main.picture();
    };
    const QImage blank = picture(false);
    const QImage drawn = picture(true);
    // The columns of the caption area where the text left its ink.
    const auto inkColumns = [&](const Rect& area) {
        std::pair<int, int> columns{area.right, area.left};
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (blank.pixel(x, y) != drawn.pixel(x, y))
                    columns = {std::min(columns.first, x), std::max(columns.second, x)};
            }
        }
        return columns;
    };
    const Rect config = windowButtonLook(WindowButton::ProfileManager).captionArea;
    const auto [left, right] = inkColumns(config);
    EXPECT_LE(left, config.left + 2) << "the caption is not at its area's left edge";
    EXPECT_LT(left, right) << "no caption drawn";
    const Rect save = windowButtonLook(WindowButton::Apply).captionArea;
    const auto [saveLeft, saveRight] = inkColumns(save);
    EXPECT_LE(std::abs((saveLeft - save.left) - (save.right - 1 - saveRight)), 2)
        << "Save is centred";
}

TEST_P(CaptionFit, TheKeyDialogs)
{
    SingleKeyDialog single(skin, nullptr, language(), textColour);
    EXPECT_TRUE(clippedIn(single).isEmpty()) << join(clippedIn(single)).toStdString();
    ComboKeyDialog combo(skin, nullptr, language(), textColour);
    EXPECT_TRUE(clippedIn(combo).isEmpty()) << join(clippedIn(combo)).toStdString();
    MacroKeyDialog macroKey(
        skin, nullptr, language(), textColour,
        []() -> Result<std::vector<std::string>> { return std::vector<std::string>{"Macro_1"}; });
    EXPECT_TRUE(clippedIn(macroKey).isEmpty()) << join(clippedIn(macroKey)).toStdString();
}

TEST_P(CaptionFit, TheManagersAndTheHelpPanel)
{
    data.writeProfiles({"PROFILE 1", "PROFILE 2"}, "PROFILE 1");
    ASSERT_TRUE(store.readProfileIni());
    ProfileManagerDialog profiles({.store = store,
                                   .writer = data.writer(),
                                   .record = record,
                                   .skin = skin,
                                   .language = language()},
                                  &window);
    EXPECT_TRUE(clippedIn(profiles).isEmpty()) << join(clippedIn(profiles)).toStdString();

    ButtonLabels labels;
    MacroOptions options;
    MacroManagerDialog macros({.macroFile = data.path() + "/record.ini",
                               .writer = data.writer(),
                               .skin = skin,
                               .language = language(),
                               .textColour = textColour,
                               .record = record,
                               .labels = labels,
                               .options = options});
    EXPECT_TRUE(clippedIn(macros).isEmpty()) << join(clippedIn(macros)).toStdString();

    HelpPanel help({.skin = skin, .language = language(), .dataDirectory = data.path()}, &window);
    EXPECT_TRUE(clippedIn(help).isEmpty()) << join(clippedIn(help)).toStdString();
}

INSTANTIATE_TEST_SUITE_P(InEveryLanguage, CaptionFit, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<Language>& info) {
                             switch (info.param) {
                             case Language::SimplifiedChinese:
                                 return std::string("Simplified");
                             case Language::TraditionalChinese:
                                 return std::string("Traditional");
                             case Language::English:
                                 break;
                             }
                             return std::string("English");
                         });

} // namespace
} // namespace volantra
