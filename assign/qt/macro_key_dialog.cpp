#include "assign/qt/macro_key_dialog.h"

#include "assign/capture_dialog_areas.h"
#include "common/qt/qt_text.h"
#include "skin/qt/message_service.h"
#include "skin/qt/qt_rect.h"
#include "skin/qt/skin_library.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

namespace volantra {
namespace {

namespace areas = capture_dialog_areas::macro_key;

constexpr int kWheelRows = 3;
const SkinButtonFaces kTickFaces{
    .normal = "/Pane.png", .over = "", .checkedNormal = "/PaneMakingTick.png"};

} // namespace

MacroKeyDialog::MacroKeyDialog(SkinLibrary& skin, SkinLibrary* fallbackSkin, Language language,
                               QColor textColour, MacroNameSource macroNames, QWidget* parent)
    : AssignmentDialog(CaptureDialogKind::MacroKey, skin, fallbackSkin, language, textColour,
                       parent),
      m_macroNames(std::move(macroNames))
{
    for (std::uint8_t mode = 0; mode < kRepeatModeCount; ++mode)
        m_ticks.add(mode, areas::kTicks[mode], kTickFaces);
    m_selection = MacroKeySelection(readNames());

    m_nameField = new QLabel(this);
    m_nameField->setGeometry(qtRect(areas::kNameField));
    m_nameField->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_nameField->setStyleSheet(assignmentFieldStyle("QLabel"));
    m_nameField->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_macroList = new QListWidget(this);
    m_macroList->setGeometry(qtRect(areas::kMacroList));
    m_macroList->setFocusPolicy(Qt::NoFocus);
    m_macroList->setContextMenuPolicy(Qt::NoContextMenu);
    m_macroList->setUniformItemSizes(true);
    m_macroList->setMouseTracking(true);
    m_macroList->viewport()->setMouseTracking(true);
    m_macroList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_macroList->setStyleSheet(
        QStringLiteral("QListWidget { color: white; background-color: rgb(40, 40, 40); "
                       "border: 1px solid rgb(90, 90, 90); }"));
    m_macroList->hide();
    connect(m_macroList, &QListWidget::itemEntered, this, [this](QListWidgetItem* item) {
        const QSignalBlocker blocker(m_macroList);
        m_macroList->setCurrentItem(item);
    });
    connect(m_macroList, &QListWidget::itemClicked, this, &MacroKeyDialog::macroClicked);
    connect(m_macroList, &QListWidget::itemDoubleClicked, this, &MacroKeyDialog::macroClicked);
}

std::vector<std::string> MacroKeyDialog::readNames()
{
    if (!m_macroNames)
        return {};
    Result<std::vector<std::string>> names = m_macroNames();
    if (!names) {
        // Read once before the dialog shows, so the message stands over its owner then.
        MessageService::warning(isVisible() ? this : parentWidget(), QStringLiteral("Warning"),
                                QString::fromStdString(names.error().message));
        return {};
    }
    return std::move(names.value());
}

void MacroKeyDialog::macroClicked(QListWidgetItem* item)
{
    m_selection.chooseMacro(static_cast<std::size_t>(m_macroList->row(item)));
    m_nameField->setText(qtText(m_selection.macroName()));
    showListState();
}

void MacroKeyDialog::showListState()
{
    const bool open = m_selection.listOpen();
    if (open) {
        const QSignalBlocker blocker(m_macroList);
        m_macroList->clear();
        for (const std::string& name : m_selection.listedNames()) {
            auto* item = new QListWidgetItem(QString::fromStdString(name), m_macroList);
            item->setSizeHint(QSize(areas::kMacroList.width() - 2, kRowHeight));
        }
        m_macroList->raise();
    }
    m_macroList->setVisible(open);
    update();
}

bool MacroKeyDialog::pressed(QPoint at)
{
    const bool onBox = areas::kMacroBox.contains(at.x(), at.y());
    if (m_selection.listOpen() && !onBox && !areas::kMacroList.contains(at.x(), at.y())) {
        m_selection.closeList();
        showListState();
    }
    if (onBox) {
        if (m_selection.listOpen())
            m_selection.closeList();
        else
            m_selection.openList(readNames());
        showListState();
        return true;
    }
    if (const std::optional<std::uint8_t> mode = m_ticks.at(at)) {
        m_selection.chooseRepeatMode(*mode);
        update();
        return true;
    }
    return false;
}

bool MacroKeyDialog::takeOk()
{
    m_choice = m_selection.ok();
    return m_choice.has_value();
}

void MacroKeyDialog::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        pressOk();
        return;
    case Qt::Key_Escape:
        event->accept();
        reject();
        return;
    default:
        AssignmentDialog::keyPressEvent(event);
    }
}

void MacroKeyDialog::wheelEvent(QWheelEvent* event)
{
    if (!m_macroList->isVisible()) {
        event->ignore();
        return;
    }
    QScrollBar* bar = m_macroList->verticalScrollBar();
    const int rows = event->angleDelta().y() <= 0 ? kWheelRows : -kWheelRows;
    bar->setValue(bar->value() + rows * bar->singleStep());
    event->accept();
}

void MacroKeyDialog::paintDialog(QPainter& painter)
{
    for (std::uint8_t mode = 0; mode < kRepeatModeCount; ++mode)
        m_ticks[mode].setChecked(mode == m_selection.repeatMode());
    m_ticks.draw(painter, imageSource());
    painter.setFont(dialogFont());
    painter.setPen(Qt::white);
    drawCentred(painter, qtRect(areas::kPrompt),
                qtText(capturePromptText(m_selection.prompt(), language())));
    for (std::uint8_t mode = 0; mode < kRepeatModeCount; ++mode) {
        drawFitted(painter, qtRect(areas::kModeTexts[mode]),
                   Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                   qtText(repeatModeText(mode, language())));
    }
}

} // namespace volantra
