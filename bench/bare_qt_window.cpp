// The floor for start-up figures: a Qt Widgets window of the main window's size with
// nothing in it, mapped the same way as the program's.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    window.setFixedSize(994, 634);
    window.show();
    return application.exec();
}
