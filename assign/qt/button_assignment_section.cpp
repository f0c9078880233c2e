#include "assign/qt/button_assignment_section.h"

#include "assign/qt/combo_key_dialog.h"
#include "assign/qt/single_key_dialog.h"
#include "common/qt/qt_text.h"
#include "model/profile_store.h"
#include "model/settings_record.h"
#include "skin/qt/message_service.h"
#include "skin/qt/skin_library.h"

#include <QListWidget>
#include <QPainter>
#include <QSignalBlocker>

namespace volantra {
namespace {

QRect windowRect(const Rect& area, QPoint origin)
{
    return QRect(origin.x() + area.left, origin.y() + area.top, area.width(), area.height());
}

QString listStyle(int frame)
{
    // The colours of every list of the main window.
    return QStringLiteral("QListWidget { color: rgb(250, 250, 250); background-color: rgb(80, "
                          "0, 0); border: %1px solid rgb(250, 250, 250); }"
                          "QListWidget::item { padding: 0px; }"
                          "QListWidget::item:selected { color: rgb(250, 250, 250); "
                          "background-color: rgb(150, 30, 30); }")
        .arg(frame);
}

} // namespace

ButtonAssignmentSection::ButtonAssignmentSection(ProfileStore& store, SkinLibrary* fallbackSkin,
                                                 MacroNameSource macroNames, QObject* parent)
    : QObject(parent), m_store(store), m_fallbackSkin(fallbackSkin),
      m_macroNames(std::move(macroNames))
{
}

ButtonAssignmentSection::~ButtonAssignmentSection()
{
    delete m_functionList;
    delete m_submenu;
}

QString ButtonAssignmentSection::text(std::string_view english) const
{
    const std::string key(english);
    if (m_context && m_context->text)
        return m_context->text(key.c_str());
    return qtText(english);
}

void ButtonAssignmentSection::paint(QPainter& painter, QPoint origin, SectionContext& context)
{
    m_context = &context;
    m_origin = origin;
    context.skin.draw(painter, AssignmentMenu::kBackground, origin);
    painter.setFont(context.font);
    painter.setPen(context.textColour);
    const ProfileStore::ItemNames& labels = m_store.itemNames();
    for (std::size_t button = 0; button < AssignmentMenu::kButtonCount; ++button) {
        painter.drawText(windowRect(AssignmentMenu::caption(button), origin),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         text(AssignmentMenu::captionKey(button)));
        const QRect box = windowRect(AssignmentMenu::box(button), origin);
        context.skin.draw(painter, AssignmentMenu::boxImage(m_menu.boxLook(button)), box.topLeft());
        // A long label ("Combo Key-Left Ctrl+Num Enter") keeps its start readable.
        const QString label = painter.fontMetrics().elidedText(
            QString::fromStdString(labels[button]), Qt::ElideRight, box.width() - 4);
        painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, label);
    }
}

void ButtonAssignmentSection::paintPictureMarks(QPainter& painter, SkinLibrary& skin,
                                                ButtonPictureView view) const
{
    const std::optional<std::size_t> highlighted = m_menu.highlightedButton();
    for (std::size_t button = 0; button < ButtonPicture::kButtonCount; ++button) {
        const ButtonPicture::Mark mark = ButtonPicture::mark(view, button, highlighted == button);
        skin.draw(painter, mark.image, QPoint(mark.x, mark.y));
    }
}

bool ButtonAssignmentSection::click(QPoint point, QPoint origin, SectionContext& context)
{
    m_context = &context;
    m_origin = origin;
    const QPoint at = point - origin;
    const std::optional<std::size_t> button = AssignmentMenu::boxAt(at.x(), at.y());
    if (!button) {
        if (m_menu.closeMenus()) {
            showMenuState();
            emit redrawNeeded();
        }
        return false;
    }
    switch (m_menu.clickBox(*button, context.record)) {
    case AssignmentMenu::BoxClick::Opened:
        openFunctionList(*button);
        break;
    case AssignmentMenu::BoxClick::Closed:
        showMenuState();
        break;
    case AssignmentMenu::BoxClick::Refused:
        showMenuState();
        emit redrawNeeded();
        MessageService::warning(context.window,
                                QString::fromLatin1(AssignmentMenu::kLeftClickGuardCaption),
                                text(AssignmentMenu::kLeftClickGuardMessage));
        return false;
    }
    emit redrawNeeded();
    return false;
}

void ButtonAssignmentSection::showControls(QPoint origin, SectionContext& context)
{
    m_context = &context;
    m_origin = origin;
    showMenuState();
}

void ButtonAssignmentSection::hideControls()
{
    m_menu.reset();
    // A list may be the sender of the signal being handled: let it go afterwards.
    for (QListWidget* list : {m_functionList.data(), m_submenu.data()}) {
        if (list) {
            list->hide();
            list->deleteLater();
        }
    }
    m_functionList.clear();
    m_submenu.clear();
}

bool ButtonAssignmentSection::pointerMoved(QPoint point)
{
    const QPoint at = point - m_origin;
    const bool changed =
        m_menu.pointerAt(m_context ? AssignmentMenu::boxAt(at.x(), at.y()) : std::nullopt);
    if (changed)
        emit redrawNeeded();
    return changed;
}

QListWidget* ButtonAssignmentSection::makeList()
{
    auto* list = new QListWidget(m_context ? m_context->window : nullptr);
    list->setFocusPolicy(Qt::NoFocus);
    list->setContextMenuPolicy(Qt::NoContextMenu);
    list->setUniformItemSizes(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    // Hot tracking follows the list's own pointer moves; no global pointer is needed.
    list->setMouseTracking(true);
    list->viewport()->setMouseTracking(true);
    if (m_context)
        list->setFont(m_context->font);
    return list;
}

void ButtonAssignmentSection::placeList(QListWidget* list, const AssignmentMenu::ListLayout& layout)
{
    list->setStyleSheet(listStyle(layout.frame));
    list->setGeometry(windowRect(layout.area, m_origin));
    const int rowWidth = layout.area.width() - 2 * layout.frame;
    for (int row = 0; row < list->count(); ++row)
        list->item(row)->setSizeHint(QSize(rowWidth, layout.rowHeight));
}

void ButtonAssignmentSection::openFunctionList(std::size_t button)
{
    if (!m_functionList) {
        m_functionList = makeList();
        for (const ButtonFunctionEntry& entry : kButtonFunctionCatalogue)
            new QListWidgetItem(text(entry.englishName), m_functionList);
        connect(m_functionList, &QListWidget::itemEntered, this,
                &ButtonAssignmentSection::entryHovered);
        connect(m_functionList, &QListWidget::itemClicked, this,
                &ButtonAssignmentSection::entryClicked);
        connect(m_functionList, &QListWidget::itemDoubleClicked, this,
                &ButtonAssignmentSection::entryClicked);
    }
    {
        const QSignalBlocker blocker(m_functionList);
        m_functionList->setCurrentRow(-1);
        m_functionList->clearSelection();
    }
    placeList(m_functionList, AssignmentMenu::functionList(button));
    showMenuState();
}

void ButtonAssignmentSection::openSubmenu()
{
    const std::optional<ButtonFunctionKind> owner = m_menu.openSubmenu();
    const std::optional<std::size_t> button = m_menu.openButton();
    if (!owner || !button)
        return;
    if (!m_submenu) {
        m_submenu = makeList();
        connect(m_submenu, &QListWidget::itemEntered, this, [this](QListWidgetItem* item) {
            const QSignalBlocker blocker(m_submenu);
            m_submenu->setCurrentItem(item);
        });
        connect(m_submenu, &QListWidget::itemClicked, this,
                &ButtonAssignmentSection::submenuClicked);
    }
    const QSignalBlocker blocker(m_submenu);
    m_submenu->clear();
    for (const SubmenuEntry& entry : submenuEntries(*owner, m_store.language()))
        new QListWidgetItem(entry.isLanguageKey ? text(entry.text) : qtText(entry.text), m_submenu);
    placeList(m_submenu, *AssignmentMenu::submenu(*owner, *button));
}

void ButtonAssignmentSection::showMenuState()
{
    const std::optional<std::size_t> button = m_menu.openButton();
    if (m_functionList) {
        if (button)
            placeList(m_functionList, AssignmentMenu::functionList(*button));
        m_functionList->setVisible(button.has_value());
        if (button)
            m_functionList->raise();
    }
    const bool submenuOpen = button && m_menu.openSubmenu();
    if (submenuOpen)
        openSubmenu();
    if (m_submenu) {
        m_submenu->setVisible(submenuOpen);
        if (submenuOpen)
            m_submenu->raise();
    }
}

void ButtonAssignmentSection::entryHovered(QListWidgetItem* item)
{
    {
        const QSignalBlocker blocker(m_functionList);
        m_functionList->setCurrentItem(item);
    }
    if (m_menu.hoverEntry(static_cast<std::size_t>(m_functionList->row(item))))
        showMenuState();
}

void ButtonAssignmentSection::entryClicked(QListWidgetItem* item)
{
    const std::optional<std::size_t> button = m_menu.openButton();
    if (!button || !m_context || !item)
        return;
    const auto entry = static_cast<std::size_t>(m_functionList->row(item));
    const AssignmentMenu::EntryAction action = AssignmentMenu::actionOf(entry);
    if (action == AssignmentMenu::EntryAction::None)
        return;

    const std::string entryText = item->text().toStdString();
    std::optional<ButtonAssignment> assignment;
    if (action == AssignmentMenu::EntryAction::Assign)
        assignment = assignFunction(m_context->record.button(*button), entry, entryText);
    else
        assignment = runDialog(action, *button, entryText);
    // The dialog ran its own event loop: the section may have been closed meanwhile.
    if (m_menu.openButton() != button)
        return;
    if (assignment)
        apply(*button, *assignment);
    m_menu.entryChosen();
    showMenuState();
    emit redrawNeeded();
}

void ButtonAssignmentSection::submenuClicked(QListWidgetItem* item)
{
    const std::optional<std::size_t> button = m_menu.openButton();
    const std::optional<ButtonFunctionKind> owner = m_menu.openSubmenu();
    if (!button || !owner || !m_context || !item)
        return;
    const auto index = static_cast<std::size_t>(m_submenu->row(item));
    const auto assignment = assignSubmenuEntry(m_context->record.button(*button), *owner, index,
                                               item->text().toStdString());
    if (!assignment)
        return;
    apply(*button, *assignment);
    m_menu.submenuEntryChosen();
    showMenuState();
    emit redrawNeeded();
}

std::optional<ButtonAssignment>
ButtonAssignmentSection::runDialog(AssignmentMenu::EntryAction action, std::size_t button,
                                   const std::string& entryText)
{
    SectionContext& context = *m_context;
    const Language language = m_store.language();
    const ButtonParameters current = context.record.button(button);
    switch (action) {
    case AssignmentMenu::EntryAction::SingleKeyDialog: {
        SingleKeyDialog dialog(context.skin, m_fallbackSkin, language, context.textColour,
                               context.window);
        if (dialog.run() == QDialog::Accepted && dialog.choice())
            return assignSingleKey(current, entryText, *dialog.choice());
        return std::nullopt;
    }
    case AssignmentMenu::EntryAction::ComboKeyDialog: {
        ComboKeyDialog dialog(context.skin, m_fallbackSkin, language, context.textColour,
                              context.window);
        if (dialog.run() == QDialog::Accepted && dialog.choice())
            return assignComboKey(current, entryText, *dialog.choice());
        return std::nullopt;
    }
    case AssignmentMenu::EntryAction::MacroKeyDialog: {
        MacroKeyDialog dialog(context.skin, m_fallbackSkin, language, context.textColour,
                              m_macroNames, context.window);
        if (dialog.run() == QDialog::Accepted && dialog.choice())
            return assignMacroKey(current, entryText, *dialog.choice());
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

void ButtonAssignmentSection::apply(std::size_t button, const ButtonAssignment& assignment)
{
    m_context->record.setButton(button, assignment.parameters);
    m_store.setItemName(button, assignment.label);
    emit assignmentChanged(button);
}

} // namespace volantra
