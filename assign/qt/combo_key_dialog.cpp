#include "assign/qt/combo_key_dialog.h"

#include "assign/capture_dialog_areas.h"
#include "assign/key_table.h"
#include "assign/qt/qt_key_names.h"
#include "common/qt/qt_text.h"
#include "skin/qt/dialog_key_filter.h"
#include "skin/qt/qt_rect.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QSignalBlocker>
#include <QStringList>

namespace volantra {
namespace {

namespace areas = capture_dialog_areas::combo_key;

QLineEdit* makeKeyField(QWidget* parent, QRect area)
{
    auto* field = new QLineEdit(parent);
    field->setGeometry(area);
    field->setFrame(false);
    field->setAlignment(Qt::AlignCenter);
    // The field shows what the capture caught; it never edits text of its own.
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);
    field->setContextMenuPolicy(Qt::NoContextMenu);
    field->setAttribute(Qt::WA_InputMethodEnabled, false);
    field->setStyleSheet(assignmentFieldStyle("QLineEdit"));
    return field;
}

} // namespace

ComboKeyDialog::ComboKeyDialog(SkinLibrary& skin, SkinLibrary* fallbackSkin, Language language,
                               QColor textColour, QWidget* parent)
    : AssignmentDialog(CaptureDialogKind::ComboKey, skin, fallbackSkin, language, textColour,
                       parent)
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setContextMenuPolicy(Qt::NoContextMenu);

    m_modifierField = new QLabel(this);
    m_modifierField->setGeometry(qtRect(areas::kModifierField));
    m_modifierField->setAlignment(Qt::AlignCenter);
    m_modifierField->setStyleSheet(assignmentFieldStyle("QLabel"));
    // Presses on the field belong to the modifier box around it.
    m_modifierField->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_firstKey = makeKeyField(this, qtRect(areas::kFirstKey));
    m_secondKey = makeKeyField(this, qtRect(areas::kSecondKey));

    m_modifierList = new QListWidget(this);
    m_modifierList->setGeometry(qtRect(areas::kModifierList));
    m_modifierList->setFocusPolicy(Qt::NoFocus);
    m_modifierList->setContextMenuPolicy(Qt::NoContextMenu);
    m_modifierList->setUniformItemSizes(true);
    m_modifierList->setMouseTracking(true);
    m_modifierList->viewport()->setMouseTracking(true);
    m_modifierList->setStyleSheet(
        QStringLiteral("QListWidget { color: white; background-color: rgb(40, 40, 40); "
                       "border: 1px solid rgb(90, 90, 90); }"));
    for (const KeyName& modifier : modifierNameTable()) {
        auto* item = new QListWidgetItem(qtText(modifier.name), m_modifierList);
        item->setSizeHint(QSize(areas::kModifierList.width() - 2, kRowHeight));
    }
    m_modifierList->hide();
    // Hot tracking: the row under the pointer is the selection, without choosing it.
    connect(m_modifierList, &QListWidget::itemEntered, this, [this](QListWidgetItem* item) {
        const QSignalBlocker blocker(m_modifierList);
        m_modifierList->setCurrentItem(item);
    });
    connect(m_modifierList, &QListWidget::itemClicked, this, &ComboKeyDialog::modifierClicked);
    connect(m_modifierList, &QListWidget::itemDoubleClicked, this,
            &ComboKeyDialog::modifierClicked);

    auto* keys = new DialogKeyFilter(this, DialogKeyFilter::Reports::WindowDeliveries);
    connect(keys, &DialogKeyFilter::keyEvent, this,
            [this](const QKeyEvent& key) { keyCaught(QtKeyNames::captured(key)); });
    m_firstKey->setFocus();
}

QLineEdit* ComboKeyDialog::keyField(ComboKeyField field) const
{
    return field == ComboKeyField::First ? m_firstKey : m_secondKey;
}

std::optional<ComboKeyField> ComboKeyDialog::focusedField() const
{
    // The dialog's own focus child, whether or not the window is active yet.
    const QWidget* focused = focusWidget();
    if (focused == m_firstKey)
        return ComboKeyField::First;
    if (focused == m_secondKey)
        return ComboKeyField::Second;
    return std::nullopt;
}

void ComboKeyDialog::keyCaught(const CapturedKeyEvent& event)
{
    m_capture.keyEvent(focusedField(), event);
    for (ComboKeyField field : {ComboKeyField::First, ComboKeyField::Second})
        keyField(field)->setText(qtText(m_capture.shownName(field)));
    update(); // the key cap shows the keys
}

void ComboKeyDialog::modifierClicked(QListWidgetItem* item)
{
    m_capture.chooseModifier(static_cast<std::size_t>(m_modifierList->row(item)));
    m_modifierField->setText(qtText(m_capture.modifierName()));
    showListState();
}

void ComboKeyDialog::showListState()
{
    const bool open = m_capture.modifierListOpen();
    if (open && !m_modifierList->isVisible()) {
        const QSignalBlocker blocker(m_modifierList);
        m_modifierList->clearSelection();
        m_modifierList->setCurrentRow(-1);
        m_modifierList->scrollToTop();
        // The fields lose the focus, so no key lands in them while the list is open.
        m_focusBeforeList = focusedField();
        setFocus();
    }
    m_modifierList->setVisible(open);
    if (open)
        m_modifierList->raise();
    m_firstKey->setEnabled(!open);
    m_secondKey->setEnabled(!open);
    if (!open && m_focusBeforeList) {
        // The next key goes where it would have gone before the list opened.
        keyField(*m_focusBeforeList)->setFocus();
        m_focusBeforeList.reset();
    }
    update();
}

bool ComboKeyDialog::pressed(QPoint at)
{
    const bool onBox = areas::kModifierBox.contains(at.x(), at.y());
    if (m_capture.modifierListOpen() && !onBox && !areas::kModifierList.contains(at.x(), at.y())) {
        m_capture.closeModifierList();
        showListState();
    }
    if (onBox) {
        m_capture.toggleModifierList();
        showListState();
    }
    return onBox;
}

bool ComboKeyDialog::takeOk()
{
    m_choice = m_capture.ok();
    return m_choice.has_value();
}

void ComboKeyDialog::paintDialog(QPainter& painter)
{
    drawKeyPromptAndNote(painter, areas::kPrompt, m_capture.prompt());
    painter.setFont(dialogFont());
    // The key caps show the combination: the modifier, and the keys one over the other.
    drawCentred(painter, qtRect(areas::kModifierTile), qtText(m_capture.modifierName()));
    QStringList keys;
    for (ComboKeyField field : {ComboKeyField::First, ComboKeyField::Second}) {
        if (!m_capture.shownName(field).empty())
            keys << qtText(m_capture.shownName(field));
    }
    drawFitted(painter, qtRect(areas::kKeyTile), Qt::AlignCenter, keys.join(QLatin1Char('\n')));
}

} // namespace volantra
