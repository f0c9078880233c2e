#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>

class QWidget;

namespace volantra {

// The message boxes the skinned dialogs show: modal over their owner, with a caption, a
// text and optional details. Tests answer them directly instead of looking for boxes on
// the screen (setAnswerer()).
class MessageService
{
public:
    struct Message
    {
        QMessageBox::Icon icon;
        QString caption;
        QString text;
        QString details;
    };
    // Acknowledges a message in place of the user.
    using Answerer = std::function<void(const Message&)>;

    static void information(QWidget* owner, const QString& caption, const QString& text);
    static void warning(QWidget* owner, const QString& caption, const QString& text,
                        const QString& details = QString());
    // While set (until an empty one), no message is shown: `answerer` gets each one.
    static void setAnswerer(Answerer answerer);

private:
    static void show(QWidget* owner, const Message& message);

    static Answerer s_answerer;
};

} // namespace volantra
