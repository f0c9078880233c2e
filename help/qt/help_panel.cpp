#include "help/qt/help_panel.h"

#include "common/language_table.h"
#include "common/version.h"
#include "help/help_panel_rules.h"
#include "help/qt/updater_launch.h"
#include "skin/qt/dialog_font.h"
#include "skin/qt/skin_library.h"

#include <QDesktopServices>
#include <QEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

namespace volantra {
namespace {

constexpr const char* kMissingBackgroundCaption = "Help Dialog Load background image failed!!!";

QString utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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
    if (mainWindow)
        mainWindow->window()->installEventFilter(this);
}

QString HelpPanel::text(const char* english) const
{
    return utf8(m_texts.text(english));
}

QString HelpPanel::updateLine() const
{
    return utf8(help_panel_rules::kUpdateLine);
}

QString HelpPanel::versionLine() const
{
    return utf8(help_panel_rules::versionLine(kVersion));
}

bool HelpPanel::openPanel()
{
    if (!hasBackground()) {
        QMessageBox box(QMessageBox::Warning, kMissingBackgroundCaption, QStringLiteral("error"),
                        QMessageBox::Ok, parentWidget());
        box.setInformativeText(
            QStringLiteral("%1 is missing from the skin and from the default skin.")
                .arg(utf8(m_context.skin.root().image(kBackground))));
        box.exec();
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
    if (parentWidget() && watched == parentWidget()->window() &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        followMainWindow();
    return SkinnedDialog::eventFilter(watched, event);
}

void HelpPanel::tell(const QString& message)
{
    QMessageBox box(QMessageBox::Information, text("Info"), message, QMessageBox::Ok, this);
    box.exec();
}

bool HelpPanel::openWebAddress()
{
    if (!m_addressLine.link)
        return false;
    const QUrl url(utf8(*m_addressLine.link), QUrl::StrictMode);
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool HelpPanel::launchUpdater()
{
    const Status launched = launchFirmwareUpdater(m_context.dataDirectory, m_context.machine);
    if (!launched)
        tell(utf8(launched.error().message));
    return launched.ok();
}

HelpPanel::Element HelpPanel::elementAt(QPoint at)
{
    if (kWebAddressArea.contains(at))
        return Element::WebAddress;
    if (kUpdateArea.contains(at))
        return Element::Update;
    if (kCloseArea.contains(at))
        return Element::Close;
    if (kOkArea.contains(at))
        return Element::Ok;
    if (kCancelArea.contains(at))
        return Element::Cancel;
    return Element::None;
}

void HelpPanel::drawButton(QPainter& painter, QRect area, bool hovered, const QString& label)
{
    imageSource().draw(painter, hovered ? kButtonOver : kButtonNormal, area.topLeft());
    painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, label);
}

void HelpPanel::paintContent(QPainter& painter)
{
    painter.setFont(m_font);
    painter.setPen(Qt::black);
    const auto line = [&](QRect area, const QString& shown) {
        painter.drawText(area, Qt::AlignCenter | Qt::TextSingleLine, shown);
    };
    // The address in a smaller font where it is wider than the line; cut in the middle
    // only where even that is too wide.
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    const QString address = utf8(m_addressLine.text);
    painter.setFont(DialogFont::fittedTo(m_font, kWebAddressArea, flags, address, 9));
    painter.drawText(
        kWebAddressArea, flags,
        painter.fontMetrics().elidedText(address, Qt::ElideMiddle, kWebAddressArea.width()));
    painter.setFont(m_font);
    line(kUpdateArea, updateLine());
    line(kVersionArea, versionLine());
    imageSource().draw(painter, m_hovered == Element::Close ? kCloseOver : kCloseNormal,
                       kCloseArea.topLeft());
    drawButton(painter, kOkArea, m_hovered == Element::Ok, text("Ok"));
    drawButton(painter, kCancelArea, m_hovered == Element::Cancel, text("Cancel"));
}

void HelpPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        SkinnedDialog::mousePressEvent(event);
        return;
    }
    switch (elementAt(event->position().toPoint())) {
    case Element::WebAddress:
        openWebAddress();
        break;
    case Element::Update:
        launchUpdater();
        break;
    case Element::Ok:
        accept();
        break;
    case Element::Cancel:
    case Element::Close:
        reject();
        break;
    case Element::None:
        break;
    }
}

void HelpPanel::mouseMoveEvent(QMouseEvent* event)
{
    const Element hovered = elementAt(event->position().toPoint());
    if (hovered != m_hovered) {
        m_hovered = hovered;
        update();
    }
    SkinnedDialog::mouseMoveEvent(event);
}

void HelpPanel::leaveEvent(QEvent* event)
{
    if (m_hovered != Element::None) {
        m_hovered = Element::None;
        update();
    }
    SkinnedDialog::leaveEvent(event);
}

} // namespace volantra
