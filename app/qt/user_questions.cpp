#include "app/qt/user_questions.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace volantra {
namespace {

// A box of the given buttons, each with the answer it gives; the last one is the refusal.
UserAnswer askAmong(QWidget* owner, const QString& title, const QString& body,
                    std::initializer_list<std::pair<QString, UserAnswer>> choices)
{
    QMessageBox box(QMessageBox::Question, title, body, QMessageBox::NoButton, owner);
    std::vector<std::pair<QAbstractButton*, UserAnswer>> buttons;
    std::size_t index = 0;
    for (const auto& [label, answer] : choices) {
        const bool last = ++index == choices.size();
        const QMessageBox::ButtonRole role = last         ? QMessageBox::RejectRole
                                             : index == 1 ? QMessageBox::AcceptRole
                                                          : QMessageBox::DestructiveRole;
        buttons.emplace_back(box.addButton(label, role), answer);
    }
    box.exec();
    for (const auto& [button, answer] : buttons) {
        if (box.clickedButton() == button)
            return answer;
    }
    return UserAnswer::Cancel;
}

} // namespace

UserAnswer askWithQuestionBox(UserQuestion question, QWidget* owner,
                              const std::function<QString(const char* english)>& text)
{
    switch (question) {
    case UserQuestion::ConfirmReset:
        return QMessageBox::question(
                   owner, text("Reset"),
                   text("Reset replaces the settings of the current profile and of the gaming "
                        "mouse with the factory settings. This cannot be undone. Reset now?")) ==
                       QMessageBox::Yes
                   ? UserAnswer::Yes
                   : UserAnswer::Cancel;
    case UserQuestion::ReplaceExportedCopy:
        return QMessageBox::question(owner, text("Save Profile"),
                                     text("A profile file with this name already exists in the "
                                          "data folder. Replace it?")) == QMessageBox::Yes
                   ? UserAnswer::Yes
                   : UserAnswer::Cancel;
    case UserQuestion::ProfileChangedOnDisk:
        return askAmong(owner, text("Warning"),
                        text("The profile's files were changed by another program since they "
                             "were loaded. Overwrite them with the settings shown, or reload "
                             "them?"),
                        {{text("Overwrite"), UserAnswer::Overwrite},
                         {text("Reload"), UserAnswer::Reload},
                         {text("Cancel"), UserAnswer::Cancel}});
    case UserQuestion::ExitWithUnappliedEdits:
        return askAmong(owner, text("Exit"),
                        text("Some changes have not been applied yet. Apply them before exiting?"),
                        {{text("Apply"), UserAnswer::Apply},
                         {text("Discard"), UserAnswer::Discard},
                         {text("Cancel"), UserAnswer::Cancel}});
    case UserQuestion::SwitchProfileWithUnappliedEdits:
        return askAmong(owner, text("Config"),
                        text("Some changes have not been applied yet. Apply them before another "
                             "profile is loaded?"),
                        {{text("Apply"), UserAnswer::Apply},
                         {text("Discard"), UserAnswer::Discard},
                         {text("Cancel"), UserAnswer::Cancel}});
    }
    return UserAnswer::Cancel;
}

} // namespace volantra
