// Click-to-redraw of the Button Assignment section with the default skin: a press on a
// box that opens its function list, and a click in a submenu that assigns a function;
// each followed by the section and the mouse picture's marks painted into the window's
// persistent picture, as the main window does it.
#include "assign/qt/button_assignment_section.h"
#include "model/profile_store.h"
#include "model/settings_record.h"
#include "platform/posix_atomic_file_writer.h"
#include "skin/qt/skin_library.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace volantra {
namespace {

constexpr QSize kWindowSize(1000, 640);
constexpr QPoint kOrigin(20, 127); // the section's header's left and bottom

QPoint boxCentre(std::size_t button)
{
    const Rect box = AssignmentMenu::box(button);
    return kOrigin + QPoint((box.left + box.right) / 2, (box.top + box.bottom) / 2);
}

void send(QWidget* widget, QEvent::Type type, QPoint at)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(Qt::LeftButton) : Qt::NoButton;
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

QPoint rowCentre(QListWidget* list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}

struct Bench
{
    QTemporaryDir data;
    PosixAtomicFileWriter writer;
    ProfileStore store{QDir(data.path()).absolutePath().toStdString(), writer};
    SettingsRecord record;
    SkinLibrary skin{SkinRoot::defaultSkin(VOLANTRA_DEFAULT_DATA_DIR)};
    QWidget window;
    SectionContext context{record,  skin,
                           &window, Qt::white,
                           QFont(), [](const char* english) { return QString(english); }};
    ButtonAssignmentSection section{store, nullptr, {}};
    QImage picture{kWindowSize, QImage::Format_ARGB32_Premultiplied};

    Bench()
    {
        record.setButtonKind(0, 0);
        record.setButtonKind(1, 0);
        window.resize(kWindowSize);
        window.show();
        picture.fill(Qt::black);
        section.showControls(kOrigin, context);
        redraw(); // the first paint decodes the images
    }

    void redraw()
    {
        QPainter painter(&picture);
        section.paint(painter, kOrigin, context);
        section.paintPictureMarks(painter, skin, ButtonPictureView::Front);
        painter.end();
        benchmark::DoNotOptimize(picture.constBits());
    }
};

void boxClickToRedraw(benchmark::State& state)
{
    Bench bench;
    if (!bench.skin.exists(AssignmentMenu::kBackground)) {
        state.SkipWithError("the default skin is not built");
        return;
    }
    std::size_t button = 2;
    for (auto _ : state) {
        // Another box each time: its list opens there and the other one closes.
        bench.section.click(boxCentre(button), kOrigin, bench.context);
        if (bench.section.menu().openButton() != button)
            std::abort();
        bench.redraw();
        button = button == 2 ? 3 : 2;
    }
}
BENCHMARK(boxClickToRedraw)->Unit(benchmark::kMicrosecond);

void submenuChoiceToRedraw(benchmark::State& state)
{
    Bench bench;
    if (!bench.skin.exists(AssignmentMenu::kBackground)) {
        state.SkipWithError("the default skin is not built");
        return;
    }
    constexpr int kMultimedia = 7;
    int entry = 5; // "Mute", then "Stop", and so on
    for (auto _ : state) {
        state.PauseTiming(); // opening the list and its submenu is measured above
        bench.section.click(boxCentre(2), kOrigin, bench.context);
        QListWidget* list = bench.section.functionList();
        // The pointer comes down the list from its first entry to "Multimedia".
        send(list->viewport(), QEvent::MouseMove, rowCentre(list, 0));
        send(list->viewport(), QEvent::MouseMove, rowCentre(list, kMultimedia));
        QListWidget* submenu = bench.section.submenuList();
        if (!submenu || !submenu->isVisible())
            std::abort();
        const QPoint at = rowCentre(submenu, entry);
        state.ResumeTiming();

        send(submenu->viewport(), QEvent::MouseButtonPress, at);
        send(submenu->viewport(), QEvent::MouseButtonRelease, at);
        bench.redraw();
        entry = entry == 5 ? 3 : 5;
    }
    if (bench.record.buttonKind(2) != 7)
        state.SkipWithError("the submenu assigned nothing");
}
BENCHMARK(submenuChoiceToRedraw)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace volantra
