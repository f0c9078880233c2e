// The floors for start-up figures: a Qt Widgets window of the main window's size with
// nothing in it, mapped the same way as the program's. Given a PNG, the window also
// decodes it and draws it with one line of text over it: the least a skinned window does.
// Usage: bare_qt_window [IMAGE]
#include <QApplication>
#include <QImageReader>
#include <QPainter>
#include <QWidget>
#include <memory>

namespace {

class SkinnedWindow : public QWidget
{
public:
    explicit SkinnedWindow(const QString& imagePath)
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    {
        QImageReader reader(imagePath, "png");
        reader.setAutoDetectImageFormat(false);
        m_image = reader.read().convertToFormat(QImage::Format_RGB32);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, m_image);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(20, 20), QStringLiteral("Gaming Mouse"));
    }

private:
    QImage m_image;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    std::unique_ptr<QWidget> window =
        arguments.size() > 1
            ? std::make_unique<SkinnedWindow>(arguments.at(1))
            : std::make_unique<QWidget>(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window->setWindowTitle(QStringLiteral("Bare Qt window"));
    window->setFixedSize(994, 634);
    window->show();
    return application.exec();
}
