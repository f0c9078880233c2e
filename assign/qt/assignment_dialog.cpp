#include "assign/qt/assignment_dialog.h"

#include "assign/qt/qt_text.h"
#include "skin/qt/dialog_font.h"
#include "skin/qt/skin_library.h"

#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace volantra {
namespace {

constexpr const char* kCloseNormal = "/button-close-normal.png";
constexpr const char* kCloseOver = "/button-close-over.png";
constexpr const char* kButtonNormal = "/MacroManagement/button-new-normal.png";
constexpr const char* kButtonOver = "/MacroManagement/button-new-over.png";

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
}

int AssignmentDialog::run()
{
    if (!hasBackground()) {
        QMessageBox box(QMessageBox::Warning, qtText(missingBackgroundCaption(m_kind)),
                        QStringLiteral("error"), QMessageBox::Ok, parentWidget());
        const std::string missing = skin().root().image(captureDialogBackground(m_kind));
        box.setInformativeText(QStringLiteral("%1 is missing from the skin and from the default "
                                              "skin.")
                                   .arg(QString::fromStdString(missing)));
        box.exec();
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

AssignmentDialog::Element AssignmentDialog::elementAt(QPoint at)
{
    if (kCloseArea.contains(at))
        return Element::Close;
    if (kOkArea.contains(at))
        return Element::Ok;
    if (kCancelArea.contains(at))
        return Element::Cancel;
    return Element::None;
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

void AssignmentDialog::drawDesktopKeysNote(QPainter& painter) const
{
    QFont small = m_font;
    small.setPixelSize(11);
    painter.setFont(small);
    painter.setPen(m_textColour);
    drawFitted(painter, kNoteArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
               qtText(desktopKeysNote(m_language)));
}

void AssignmentDialog::paintContent(QPainter& painter)
{
    SkinLibrary& images = imageSource();
    images.draw(painter, m_hovered == Element::Close ? kCloseOver : kCloseNormal,
                kCloseArea.topLeft());
    images.draw(painter, m_hovered == Element::Ok ? kButtonOver : kButtonNormal, kOkArea.topLeft());
    images.draw(painter, m_hovered == Element::Cancel ? kButtonOver : kButtonNormal,
                kCancelArea.topLeft());
    painter.setFont(m_font);
    painter.setPen(m_textColour);
    drawCentred(painter, kOkArea, qtText(m_look.ok));
    drawCentred(painter, kCancelArea, qtText(m_look.cancel));
    paintDialog(painter);
}

void AssignmentDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const bool hitDialog = pressed(at);
    switch (elementAt(at)) {
    case Element::Ok:
        pressOk();
        return;
    case Element::Close:
    case Element::Cancel:
        reject();
        return;
    case Element::None:
        break;
    }
    // The window has no title bar: any free spot moves it.
    if (!hitDialog && windowHandle())
        windowHandle()->startSystemMove();
}

void AssignmentDialog::mouseMoveEvent(QMouseEvent* event)
{
    const Element hovered = elementAt(event->position().toPoint());
    if (hovered != m_hovered) {
        m_hovered = hovered;
        update();
    }
}

void AssignmentDialog::leaveEvent(QEvent*)
{
    if (m_hovered != Element::None) {
        m_hovered = Element::None;
        update();
    }
}

QString assignmentFieldStyle(const char* widgetClass)
{
    return QStringLiteral("%1 { color: white; background-color: rgb(40, 40, 40); border: none; }")
        .arg(QLatin1String(widgetClass));
}

} // namespace volantra
