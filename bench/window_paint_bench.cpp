// Painting of the main window into its off-screen picture: a full repaint (background,
// every panel with the sections open that fit, the buttons) and the redraw a hover over
// one of the window's buttons makes.
#include "app/qt/main_controller.h"
#include "app/qt/main_window.h"
#include "pages/panel_state.h"
#include "pages/qt/main_panels.h"

#include <QApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

using namespace volantra;

struct Fixture
{
    Fixture()
    {
        folder = std::filesystem::temp_directory_path() /
                 ("volantra-bench-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder);
        std::filesystem::copy(VOLANTRA_DEFAULT_DATA_DIR, folder,
                              std::filesystem::copy_options::recursive);
        AppOptions options;
        options.simulate = true;
        options.dataDirectory = folder.string();
        controller = std::make_unique<MainController>(options);
        if (!controller->start())
            std::abort();
    }
    ~Fixture()
    {
        controller.reset();
        std::filesystem::remove_all(folder);
    }

    // A press on a header of the right panel, to open its section.
    void pressAt(QPoint point)
    {
        QMouseEvent press(QEvent::MouseButtonPress, point, controller->window().mapToGlobal(point),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&controller->window(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, point,
                            controller->window().mapToGlobal(point), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(&controller->window(), &release);
    }

    std::filesystem::path folder;
    std::unique_ptr<MainController> controller;
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

void fullRepaint(benchmark::State& state)
{
    Fixture& f = fixture();
    // DPI and Lighting open: the tallest top view the rules allow with two sections.
    const PanelState& panels = f.controller->panels().state();
    if (!panels.expanded(RightSection::Dpi))
        f.pressAt(QPoint(800, 42));
    for (auto _ : state)
        f.controller->window().redrawAll();
}
BENCHMARK(fullRepaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void hoverRedraw(benchmark::State& state)
{
    Fixture& f = fixture();
    MainWindow& window = f.controller->window();
    const QPoint onApply(950, 619);
    const QPoint away(500, 300);
    bool over = false;
    for (auto _ : state) {
        const QPoint to = over ? away : onApply;
        QMouseEvent move(QEvent::MouseMove, to, window.mapToGlobal(to), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &move);
        over = !over;
    }
}
BENCHMARK(hoverRedraw)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
