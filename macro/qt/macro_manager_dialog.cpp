#include "macro/qt/macro_manager_dialog.h"

#include "assign/key_names.h"
#include "common/language_table.h"
#include "common/qt/qt_text.h"
#include "macro/macro_manager_areas.h"
#include "skin/qt/dialog_font.h"
#include "skin/qt/dialog_key_filter.h"
#include "skin/qt/enter_escape.h"
#include "skin/qt/list_entry_editor.h"
#include "skin/qt/message_service.h"
#include "skin/qt/qt_rect.h"
#include "skin/qt/skin_library.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>

namespace volantra {
namespace {

namespace areas = macro_manager_areas;

const SkinButtonFaces kRecordFaces{"/MacroManagement/Record-normal.png", ""};
const SkinButtonFaces kSmallButtonFaces{"/MacroManagement/button-new-normal.png",
                                        "/MacroManagement/button-new-over.png"};
const SkinButtonFaces kWideButtonFaces{"/MacroManagement/button-cancel-normal.png",
                                       "/MacroManagement/button-cancel-over.png"};
const SkinButtonFaces kCloseFaces{"/macro-button-close-normal.png", "/macro-button-close-over.png"};
const SkinButtonFaces kOptionFaces{.normal = "/MacroManagement/Pane.png",
                                   .over = "",
                                   .checkedNormal = "/MacroManagement/PaneMakingTick.png"};
constexpr const char* kMissingBackgroundCaption =
    "Macro Manager Dialog Load background image failed!!!";

// X11 and Wayland give a key's Linux input code plus 8 as its scan code; Pause is 119.
constexpr quint32 kScanCodeOffset = 8;
constexpr quint32 kPauseScanCode = 119 + kScanCodeOffset;

// A wheel notch is 120 units and moves the event list three lines.
constexpr int kWheelNotch = 120;
constexpr int kLinesPerNotch = 3;

const QColor kListBackground(109, 109, 109);
const QColor kLoopBoxBackground(0x22, 0x18, 0x15);
// Lines of keys the mouse cannot play.
const QColor kUnplayableText(255, 170, 90);

QString listStyle(QColor background, QColor text)
{
    return QStringLiteral("background-color: %1; color: %2; border: none;")
        .arg(background.name(), text.name());
}

// Ctrl+Pause; X11 gives it with no Qt key, as Break, but with the scan code of Pause.
bool isStopCombination(const QKeyEvent& event)
{
    return event.type() == QEvent::KeyPress && event.modifiers().testFlag(Qt::ControlModifier) &&
           (event.key() == Qt::Key_Pause || event.nativeScanCode() == kPauseScanCode);
}

std::optional<std::string> keyNameByScanCode(const QKeyEvent& event)
{
    if (event.nativeScanCode() <= kScanCodeOffset)
        return std::nullopt;
    const std::optional<std::string_view> name =
        evdevKeyName(event.nativeScanCode() - kScanCodeOffset);
    return name ? std::optional<std::string>(*name) : std::nullopt;
}

} // namespace

MacroManagerDialog::MacroManagerDialog(MacroManagerContext context, QWidget* parent)
    : SkinnedDialog(context.skin, context.fallbackSkin, kBackground, parent),
      m_context(std::move(context)), m_texts(LanguageTable::forLanguage(m_context.language)),
      m_font(DialogFont::forDialog(m_context.language, QStringLiteral("Segoe UI"), 15, QFont::Bold))
{
    setWindowTitle(text("Macro Manager"));
    setFont(m_font);
    setMouseTracking(true);
    if (!hasBackground()) {
        m_openingProblem = QStringLiteral("%1 is missing from the skin and from the default skin.")
                               .arg(qtText(m_context.skin.root().image(kBackground)));
        return;
    }
    Result<MacroEditor> editor =
        MacroEditor::open(m_context.macroFile, m_context.writer, m_context.options);
    if (!editor) {
        m_openingProblem = qtText(editor.error().message);
        return;
    }
    m_editor.emplace(std::move(*editor));
    createControls();
    createButtons();
    refreshMacros();
    refreshEvents();
    refreshOptions();
    refreshRecordingState();
}

MacroManagerDialog::~MacroManagerDialog()
{
    // Closed without OK or Cancel (its owner went away): nothing of it may stay.
    if (m_editor && !m_finished)
        (void)m_editor->cancel();
}

QString MacroManagerDialog::text(const char* english) const
{
    return qtText(m_texts.text(english));
}

std::optional<QString> MacroManagerDialog::openingProblem() const
{
    return m_openingProblem;
}

int MacroManagerDialog::run()
{
    if (m_openingProblem) {
        if (!hasBackground())
            MessageService::warning(parentWidget(), kMissingBackgroundCaption,
                                    QStringLiteral("error"), *m_openingProblem);
        else
            MessageService::warning(parentWidget(), QStringLiteral("error"), *m_openingProblem);
        m_finished = true;
        return QDialog::Rejected;
    }
    // The first macro is shown at opening; why it shows no lines is told over the dialog.
    QTimer::singleShot(0, this, &MacroManagerDialog::reportLoadProblem);
    return execCentred();
}

void MacroManagerDialog::createControls()
{
    m_macroList = new QListWidget(this);
    m_macroList->setGeometry(qtRect(areas::kMacroList));
    m_macroList->setFrameShape(QFrame::NoFrame);
    m_macroList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_macroList->setStyleSheet(listStyle(kListBackground, m_context.textColour));
    m_macroList->setContextMenuPolicy(Qt::NoContextMenu);
    connect(m_macroList, &QListWidget::currentRowChanged, this, &MacroManagerDialog::macroChosen);
    connect(m_macroList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { macroDoubleClicked(m_macroList->row(item)); });

    m_eventList = new QListWidget(this);
    m_eventList->setGeometry(qtRect(areas::kEventList));
    m_eventList->setFrameShape(QFrame::NoFrame);
    m_eventList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_eventList->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_eventList->setStyleSheet(listStyle(kListBackground, m_context.textColour));
    m_eventList->setContextMenuPolicy(Qt::CustomContextMenu);
    m_eventList->viewport()->installEventFilter(this);
    connect(m_eventList, &QListWidget::currentRowChanged, this, &MacroManagerDialog::eventChosen);
    connect(m_eventList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { eventDoubleClicked(m_eventList->row(item)); });
    connect(m_eventList, &QWidget::customContextMenuRequested, this,
            &MacroManagerDialog::showEventMenu);

    m_loopBox = new QLineEdit(this);
    m_loopBox->setGeometry(qtRect(areas::kLoopBox));
    m_loopBox->setFrame(false);
    m_loopBox->setAlignment(Qt::AlignCenter);
    m_loopBox->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_loopBox));
    m_loopBox->setStyleSheet(listStyle(kLoopBoxBackground, m_context.textColour));
    m_loopBox->setContextMenuPolicy(Qt::NoContextMenu);
    // Written when the edit is committed, not on every keystroke.
    connect(m_loopBox, &QLineEdit::editingFinished, this, &MacroManagerDialog::loopCommitted);
}

void MacroManagerDialog::createButtons()
{
    m_buttons.add(Button::Close, areas::kClose, kCloseFaces);
    m_buttons.add(Button::Ok, areas::kOk, kWideButtonFaces).setLabel(text("OK"));
    m_buttons.add(Button::Cancel, areas::kCancel, kWideButtonFaces).setLabel(text("Cancel"));
    m_buttons.add(Button::Record, areas::kRecord, kRecordFaces);
    m_buttons.add(Button::DelayOption, areas::kDelayOption, kOptionFaces);
    m_buttons.add(Button::LoopOption, areas::kLoopOption, kOptionFaces);
    m_buttons.add(Button::New, areas::kNew, kSmallButtonFaces).setLabel(text("New"));
    m_buttons.add(Button::Delete, areas::kDelete, kSmallButtonFaces).setLabel(text("Delete"));
}

ListEntryEditor* MacroManagerDialog::entryEditor() const
{
    return m_entryEditor && !m_entryEditor->ended() ? m_entryEditor.data() : nullptr;
}

QString MacroManagerDialog::titleText() const
{
    return m_editor && m_editor->recording() ? text("Press Ctrl+Break key to stop recording")
                                             : text("Macro Manager");
}

void MacroManagerDialog::showMessage(const QString& caption, const QString& message)
{
    MessageService::warning(this, caption, message);
}

void MacroManagerDialog::report(const Status& status)
{
    if (!status && status.error().kind == Error::Kind::InvalidInput) {
        const std::string& message = status.error().message;
        showMessage(text("Warning"),
                    m_texts.contains(message) ? qtText(m_texts.text(message)) : qtText(message));
    }
    reportWriteProblem();
}

void MacroManagerDialog::reportWriteProblem()
{
    if (std::optional<std::string> problem = m_editor->takeWriteProblem())
        showMessage(QStringLiteral("error"), qtText(*problem));
}

void MacroManagerDialog::refreshMacros()
{
    const QSignalBlocker blocker(m_macroList);
    m_macroList->clear();
    for (const std::string& name : m_editor->macroNames())
        m_macroList->addItem(qtText(name));
    if (const std::optional<std::size_t> selected = m_editor->selectedMacro())
        m_macroList->setCurrentRow(static_cast<int>(*selected));
    else
        m_macroList->setCurrentRow(-1);
}

void MacroManagerDialog::refreshEvents()
{
    const QSignalBlocker blocker(m_eventList);
    m_eventList->clear();
    for (const std::string& line : m_editor->items()) {
        auto* item = new QListWidgetItem(qtText(line), m_eventList);
        if (line.empty()) {
            // A line the file lacks or leaves blank: kept, and shown so it can be deleted.
            item->setText(text("(empty line)"));
            item->setForeground(kUnplayableText);
        } else if (!MacroEditor::playable(line)) {
            item->setForeground(kUnplayableText);
            item->setToolTip(QStringLiteral("The mouse cannot play this key"));
        }
    }
    if (const std::optional<std::size_t> selected = m_editor->selectedItem()) {
        m_eventList->setCurrentRow(static_cast<int>(*selected));
        m_eventList->scrollToItem(m_eventList->currentItem());
    } else {
        m_eventList->setCurrentRow(-1);
    }
}

void MacroManagerDialog::refreshOptions()
{
    m_loopBox->setText(QString::number(m_editor->loopTimes()));
    m_loopBox->setEnabled(m_editor->options().loopEnabled && !m_editor->recording());
    update();
}

void MacroManagerDialog::refreshRecordingState()
{
    const bool recording = m_editor->recording();
    m_macroList->setEnabled(!recording);
    m_eventList->setSelectionMode(recording ? QAbstractItemView::NoSelection
                                            : QAbstractItemView::SingleSelection);
    m_eventList->setContextMenuPolicy(recording ? Qt::NoContextMenu : Qt::CustomContextMenu);
    m_loopBox->setEnabled(m_editor->options().loopEnabled && !recording);
    setWindowTitle(titleText());
    update();
}

void MacroManagerDialog::macroChosen(int row)
{
    if (row < 0 || m_editor->recording())
        return;
    const Status status = m_editor->selectMacro(static_cast<std::size_t>(row));
    if (!status) {
        report(status);
        refreshMacros(); // the macro left has edits the file does not hold yet
        return;
    }
    m_markedEvent.reset();
    refreshEvents();
    refreshOptions();
    reportLoadProblem();
}

void MacroManagerDialog::reportLoadProblem()
{
    if (const std::optional<std::string>& problem = m_editor->loadProblem())
        showMessage(text("Warning"), qtText(*problem));
}

void MacroManagerDialog::macroDoubleClicked(int row)
{
    if (row < 0 || m_editor->recording())
        return;
    // The first double-click marks the entry; one on the marked entry edits its name.
    if (m_markedMacro == row)
        openEntryEditor(m_macroList, row);
    else
        m_markedMacro = row;
}

void MacroManagerDialog::eventChosen(int row)
{
    if (m_editor->recording())
        return;
    m_editor->selectItem(row < 0 ? std::nullopt : std::optional<std::size_t>(row));
    eventDoubleClicked(row);
}

void MacroManagerDialog::eventDoubleClicked(int row)
{
    if (row < 0 || m_editor->recording() ||
        m_eventList->item(row)->text().indexOf(QStringLiteral(" ms")) < 0)
        return;
    // Choosing a delay line marks it; choosing the marked line again edits it.
    if (m_markedEvent == row)
        openEntryEditor(m_eventList, row);
    else
        m_markedEvent = row;
}

void MacroManagerDialog::openEntryEditor(QListWidget* list, int row)
{
    if (ListEntryEditor* open = entryEditor())
        open->commit();
    m_entryEditor = new ListEntryEditor(list, row);
    if (list == m_macroList)
        connect(m_entryEditor, &ListEntryEditor::committed, this,
                &MacroManagerDialog::nameCommitted);
    else
        connect(m_entryEditor, &ListEntryEditor::committed, this,
                &MacroManagerDialog::delayCommitted);
}

void MacroManagerDialog::nameCommitted(int row, const QString& name)
{
    const Status status = m_editor->renameMacro(static_cast<std::size_t>(row), name.toStdString());
    refreshMacros();
    report(status);
}

void MacroManagerDialog::delayCommitted(int row, const QString& typed)
{
    const Status status = m_editor->editDelay(static_cast<std::size_t>(row), typed.toStdString());
    refreshEvents();
    report(status);
}

void MacroManagerDialog::showEventMenu(QPoint at)
{
    if (m_editor->recording())
        return;
    QMenu menu(this);
    const auto add = [&](const char* english, auto operation) {
        connect(menu.addAction(text(english)), &QAction::triggered, this, [this, operation] {
            const Status status = operation(*m_editor);
            refreshEvents();
            report(status);
        });
    };
    add("Delete", [](MacroEditor& e) { return e.deleteSelectedItem(); });
    add("Insert the left Button",
        [](MacroEditor& e) { return e.insertClick(MacroMouseButton::Left); });
    add("Insert the middle Button",
        [](MacroEditor& e) { return e.insertClick(MacroMouseButton::Middle); });
    add("Insert the right button",
        [](MacroEditor& e) { return e.insertClick(MacroMouseButton::Right); });
    add("Insert Delay", [](MacroEditor& e) { return e.insertDelay(); });
    menu.exec(m_eventList->viewport()->mapToGlobal(at));
}

void MacroManagerDialog::loopCommitted()
{
    if (m_editor->recording())
        return;
    const Status status = m_editor->commitLoopTimes(m_loopBox->text().toStdString());
    m_loopBox->setText(QString::number(m_editor->loopTimes()));
    report(status);
}

void MacroManagerDialog::pressNew()
{
    const Status status = m_editor->newMacro(m_texts.text("Macro"));
    refreshMacros();
    refreshEvents();
    refreshOptions();
    report(status);
}

void MacroManagerDialog::pressDelete()
{
    const Status status = m_editor->deleteSelectedMacro();
    m_markedMacro.reset();
    m_markedEvent.reset();
    refreshMacros();
    refreshEvents();
    refreshOptions();
    report(status);
}

void MacroManagerDialog::pressRecord()
{
    if (m_editor->recording())
        stopRecording(false);
    else
        startRecording();
}

void MacroManagerDialog::startRecording()
{
    if (!m_editor->startRecording())
        return;
    m_recordingFilter = new DialogKeyFilter(this, DialogKeyFilter::Reports::AnyDelivery);
    connect(m_recordingFilter, &DialogKeyFilter::keyEvent, this, &MacroManagerDialog::keyRecorded);
    m_eventList->setFocus(Qt::OtherFocusReason);
    refreshEvents();
    refreshRecordingState();
}

void MacroManagerDialog::stopRecording(bool onCombination)
{
    const Status status = m_editor->stopRecording(onCombination);
    delete m_recordingFilter;
    m_recordingFilter = nullptr;
    refreshEvents();
    refreshOptions();
    refreshRecordingState();
    report(status);
}

void MacroManagerDialog::keyRecorded(const QKeyEvent& event)
{
    if (isStopCombination(event)) {
        stopRecording(true);
        return;
    }
    std::optional<std::string> name =
        m_context.keyName ? m_context.keyName(event) : keyNameByScanCode(event);
    if (!name) {
        // Recorded all the same, for its timing; the mouse plays it as no key.
        const QString text = QKeySequence(event.key()).toString(QKeySequence::PortableText);
        name = !text.isEmpty() && event.key() != 0
                   ? text.toStdString()
                   : "Key " + std::to_string(event.nativeScanCode());
    }
    const MacroRecorder::Outcome outcome =
        m_editor->recordKey(*name, event.type() == QEvent::KeyRelease, event.isAutoRepeat(),
                            static_cast<std::uint32_t>(event.timestamp()));
    switch (outcome) {
    case MacroRecorder::Outcome::Recorded:
        refreshEvents();
        break;
    case MacroRecorder::Outcome::Stopped:
        // The macro is full: the recording ended and was saved with its releases.
        delete m_recordingFilter;
        m_recordingFilter = nullptr;
        refreshEvents();
        refreshOptions();
        refreshRecordingState();
        reportWriteProblem();
        break;
    case MacroRecorder::Outcome::Ignored:
        break;
    }
}

void MacroManagerDialog::pressOk()
{
    if (ListEntryEditor* open = entryEditor())
        open->commit();
    if (m_editor->recording())
        stopRecording(false);
    const Result<MacroHandOver> handOver = m_editor->accept(m_context.record, m_context.labels);
    if (!handOver) {
        (void)m_editor->takeWriteProblem(); // told here, as what OK waits for
        const bool refused = handOver.error().kind == Error::Kind::InvalidInput;
        showMessage(refused ? text("Warning") : QStringLiteral("error"),
                    qtText(handOver.error().message));
        return;
    }
    if (!handOver->notices.empty()) {
        QStringList notices;
        for (const std::string& notice : handOver->notices)
            notices << qtText(notice);
        showMessage(text("Warning"), notices.join(QStringLiteral("\n\n")));
    }
    m_context.options = m_editor->options();
    m_finished = true;
    QDialog::accept();
}

void MacroManagerDialog::reject()
{
    if (!m_finished && m_editor) {
        if (ListEntryEditor* open = entryEditor())
            open->cancel();
        delete m_recordingFilter;
        m_recordingFilter = nullptr;
        const Status restored = m_editor->cancel();
        m_context.options = m_editor->options();
        m_finished = true;
        if (!restored)
            showMessage(QStringLiteral("error"), qtText(restored.error().message));
    }
    m_finished = true;
    QDialog::reject();
}

void MacroManagerDialog::paintContent(QPainter& painter)
{
    if (!m_editor)
        return;
    const bool recording = m_editor->recording();
    // New and Delete do nothing while recording, and look it.
    m_buttons[Button::New].setEnabled(!recording);
    m_buttons[Button::Delete].setEnabled(!recording);
    m_buttons[Button::Record].setLabel(recording ? text("Stop Recording")
                                                 : text("Start Recording"));
    m_buttons[Button::DelayOption].setChecked(m_editor->options().recordDelays);
    m_buttons[Button::LoopOption].setChecked(m_editor->options().loopEnabled);
    painter.setFont(m_font);
    painter.setPen(m_context.textColour);
    m_buttons.draw(painter, imageSource());

    const auto draw = [&](const Rect& area, int flags, const QString& line) {
        const QRect place = qtRect(area);
        painter.setFont(DialogFont::fittedTo(m_font, place, flags, line));
        painter.drawText(place, flags, line);
    };
    constexpr int kCentred = Qt::AlignCenter | Qt::TextSingleLine;
    constexpr int kLeft = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    draw(areas::kTitle, kLeft, titleText());
    draw(areas::kMacroHeading, kCentred, text("Select Macro"));
    draw(areas::kEventHeading, kCentred, text("Key Press Sequence"));
    draw(areas::kOptionsHeading, kCentred, text("Record Option"));
    draw(areas::kLoopText, kLeft, text("Loop Times"));
    draw(areas::kDelayText, Qt::AlignCenter | Qt::TextWordWrap,
         text("Record delays between key commands"));
}

void MacroManagerDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_editor)
        return;
    const std::optional<Button> button = m_buttons.at(event->position().toPoint());
    if (!button) {
        // The window has no title bar: any free spot moves it.
        if (windowHandle())
            windowHandle()->startSystemMove();
        return;
    }
    // Only Record, OK, Cancel and the close button work while recording.
    const bool recording = m_editor->recording();
    switch (*button) {
    case Button::Ok:
        pressOk();
        break;
    case Button::Cancel:
    case Button::Close:
        reject();
        break;
    case Button::Record:
        pressRecord();
        break;
    case Button::DelayOption:
        if (!recording)
            report(m_editor->setRecordDelays(!m_editor->options().recordDelays));
        update();
        break;
    case Button::LoopOption:
        if (!recording)
            report(m_editor->setLoopEnabled(!m_editor->options().loopEnabled));
        refreshOptions();
        break;
    case Button::New:
        if (!recording)
            pressNew();
        break;
    case Button::Delete:
        if (!recording)
            pressDelete();
        break;
    }
}

void MacroManagerDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (m_buttons.hover(event->position().toPoint()))
        update();
}

void MacroManagerDialog::leaveEvent(QEvent*)
{
    if (m_buttons.leave())
        update();
}

void MacroManagerDialog::keyPressEvent(QKeyEvent* event)
{
    // Once a recording has been stopped, Enter ends what the user was at.
    if (isEnterKey(event->key()) && m_editor && m_editor->recordingStopped()) {
        event->accept();
        if (ListEntryEditor* open = entryEditor())
            open->commit();
        else
            pressOk();
        return;
    }
    SkinnedDialog::keyPressEvent(event);
}

void MacroManagerDialog::scrollEvents(int angleDelta)
{
    // Touchpads send many small deltas: only whole notches scroll.
    m_wheelRemainder += angleDelta;
    const int notches = m_wheelRemainder / kWheelNotch;
    m_wheelRemainder -= notches * kWheelNotch;
    if (notches != 0 && m_eventList) {
        QScrollBar* bar = m_eventList->verticalScrollBar();
        bar->setValue(bar->value() - notches * kLinesPerNotch);
    }
}

void MacroManagerDialog::wheelEvent(QWheelEvent* event)
{
    scrollEvents(event->angleDelta().y());
    event->accept();
}

bool MacroManagerDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (m_eventList && watched == m_eventList->viewport() && event->type() == QEvent::Wheel) {
        scrollEvents(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
    }
    return SkinnedDialog::eventFilter(watched, event);
}

} // namespace volantra
