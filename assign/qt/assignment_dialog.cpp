#include "assign/qt/assignment_dialog.h"

#include "assign/capture_dialog_areas.h"
#include "common/qt/qt_text.h"
#include "skin/qt/dialog_font.h"
#include "skin/qt/message_service.h"
#include "skin/qt/qt_rect.h"
#include "skin/qt/skin_library.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace volantra {
namespace {

namespace areas = capture_dialog_areas;

const SkinButtonFaces kCloseFaces{"/button-close-normal.png", "/button-close-over.png"};
const SkinButtonFaces kButtonFaces{"/MacroManagement/button-new-normal.png",
                                   "/MacroManagement/button-new-over.png"};

} // namespace

AssignmentDialog::AssignmentDialog(CaptureDialogKind kind, SkinLibrary& skin,
                                   SkinLibrary* fallbackSkin, Language language, QColor textColour,
                                   QWidget* parent)
    : SkinnedDialog(skin, fallbackSkin, std::string(captureDialogBackground(kind)), parent),
      m_kind(kind), m_language(language), m_textColour(textColour),
      m_look(captureDialogLook(kind, language))
{
    m_font = QFont(qtText(m_look.fontFace));
    // The heights are cell heights (ascent and descent); Qt sizes by the em, which is
    // about 1.15 times smaller for these faces.
    m_font.setPixelSize(qRound(m_look.fontHeight / 1.15));
    m_font.setWeight(QFont::Normal);
    setFont(m_font);
    setMouseTracking(true);
    m_buttons.add(Button::Close, areas::kClose, kCloseFaces);
    m_buttons.add(Button::Ok, areas::kOk, kButtonFaces).setLabel(qtText(m_look.ok));
    m_buttons.add(Button::Cancel, areas::kCancel, kButtonFaces).setLabel(qtText(m_look.cancel));
}

int AssignmentDialog::run()
{
    if (!hasBackground()) {
        const std::string missing = skin().root().image(captureDialogBackground(m_kind));
        MessageService::warning(
            parentWidget(), qtText(missingBackgroundCaption(m_kind)), QStringLiteral("error"),
            QStringLiteral("%1 is missing from the skin and from the default skin.")
                .arg(QString::fromStdString(missing)));
        return QDialog::Rejected;
    }
    return execCentred();
}

void AssignmentDialog::pressOk()
{
    if (takeOk())
        accept();
    else
        update();
}

void AssignmentDialog::drawFitted(QPainter& painter, QRect area, int flags,
                                  const QString& text) const
{
    const QFont original = painter.font();
    painter.setFont(DialogFont::fittedTo(original, area, flags, text));
    painter.drawText(area, flags, text);
    painter.setFont(original);
}

void AssignmentDialog::drawCentred(QPainter& painter, QRect area, const QString& line) const
{
    drawFitted(painter, area, Qt::AlignCenter | Qt::TextSingleLine, line);
}

void AssignmentDialog::drawKeyPromptAndNote(QPainter& painter, const Rect& area,
                                            CapturePrompt prompt) const
{
    painter.setFont(m_font);
    painter.setPen(m_textColour);
    drawCentred(painter, qtRect(area), qtText(capturePromptText(prompt, m_language)));
    QFont small = m_font;
    small.setPixelSize(11);
    painter.setFont(small);
    painter.setPen(m_textColour);
    drawFitted(painter, qtRect(areas::kNote), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
               qtText(desktopKeysNote(m_language)));
}

void AssignmentDialog::paintContent(QPainter& painter)
{
    painter.setFont(m_font);
    painter.setPen(m_textColour);
    m_buttons.draw(painter, imageSource());
    paintDialog(painter);
}

void AssignmentDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const bool hitDialog = pressed(at);
    if (const std::optional<Button> button = m_buttons.at(at)) {
        if (*button == Button::Ok)
            pressOk();
        else
            reject();
        return;
    }
    // The window has no title bar: any free spot moves it.
    if (!hitDialog && windowHandle())
        windowHandle()->startSystemMove();
}

void AssignmentDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (m_buttons.hover(event->position().toPoint()))
        update();
}

void AssignmentDialog::leaveEvent(QEvent*)
{
    if (m_buttons.leave())
        update();
}

QString assignmentFieldStyle(const char* widgetClass)
{
    return QStringLiteral("%1 { color: white; background-color: rgb(40, 40, 40); border: none; }")
        .arg(QLatin1String(widgetClass));
}

} // namespace volantra
