#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <string>

namespace volantra {

class SkinLibrary;

// A frameless dialog drawn from its skin background, which also gives its size.
//
// When the chosen skin lacks the background, the installed default skin's image is
// used; when that is missing too, hasBackground() is false and the caller says so once
// and does not open the dialog. Enter and Esc never end it: the skinned buttons do, and
// a close request of the window manager ends it as Cancel.
class SkinnedDialog : public QDialog
{
    Q_OBJECT

public:
    SkinnedDialog(SkinLibrary& skin, SkinLibrary* fallbackSkin, std::string backgroundPath,
                  QWidget* parent = nullptr);

    bool hasBackground() const { return !m_background.isNull(); }
    const QImage& background() const { return m_background; }
    SkinLibrary& skin() { return *m_skin; }
    // The library the background came from, for the dialog's other images.
    SkinLibrary& imageSource() { return *m_imageSource; }

    // Shows the dialog centred on its parent window.
    int execCentred();

protected:
    // Draws the dialog's own images and texts over the background.
    virtual void paintContent(QPainter& painter) = 0;

    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    SkinLibrary* m_skin;
    SkinLibrary* m_imageSource;
    QImage m_background;
};

} // namespace volantra
