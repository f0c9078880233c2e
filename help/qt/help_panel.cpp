#include "help/qt/help_panel.h"

#include "common/language_table.h"
#include "common/qt/qt_text.h"
#include "common/version.h"
#include "help/help_panel_areas.h"
#include "help/help_panel_rules.h"
#include "help/updater_launch.h"
#include "skin/qt/dialog_font.h"
#include "skin/qt/message_service.h"
#include "skin/qt/qt_rect.h"
#include "skin/qt/skin_library.h"

#include <QDesktopServices>
#include <QEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <utility>

namespace volantra {
namespace {

namespace areas = help_panel_areas;

constexpr const char* kMissingBackgroundCaption = "Help Dialog Load background image failed!!!";
// No normal faces: the buttons show only under the pointer, over the background.
const SkinButtonFaces kCloseFaces{"", "/button-close-over.png"};
const SkinButtonFaces kButtonFaces{"", "/MacroManagement/button-new-over.png"};

} // namespace

HelpPanel::HelpPanel(HelpPanelContext context, QWidget* mainWindow)
    : SkinnedDialog(context.skin, context.fallbackSkin, kBackground, mainWindow),
      m_context(std::move(context)), m_texts(LanguageTable::forLanguage(m_context.language)),
      m_font(DialogFont::forDialog(m_context.language, QStringLiteral("Arial"), 14)),
      m_addressLine(
          help_panel_rules::webAddressLine(m_context.webAddress.toStdString(), kProgramName))
{
    // Wayland ignores where a top-level window asks to be put. A popup is placed by the
    // compositor relative to its parent, so there the panel stays beside the main window.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
    setFont(m_font);
    setMouseTracking(true);
    m_buttons.add(Button::Close, areas::kClose, kCloseFaces);
    m_buttons.add(Button::Ok, areas::kOk, kButtonFaces).setLabel(text("Ok"));
    m_buttons.add(Button::Cancel, areas::kCancel, kButtonFaces).setLabel(text("Cancel"));
    if (mainWindow)
        mainWindow->window()->installEventFilter(this);
}

QString HelpPanel::text(const char* english) const
{
    return qtText(m_texts.text(english));
}

QString HelpPanel::updateLine() const
{
    return qtText(help_panel_rules::kUpdateLine);
}

QString HelpPanel::versionLine() const
{
    return qtText(help_panel_rules::versionLine(kVersion));
}

bool HelpPanel::openPanel()
{
    if (!hasBackground()) {
        MessageService::warning(
            parentWidget(), kMissingBackgroundCaption, QStringLiteral("error"),
            QStringLiteral("%1 is missing from the skin and from the default skin.")
                .arg(qtText(m_context.skin.root().image(kBackground))));
        deleteLater();
        return false;
    }
    followMainWindow();
    show();
    raise();
    return true;
}

void HelpPanel::followMainWindow()
{
    if (QWidget* owner = parentWidget())
        move(owner->mapToGlobal(kPosition));
}

bool HelpPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (parentWidget() && watched == parentWidget()->window()) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            followMainWindow();
            break;
        // A part of the main window: hidden with it (Cancel, minimise) and back with it.
        case QEvent::Hide:
            m_hiddenWithMainWindow = isVisible();
            hide();
            break;
        case QEvent::Show:
            if (std::exchange(m_hiddenWithMainWindow, false)) {
                followMainWindow();
                show();
            }
            break;
        default:
            break;
        }
    }
    return SkinnedDialog::eventFilter(watched, event);
}

void HelpPanel::tell(const QString& message)
{
    MessageService::information(this, text("Info"), message);
}

bool HelpPanel::openWebAddress()
{
    if (!m_addressLine.link)
        return false;
    const QUrl url(qtText(*m_addressLine.link), QUrl::StrictMode);
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool HelpPanel::launchUpdater()
{
    const Status launched = launchFirmwareUpdater(m_context.dataDirectory, m_context.machine);
    if (!launched)
        tell(qtText(launched.error().message));
    return launched.ok();
}

void HelpPanel::paintContent(QPainter& painter)
{
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    const auto line = [&](const Rect& area, const QString& shown) {
        painter.drawText(qtRect(area), Qt::AlignCenter | Qt::TextSingleLine, shown);
    };
    // The address in a smaller font where it is wider than the line; cut in the middle
    // only where even that is too wide.
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    const QString address = qtText(m_addressLine.text);
    const QRect addressArea = qtRect(areas::kWebAddress);
    painter.setFont(DialogFont::fittedTo(m_font, addressArea, flags, address, 9));
    painter.drawText(
        addressArea, flags,
        painter.fontMetrics().elidedText(address, Qt::ElideMiddle, addressArea.width()));
    painter.setFont(m_font);
    line(areas::kUpdate, updateLine());
    line(areas::kVersion, versionLine());
    m_buttons.draw(painter, imageSource());
}

void HelpPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        SkinnedDialog::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    if (areas::kWebAddress.contains(at.x(), at.y()))
        openWebAddress();
    else if (areas::kUpdate.contains(at.x(), at.y()))
        launchUpdater();
    else if (const std::optional<Button> button = m_buttons.at(at))
        *button == Button::Ok ? accept() : reject();
}

void HelpPanel::mouseMoveEvent(QMouseEvent* event)
{
    if (m_buttons.hover(event->position().toPoint()))
        update();
    SkinnedDialog::mouseMoveEvent(event);
}

void HelpPanel::leaveEvent(QEvent* event)
{
    if (m_buttons.leave())
        update();
    SkinnedDialog::leaveEvent(event);
}

} // namespace volantra
