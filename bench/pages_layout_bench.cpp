// Click-to-redraw of the panel layout with the default skin: a press on a right-panel
// header opens or closes its section, then every panel is painted again into the window's
// persistent picture, as the main window does after a header click.
#include "model/settings_record.h"
#include "pages/qt/angle_snap_section.h"
#include "pages/qt/dpi_section.h"
#include "pages/qt/lighting_section.h"
#include "pages/qt/main_panels.h"
#include "pages/qt/report_rate_section.h"
#include "pages/qt/xy_section.h"
#include "skin/qt/skin_library.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace volantra {
namespace {

constexpr QSize kWindowSize(1000, 640);

void headerClickToRedraw(benchmark::State& state, QPoint header)
{
    SettingsRecord record;
    SkinLibrary skin(SkinRoot::defaultSkin(VOLANTRA_DEFAULT_DATA_DIR));
    if (!skin.exists("/main.png")) {
        state.SkipWithError("the default skin is not built");
        return;
    }
    QWidget window;
    SectionContext context{.record = record,
                           .skin = skin,
                           .window = &window,
                           .textColour = Qt::white,
                           .font = QFont(),
                           .text = [](const char* english) { return QString(english); }};
    XySection xy;
    DpiSection dpi;
    LightingSection lighting;
    ReportRateSection rate;
    AngleSnapSection angleSnap;
    MainPanels panels(context);
    panels.setXySection(&xy);
    panels.setSection(RightSection::Dpi, &dpi);
    panels.setSection(RightSection::Lighting, &lighting);
    panels.setSection(RightSection::ReportRate, &rate);
    panels.setSection(RightSection::AngleSnap, &angleSnap);
    panels.refresh();
    panels.press(QPoint(100, 180)); // X/Y open, so the left panel draws content too

    QImage picture(kWindowSize, QImage::Format_ARGB32_Premultiplied);
    const auto redraw = [&] {
        QPainter painter(&picture);
        skin.draw(painter, "/main.png", QPoint(0, 0));
        panels.paint(painter);
    };
    redraw(); // the first paint decodes the images

    for (auto _ : state) {
        if (!panels.press(header).redraw)
            std::abort(); // every press must toggle the section, or nothing is measured
        redraw();
        benchmark::DoNotOptimize(picture.constBits());
    }
}
// Lighting's header stays at y 57 while DPI is closed; DPI's header at the top also
// creates and takes down the section's value boxes.
BENCHMARK_CAPTURE(headerClickToRedraw, lighting, QPoint(800, 60))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(headerClickToRedraw, dpi, QPoint(800, 40))->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace volantra
