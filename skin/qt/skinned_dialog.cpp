#include "skin/qt/skinned_dialog.h"

#include "skin/qt/enter_escape.h"
#include "skin/qt/skin_image.h"
#include "skin/qt/skin_library.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

namespace volantra {

SkinnedDialog::SkinnedDialog(SkinLibrary& skin, SkinLibrary* fallbackSkin,
                             std::string backgroundPath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_skin(&skin), m_imageSource(&skin)
{
    m_background = skin.image(backgroundPath);
    if (m_background.isNull() && fallbackSkin) {
        m_background = fallbackSkin->image(backgroundPath);
        if (!m_background.isNull())
            m_imageSource = fallbackSkin;
    }
    if (!m_background.isNull())
        setFixedSize(SkinImage::logicalSize(m_background));
}

int SkinnedDialog::execCentred()
{
    if (QWidget* owner = parentWidget()) {
        const QRect frame = owner->window()->geometry();
        move(frame.center() - rect().center());
    }
    return exec();
}

void SkinnedDialog::paintEvent(QPaintEvent*)
{
    // Qt already paints widgets into a back buffer and shows it in one step.
    QPainter painter(this);
    painter.drawImage(0, 0, m_background);
    paintContent(painter);
}

void SkinnedDialog::keyPressEvent(QKeyEvent* event)
{
    if (!swallowEnterAndEscape(*event))
        QDialog::keyPressEvent(event);
}

void SkinnedDialog::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (isVisible())
        reject();
}

} // namespace volantra
