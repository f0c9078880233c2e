// Click-to-redraw of the DPI Setting and Lighting sections with the default skin: a press
// that changes the record, then the section painted into the window's persistent picture,
// as the main window does it. The presses alternate between values, so every iteration
// stores and redraws.
#include "model/settings_record.h"
#include "pages/qt/dpi_section.h"
#include "pages/qt/lighting_section.h"
#include "skin/qt/skin_library.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <iterator>

namespace volantra {
namespace {

constexpr QSize kWindowSize(1000, 640);
constexpr QPoint kDpiOrigin(734, 52);
constexpr QPoint kLightingOrigin(734, 77);

void clickAndRedraw(benchmark::State& state, SectionView& section, QPoint origin,
                    const QPoint* presses, std::size_t pressCount)
{
    SettingsRecord record;
    SkinLibrary skin(SkinRoot::defaultSkin(VOLANTRA_DEFAULT_DATA_DIR));
    if (!skin.exists(section.contentBackground())) {
        state.SkipWithError("the default skin is not built");
        return;
    }
    SectionContext context{.record = record,
                           .skin = skin,
                           .window = nullptr,
                           .textColour = Qt::white,
                           .font = QFont(),
                           .text = [](const char* english) { return QString(english); }};
    QImage window(kWindowSize, QImage::Format_ARGB32_Premultiplied);
    window.fill(Qt::black);
    {
        QPainter painter(&window); // the first paint decodes the images
        section.paint(painter, origin, context);
    }

    std::size_t next = 0;
    for (auto _ : state) {
        if (!section.click(presses[next], origin, context))
            std::abort(); // every press must change the record, or nothing is measured
        section.release();
        next = (next + 1) % pressCount;
        QPainter painter(&window);
        section.paint(painter, origin, context);
        painter.end();
        benchmark::DoNotOptimize(window.constBits());
    }
}

void dpiBarClickToRedraw(benchmark::State& state)
{
    // Low, middle and top of the bars of stages 1 and 4.
    const QPoint presses[] = {QPoint(780, 200), QPoint(940, 150), QPoint(780, 95),
                              QPoint(940, 200), QPoint(780, 150), QPoint(940, 95)};
    DpiSection section;
    clickAndRedraw(state, section, kDpiOrigin, presses, std::size(presses));
}
BENCHMARK(dpiBarClickToRedraw)->Unit(benchmark::kMicrosecond);

void lightingClickToRedraw(benchmark::State& state)
{
    // The three mode marks, then the Standard slider's lowest and highest levels.
    const QPoint presses[] = {QPoint(750, 100), QPoint(750, 130), QPoint(750, 158),
                              QPoint(835, 100), QPoint(960, 100)};
    LightingSection section;
    clickAndRedraw(state, section, kLightingOrigin, presses, std::size(presses));
}
BENCHMARK(lightingClickToRedraw)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace volantra
