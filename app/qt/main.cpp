// volantra: the configuration program of the Volantra gaming mouse, living in the tray.
#include "app/app_options.h"
#include "app/qt/exposure_report.h"
#include "app/qt/main_controller.h"
#include "app/qt/single_instance.h"
#include "app/qt/termination_signals.h"
#include "app/qt/window_fonts.h"
#include "common/version.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <future>
#include <malloc.h>

namespace {

// Two spellings of one folder (a trailing slash, "..", a symbolic link) are the same.
bool sameFolder(const QString& a, const QString& b)
{
    const auto canonical = [](const QString& path) {
        const QFileInfo info(path);
        const QString resolved = info.canonicalFilePath();
        return resolved.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : resolved;
    };
    return canonical(a) == canonical(b);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const volantra::AppOptions::Parsed parsed = volantra::AppOptions::parse(arguments);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "volantra: %s\n%s", parsed.error.c_str(),
                     volantra::AppOptions::kUsage);
        return 2;
    }
    if (parsed.options.help) {
        std::fputs(volantra::AppOptions::kUsage, stdout);
        return 0;
    }
    if (parsed.options.version) {
        std::printf("volantra %s\n", volantra::kVersion);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("volantra"));
    QApplication::setDesktopFileName(QStringLiteral("volantra"));
    QApplication::setApplicationVersion(QString::fromUtf8(volantra::kVersion));
    volantra::ExposureReport::installIfAsked(application);
    // The program lives in the tray: closing or hiding the window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    volantra::SingleInstance instance;
    switch (instance.claim()) {
    case volantra::SingleInstance::Role::Secondary:
        // The running program shows its window, as a click on its icon would.
        if (!instance.forward(parsed.options.update ? QStringLiteral("update")
                                                    : QStringLiteral("show"))) {
            std::fprintf(stderr, "volantra: %s\n", qUtf8Printable(instance.error()));
            return 1;
        }
        if (parsed.options.dataDirectory) {
            const QString asked = QString::fromStdString(*parsed.options.dataDirectory);
            const QString running = instance.runningDataDirectory();
            if (!running.isEmpty() && !sameFolder(asked, running))
                std::fprintf(stderr,
                             "volantra: the running program keeps its data folder %s; --data-dir "
                             "%s is not used. Exit the running program first to use that "
                             "folder.\n",
                             qUtf8Printable(running), qUtf8Printable(asked));
        }
        return 0;
    case volantra::SingleInstance::Role::Failed:
        std::fprintf(stderr, "volantra: %s\n", qUtf8Printable(instance.error()));
        return 1;
    case volantra::SingleInstance::Role::Primary:
        break;
    }

    // Waited for at the end, before the application goes.
    const std::future<void> fontList = volantra::loadFontListInBackground();
    volantra::MainController controller(parsed.options);
    // A log-out or kill ends the program as Exit does, without asking about unapplied
    // edits: the profile files keep what was last applied. exit(), not quit(), which would
    // first ask the windows to close, and the main window may ask the user.
    volantra::TerminationSignals termination;
    QObject::connect(&termination, &volantra::TerminationSignals::received, &application,
                     [&application] { application.exit(0); });
    QObject::connect(&instance, &volantra::SingleInstance::requested, &controller,
                     &volantra::MainController::handleRequest);
    QObject::connect(&controller, &volantra::MainController::finished, &application,
                     &QApplication::exit, Qt::QueuedConnection);
    if (volantra::Status started = controller.start(); !started) {
        std::fprintf(stderr, "volantra: %s\n", started.error().message.c_str());
        return 1;
    }
    instance.setDataDirectory(QString::fromStdString(controller.dataDirectory()));
    // The images were decoded on several threads, each with its own malloc arena; what
    // the decoders freed there goes back to the system instead of staying resident. Once
    // the event loop runs, so the window's map request is not held up by it.
    QTimer::singleShot(0, [] { malloc_trim(0); });
    return application.exec();
}
