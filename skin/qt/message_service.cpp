#include "skin/qt/message_service.h"

namespace volantra {

MessageService::Answerer MessageService::s_answerer;

void MessageService::information(QWidget* owner, const QString& caption, const QString& text)
{
    show(owner, {QMessageBox::Information, caption, text, QString()});
}

void MessageService::warning(QWidget* owner, const QString& caption, const QString& text,
                             const QString& details)
{
    show(owner, {QMessageBox::Warning, caption, text, details});
}

void MessageService::setAnswerer(Answerer answerer)
{
    s_answerer = std::move(answerer);
}

void MessageService::show(QWidget* owner, const Message& message)
{
    if (s_answerer) {
        s_answerer(message);
        return;
    }
    QMessageBox box(message.icon, message.caption, message.text, QMessageBox::Ok, owner);
    if (!message.details.isEmpty())
        box.setInformativeText(message.details);
    box.exec();
}

} // namespace volantra
