#pragma once

#include "skin/qt/message_service.h"

#include <QStringList>
#include <vector>

namespace volantra::test {

// Answers every message the dialogs show while it lives, without a box on the screen,
// and keeps them: `messages` as "caption: text", `shown` whole.
class MessageCatcher
{
public:
    MessageCatcher()
    {
        MessageService::setAnswerer([this](const MessageService::Message& message) {
            shown.push_back(message);
            messages.push_back(message.caption + ": " + message.text);
        });
    }
    ~MessageCatcher() { MessageService::setAnswerer({}); }
    MessageCatcher(const MessageCatcher&) = delete;
    MessageCatcher& operator=(const MessageCatcher&) = delete;

    QStringList messages;
    std::vector<MessageService::Message> shown;
};

} // namespace volantra::test
