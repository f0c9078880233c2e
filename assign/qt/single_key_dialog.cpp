#include "assign/qt/single_key_dialog.h"

#include "assign/capture_dialog_areas.h"
#include "assign/qt/qt_key_names.h"
#include "common/qt/qt_text.h"
#include "skin/qt/dialog_key_filter.h"
#include "skin/qt/qt_rect.h"

#include <QLabel>
#include <QPainter>

namespace volantra {

namespace areas = capture_dialog_areas::single_key;

SingleKeyDialog::SingleKeyDialog(SkinLibrary& skin, SkinLibrary* fallbackSkin, Language language,
                                 QColor textColour, QWidget* parent)
    : AssignmentDialog(CaptureDialogKind::SingleKey, skin, fallbackSkin, language, textColour,
                       parent)
{
    // Keys go to the capture; no input method may turn them into text first.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setContextMenuPolicy(Qt::NoContextMenu);

    m_nameField = new QLabel(this);
    m_nameField->setGeometry(qtRect(areas::kName));
    m_nameField->setAlignment(Qt::AlignCenter);
    m_nameField->setStyleSheet(QStringLiteral("QLabel { color: black; background: white; }"));
    m_nameField->setContextMenuPolicy(Qt::NoContextMenu);

    auto* keys = new DialogKeyFilter(this, DialogKeyFilter::Reports::WindowDeliveries);
    connect(keys, &DialogKeyFilter::keyEvent, this,
            [this](const QKeyEvent& key) { keyCaught(QtKeyNames::captured(key)); });
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
    drawKeyPromptAndNote(painter, areas::kPrompt, m_capture.prompt());
    painter.setFont(dialogFont());
    drawCentred(painter, qtRect(areas::kKeyTile), qtText(m_capture.shownName()));
}

} // namespace volantra
