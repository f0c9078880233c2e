#include "app/qt/profile_file_dialog.h"

#include <QFileDialog>

namespace volantra {

QString chooseProfileFile(QWidget* owner, bool save, const QString& start,
                          const std::function<QString(const char*)>& text)
{
    QFileDialog dialog(owner, save ? text("Save Profile") : text("Load Profile"), start,
                       text("Gaming Mouse Profile(*.bin)"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("bin"));
    // The desktop's own choosers ask about replacing a file before the suffix is added,
    // so the question would be about another name than the one written.
    if (save)
        dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace volantra
