// Click-to-redraw of the Mouse Speed, Double Click Speed and Scroll Speed sections with the
// default skin: a press that changes the record, then the section painted into the
// window's persistent picture, as the main window does it. The presses alternate between
// values, so every iteration stores and redraws.
#include "model/settings_record.h"
#include "pages/qt/scroll_speed_section.h"
#include "pages/qt/speed_dial_section.h"
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
// Left and bottom of the sections' headers with every section collapsed.
constexpr QPoint kMouseSpeedOrigin(734, 127);
constexpr QPoint kDoubleClickOrigin(734, 152);
constexpr QPoint kScrollSpeedOrigin(734, 177);

void clickAndRedraw(benchmark::State& state, SectionView& section, QPoint origin,
                    const QPoint* presses, std::size_t pressCount)
{
    SettingsRecord record;
    record.setWheelScrollLines(50);
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
        if (!section.click(origin + presses[next], origin, context))
            std::abort(); // every press must change the record, or nothing is measured
        next = (next + 1) % pressCount;
        QPainter painter(&window);
        section.paint(painter, origin, context);
        painter.end();
        benchmark::DoNotOptimize(window.constBits());
    }
}

void dialClickToRedraw(benchmark::State& state, SpeedDialRules::Purpose purpose, QPoint origin)
{
    SpeedDialSection section(purpose);
    // The dial's centre in the 242-wide background is (121, 91): straight up, the right
    // horizontal and the left horizontal give 7, 12 and 2.
    const QPoint presses[] = {QPoint(121, 91 - 60), QPoint(121 + 60, 91), QPoint(121 - 60, 91)};
    clickAndRedraw(state, section, origin, presses, std::size(presses));
}

void mouseSpeedClickToRedraw(benchmark::State& state)
{
    dialClickToRedraw(state, SpeedDialRules::Purpose::PointerSpeed, kMouseSpeedOrigin);
}
BENCHMARK(mouseSpeedClickToRedraw)->Unit(benchmark::kMicrosecond);

void doubleClickSpeedClickToRedraw(benchmark::State& state)
{
    dialClickToRedraw(state, SpeedDialRules::Purpose::DoubleClickSpeed, kDoubleClickOrigin);
}
BENCHMARK(doubleClickSpeedClickToRedraw)->Unit(benchmark::kMicrosecond);

void scrollSpeedClickToRedraw(benchmark::State& state)
{
    // Up and down arrow in turn, then the screen and lines marks.
    const QPoint presses[] = {QPoint(195, 18), QPoint(195, 25), QPoint(15, 55), QPoint(15, 20)};
    ScrollSpeedSection section;
    clickAndRedraw(state, section, kScrollSpeedOrigin, presses, std::size(presses));
}
BENCHMARK(scrollSpeedClickToRedraw)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace volantra
