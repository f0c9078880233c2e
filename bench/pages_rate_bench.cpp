// Click-to-redraw of the USB Report Rate and Angle Snap sections with the default skin:
// a press that changes the record, then the section painted into the window's persistent
// picture, as the main window does it. Each press picks another value than the last, so
// every iteration stores and redraws.
#include "model/settings_record.h"
#include "pages/qt/angle_snap_section.h"
#include "pages/qt/report_rate_section.h"
#include "skin/qt/skin_library.h"

#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <iterator>

namespace volantra {
namespace {

constexpr QSize kWindowSize(1000, 640);
// Left and bottom of the sections' headers with every section collapsed.
constexpr QPoint kReportRateOrigin(734, 102);
constexpr QPoint kAngleSnapOrigin(734, 202);

SkinLibrary defaultSkin()
{
    return SkinLibrary(SkinRoot::defaultSkin(VOLANTRA_DEFAULT_DATA_DIR));
}

void clickAndRedraw(benchmark::State& state, SectionView& section, QPoint origin,
                    const QPoint* presses, std::size_t pressCount)
{
    SettingsRecord record;
    SkinLibrary skin = defaultSkin();
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

void reportRateClickToRedraw(benchmark::State& state)
{
    // The four quadrants of the ring, 40 pixels across and up or down from its centre.
    const QSize background = defaultSkin().size(ReportRateSection().contentBackground());
    const QPoint centre(background.width() / 2, 69);
    const QPoint presses[] = {centre + QPoint(40, -40), centre + QPoint(40, 40),
                              centre + QPoint(-40, 40), centre + QPoint(-40, -40)};
    ReportRateSection section;
    clickAndRedraw(state, section, kReportRateOrigin, presses, std::size(presses));
}
BENCHMARK(reportRateClickToRedraw)->Unit(benchmark::kMicrosecond);

void angleSnapClickToRedraw(benchmark::State& state)
{
    // Levels 1, 5 and 10 of the slider at (20,106).
    const QPoint presses[] = {QPoint(20, 110), QPoint(20 + 9 + 21 * 3, 110), QPoint(20 + 200, 110)};
    AngleSnapSection section;
    clickAndRedraw(state, section, kAngleSnapOrigin, presses, std::size(presses));
}
BENCHMARK(angleSnapClickToRedraw)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace volantra
