// volantra: the configuration program of the Volantra gaming mouse, living in the tray.
#include "app/app_options.h"
#include "app/main_controller.h"
#include "app/single_instance.h"

#include <QApplication>
#include <cstdio>

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

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("volantra"));
    QApplication::setDesktopFileName(QStringLiteral("volantra"));
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
        return 0;
    case volantra::SingleInstance::Role::Failed:
        std::fprintf(stderr, "volantra: %s\n", qUtf8Printable(instance.error()));
        return 1;
    case volantra::SingleInstance::Role::Primary:
        break;
    }

    volantra::MainController controller(parsed.options);
    QObject::connect(&instance, &volantra::SingleInstance::requested, &controller,
                     &volantra::MainController::handleRequest);
    QObject::connect(&controller, &volantra::MainController::finished, &application,
                     &QApplication::exit, Qt::QueuedConnection);
    if (volantra::Status started = controller.start(); !started) {
        std::fprintf(stderr, "volantra: %s\n", started.error().message.c_str());
        return 1;
    }
    return application.exec();
}
