#include "app/qt/window_sections.h"

#include "app/qt/main_window.h"
#include "assign/qt/button_assignment_section.h"
#include "macro/macro_store.h"
#include "model/profile_store.h"
#include "pages/qt/angle_snap_section.h"
#include "pages/qt/dpi_section.h"
#include "pages/qt/lighting_section.h"
#include "pages/qt/main_panels.h"
#include "pages/qt/report_rate_section.h"
#include "pages/qt/scroll_speed_section.h"
#include "pages/qt/speed_dial_section.h"
#include "pages/qt/xy_section.h"
#include "skin/qt/skin_library.h"

namespace volantra {

WindowSections buildWindowSections(const WindowSectionParts& parts)
{
    WindowSections built;
    built.context = std::make_unique<SectionContext>(parts.context);
    built.panels = std::make_unique<MainPanels>(*built.context);
    MainWindow* window = &parts.window;
    MainPanels& panels = *built.panels;
    auto redraw = [window] { window->redrawAll(); };
    auto add = [&built](std::unique_ptr<SectionView> view) {
        built.views.push_back(std::move(view));
        return built.views.back().get();
    };
    panels.setSection(RightSection::Dpi, add(std::make_unique<DpiSection>(redraw)));
    panels.setSection(RightSection::Lighting, add(std::make_unique<LightingSection>()));
    panels.setSection(RightSection::ReportRate, add(std::make_unique<ReportRateSection>()));
    panels.setSection(RightSection::MouseSpeed, add(std::make_unique<SpeedDialSection>(
                                                    SpeedDialRules::Purpose::PointerSpeed)));
    panels.setSection(RightSection::DoubleClick, add(std::make_unique<SpeedDialSection>(
                                                     SpeedDialRules::Purpose::DoubleClickSpeed)));
    panels.setSection(RightSection::ScrollSpeed, add(std::make_unique<ScrollSpeedSection>(redraw)));
    panels.setSection(RightSection::AngleSnap, add(std::make_unique<AngleSnapSection>()));
    panels.setXySection(add(std::make_unique<XySection>()));

    ProfileStore* store = &parts.store;
    AtomicFileWriter* writer = &parts.writer;
    auto macroNames = [store, writer]() -> Result<std::vector<std::string>> {
        Result<MacroStore> macros = MacroStore::open(store->macroFilePath(), *writer);
        if (!macros)
            return macros.error();
        return macros->listMacros();
    };
    auto assignment =
        std::make_unique<ButtonAssignmentSection>(*store, parts.defaultSkin, macroNames);
    ButtonAssignmentSection* buttons = assignment.get();
    panels.setAssignmentSection(add(std::move(assignment)));
    SkinLibrary* skin = &parts.context.skin;
    panels.setPictureMarks([skin, buttons](QPainter& painter, MouseView view) {
        buttons->paintPictureMarks(painter, *skin,
                                   view == MouseView::Front ? ButtonPictureView::Front
                                                            : ButtonPictureView::Side);
    });
    QObject::connect(buttons, &ButtonAssignmentSection::redrawNeeded, window, redraw);
    QObject::connect(buttons, &ButtonAssignmentSection::assignmentChanged, window, redraw);
    window->setPointerObserver([buttons](QPoint point) { return buttons->pointerMoved(point); });
    QObject::connect(&panels, &MainPanels::redrawNeeded, window, redraw);
    window->setPanels(&panels);
    panels.refresh();
    return built;
}

} // namespace volantra
