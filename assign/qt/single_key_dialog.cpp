#include "assign/qt/single_key_dialog.h"

#include "assign/qt/key_capture_filter.h"
#include "assign/qt/qt_text.h"

#include <QLabel>
#include <QPainter>

namespace volantra {
SingleKeyDialog::SingleKeyDialog(SkinLibrary& skin, SkinLibrary* fallbackSkin, Language language,
                                 QColor textColour, QWidget* parent)
    : AssignmentDialog(CaptureDialogKind::SingleKey, skin, fallbackSkin, language, textColour,
                       parent)
{
    // Keys go to the capture; no input method may turn them into text first.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setContextMenuPolicy(Qt::NoContextMenu);

    m_nameField = new QLabel(this);
    m_nameField->setGeometry(kNameArea);
    m_nameField->setAlignment(Qt::AlignCenter);
    m_nameField->setStyleSheet(QStringLiteral("QLabel { color: black; background: white; }"));
    m_nameField->setContextMenuPolicy(Qt::NoContextMenu);

    m_filter = new KeyCaptureFilter(this);
    connect(m_filter, &KeyCaptureFilter::keyCaught, this, &SingleKeyDialog::keyCaught);
}

QString SingleKeyDialog::shownName() const
{
    return m_nameField->text();
}

void SingleKeyDialog::keyCaught(const CapturedKeyEvent& event)
{
    m_capture.keyEvent(event);
    m_nameField->setText(qtText(m_capture.shownName()));
    update(); // the key cap shows the key
}

bool SingleKeyDialog::takeOk()
{
    m_choice = m_capture.ok();
    return m_choice.has_value();
}

void SingleKeyDialog::paintDialog(QPainter& painter)
{
    painter.setFont(dialogFont());
    painter.setPen(textColour());
    drawCentred(painter, kPromptArea, qtText(capturePromptText(m_capture.prompt(), language())));
    drawCentred(painter, kKeyTileArea, qtText(m_capture.shownName()));
    drawDesktopKeysNote(painter);
}

} // namespace volantra
