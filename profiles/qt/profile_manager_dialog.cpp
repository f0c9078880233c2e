#include "profiles/qt/profile_manager_dialog.h"

#include "common/language_table.h"
#include "common/qt/qt_text.h"
#include "model/profile_store.h"
#include "profiles/profile_manager_areas.h"
#include "skin/qt/dialog_font.h"
#include "skin/qt/enter_escape.h"
#include "skin/qt/list_entry_editor.h"
#include "skin/qt/message_service.h"
#include "skin/qt/qt_rect.h"
#include "skin/qt/skin_library.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>

namespace volantra {
namespace {

namespace areas = profile_manager_areas;

constexpr const char* kMissingBackgroundCaption = "Config Dialog Load background image failed!!!";
// The panel's buttons have no hover faces.
const SkinButtonFaces kCloseFaces{"/button-close-normal.png", ""};
const SkinButtonFaces kNewFaces{"/Config/New-Config.png", ""};

const QColor kListBackground(40, 40, 40);
const QColor kListText(250, 250, 250);

bool isEnter(const QEvent* event)
{
    return (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
           isEnterKey(static_cast<const QKeyEvent*>(event)->key());
}

} // namespace

ProfileManagerDialog::ProfileManagerDialog(ProfileManagerContext context, QWidget* mainWindow)
    : SkinnedDialog(context.skin, context.fallbackSkin, kBackground, mainWindow),
      m_context(std::move(context)), m_texts(LanguageTable::forLanguage(m_context.language)),
      m_font(DialogFont::forDialog(m_context.language, QStringLiteral("Arial"), 14))
{
    // A panel inside the main window rather than a window of its own: it moves with it
    // and is drawn over its picture.
    setWindowFlags(Qt::Widget);
    move(0, 0);
    setFont(m_font);
    setWindowTitle(text("Configuration"));
    m_buttons.add(Button::Close, areas::kClose, kCloseFaces);
    SkinButton& newButton = m_buttons.add(Button::New, areas::kNew, kNewFaces);
    newButton.setFacePosition(QPoint(areas::kNewImageLeft, areas::kNewImageTop));
    newButton.setLabel(text("New"), areas::kNewText, Qt::AlignLeft | Qt::AlignVCenter);
    if (!hasBackground()) {
        m_openingProblem = QStringLiteral("%1 is missing from the skin and from the default skin.")
                               .arg(qtText(m_context.skin.root().image(kBackground)));
        return;
    }
    Result<ProfileManager> manager = ProfileManager::open(m_context.store, m_context.writer);
    if (!manager) {
        m_openingProblem = qtText(manager.error().message);
        return;
    }
    m_manager.emplace(std::move(*manager));
    createList();
    refreshList();
}

ProfileManagerDialog::~ProfileManagerDialog() = default;

QString ProfileManagerDialog::text(const char* english) const
{
    return qtText(m_texts.text(english));
}

bool ProfileManagerDialog::openPanel()
{
    if (m_openingProblem) {
        if (!hasBackground())
            MessageService::warning(parentWidget(), kMissingBackgroundCaption,
                                    QStringLiteral("error"), *m_openingProblem);
        else
            MessageService::warning(parentWidget(), text("error"), *m_openingProblem);
        m_closed = true;
        deleteLater();
        return false;
    }
    show();
    raise();
    if (const std::optional<std::string>& notice = m_manager->readingNotice())
        showMessage(text("Warning"), qtText(*notice));
    return true;
}

void ProfileManagerDialog::createList()
{
    m_list = new QListWidget(this);
    m_list->setGeometry(qtRect(areas::kList));
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setAutoFillBackground(true);
    m_list->setStyleSheet(QStringLiteral("QListWidget { background-color: %1; color: %2; }")
                              .arg(kListBackground.name(), kListText.name()));
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->installEventFilter(this);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            (void)m_manager->select(static_cast<std::size_t>(row));
    });
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { entryPressed(m_list->row(item)); });
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { entryPressed(m_list->row(item)); });
    connect(m_list, &QWidget::customContextMenuRequested, this, &ProfileManagerDialog::showMenu);
}

void ProfileManagerDialog::refreshList()
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    for (const std::string& name : m_manager->names())
        m_list->addItem(qtText(name));
    if (const std::optional<std::size_t> selected = m_manager->selected()) {
        m_list->setCurrentRow(static_cast<int>(*selected));
        m_list->scrollToItem(m_list->currentItem());
    } else {
        m_list->setCurrentRow(-1);
    }
}

void ProfileManagerDialog::showMessage(const QString& caption, const QString& message)
{
    MessageService::warning(this, caption, message);
}

void ProfileManagerDialog::report(const Status& status)
{
    if (status)
        return;
    const std::string& message = status.error().message;
    if (status.error().kind == Error::Kind::InvalidInput)
        showMessage(text("Warning"),
                    m_texts.contains(message) ? qtText(m_texts.text(message)) : qtText(message));
    else
        showMessage(text("error"), qtText(message));
}

void ProfileManagerDialog::commitEditor()
{
    if (m_entryEditor)
        m_entryEditor->commit();
}

void ProfileManagerDialog::entryPressed(int row)
{
    if (row < 0 || m_entryEditor)
        return;
    (void)m_manager->select(static_cast<std::size_t>(row));
    // The first press marks the entry; a press on the marked entry renames it.
    if (m_marked == row)
        openEntryEditor(row);
    else
        m_marked = row;
}

void ProfileManagerDialog::openEntryEditor(int row)
{
    m_entryEditor = new ListEntryEditor(m_list, row);
    // Enter is no commit in this panel: only Tab, a press elsewhere or the focus leaving.
    m_entryEditor->installEventFilter(this);
    connect(m_entryEditor, &ListEntryEditor::committed, this, &ProfileManagerDialog::nameCommitted);
}

void ProfileManagerDialog::nameCommitted(int row, const QString& name)
{
    const Status status = m_manager->rename(static_cast<std::size_t>(row), name.toStdString());
    refreshList();
    report(status);
}

void ProfileManagerDialog::showMenu(QPoint at)
{
    QMenu menu(this);
    const auto add = [&](const char* english, TextContext context,
                         void (ProfileManagerDialog::*operation)()) {
        connect(menu.addAction(qtText(m_texts.text(english, context))), &QAction::triggered, this,
                operation);
    };
    add("Delete", TextContext::ProfileManager, &ProfileManagerDialog::deleteSelected);
    add("Edit", TextContext::General, &ProfileManagerDialog::editSelected);
    add("Copy", TextContext::General, &ProfileManagerDialog::copySelected);
    add("Load", TextContext::General, &ProfileManagerDialog::loadSelected);
    add("Save", TextContext::General, &ProfileManagerDialog::saveSelected);
    menu.exec(m_list->viewport()->mapToGlobal(at));
}

void ProfileManagerDialog::changeList(const std::function<Status()>& change)
{
    const Status status = change();
    m_marked.reset();
    refreshList();
    report(status);
}

void ProfileManagerDialog::pressNew()
{
    if (!m_manager)
        return;
    commitEditor();
    changeList([this] { return m_manager->addNew(); });
}

void ProfileManagerDialog::deleteSelected()
{
    if (!m_manager)
        return;
    commitEditor();
    if (const std::optional<std::size_t> selected = m_manager->selected())
        changeList([&] { return m_manager->remove(*selected); });
}

void ProfileManagerDialog::editSelected()
{
    if (!m_manager)
        return;
    commitEditor();
    if (const std::optional<std::size_t> selected = m_manager->selected())
        entryPressed(static_cast<int>(*selected));
}

void ProfileManagerDialog::copySelected()
{
    if (!m_manager)
        return;
    commitEditor();
    const std::optional<std::size_t> selected = m_manager->selected();
    if (!selected)
        return;
    const Status status = m_manager->copy(*selected, m_texts.text("Copy"));
    refreshList();
    report(status);
}

void ProfileManagerDialog::loadSelected()
{
    handOver(ProfileHandOver::Request::Import);
}

void ProfileManagerDialog::saveSelected()
{
    handOver(ProfileHandOver::Request::Export);
}

void ProfileManagerDialog::pressClose()
{
    handOver(ProfileHandOver::Request::Closed);
}

void ProfileManagerDialog::handOver(ProfileHandOver::Request request)
{
    if (m_closed || !m_manager)
        return;
    commitEditor();
    const std::optional<std::size_t> selected = m_manager->selected();
    if (request != ProfileHandOver::Request::Closed && !selected)
        return;
    if (m_manager->replacesRecord() && !m_context.mayReplaceRecord())
        return;

    const Result<ProfileHandOver> handed = [&] {
        switch (request) {
        case ProfileHandOver::Request::Import:
            return m_manager->load(*selected, m_context.record);
        case ProfileHandOver::Request::Export:
            return m_manager->save(*selected, m_context.record);
        case ProfileHandOver::Request::Closed:
            break;
        }
        return m_manager->close(m_context.record);
    }();
    refreshList();
    if (!handed) {
        // Nothing was changed; the edits stay for another try.
        report(handed.error());
        return;
    }
    if (request == ProfileHandOver::Request::Closed) {
        m_closed = true;
        done(QDialog::Accepted);
        deleteLater();
    }
    emit handedOver(*handed);
}

void ProfileManagerDialog::paintEvent(QPaintEvent*)
{
    // Whatever the main window drew here shows through.
    QPainter painter(this);
    painter.setOpacity(kOpacity);
    painter.drawImage(0, 0, background());
    paintContent(painter);
}

void ProfileManagerDialog::paintContent(QPainter& painter)
{
    painter.setFont(m_font);
    painter.setPen(m_context.textColour);
    painter.drawText(qtRect(areas::kTitle), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     text("Configuration"));
    m_buttons.draw(painter, imageSource());
}

void ProfileManagerDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_manager) {
        SkinnedDialog::mousePressEvent(event);
        return;
    }
    if (const std::optional<Button> button = m_buttons.at(event->position().toPoint()))
        *button == Button::Close ? pressClose() : pressNew();
}

bool ProfileManagerDialog::eventFilter(QObject* watched, QEvent* event)
{
    // The key test comes first: the editor's pointer is only compared for key events, never
    // while the editor is being destroyed and is no ListEntryEditor any more.
    if (isEnter(event) && (watched == m_list || watched == m_entryEditor))
        return true;
    return SkinnedDialog::eventFilter(watched, event);
}

} // namespace volantra
