#include "app/qt/profile_file_dialog.h"
#include "support/temporary_directory.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace volantra {
namespace {

// A name typed without ".bin" is the name of a file that exists once ".bin" is added: the
// dialog must ask before that file is replaced, naming it.
TEST(ProfileFileDialogTest, ANameTypedWithoutTheSuffixIsAskedAboutAsTheFileItWillBe)
{
    test::TemporaryDirectory directory;
    test::writeBytes(directory.file("mine.bin"), std::vector<std::uint8_t>(1757, 0));
    QStringList asked;
    QTimer typist;
    typist.setInterval(10);
    QObject::connect(&typist, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                asked.push_back(box->text());
                box->button(QMessageBox::Yes)->click();
            } else if (auto* dialog = qobject_cast<QFileDialog*>(widget);
                       dialog && dialog->isVisible() && asked.isEmpty()) {
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText("mine");
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            }
        }
    });
    typist.start();
    const QString chosen =
        chooseProfileFile(nullptr, true, QString::fromStdString(directory.path().string()),
                          [](const char* english) { return QString::fromUtf8(english); });
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].contains("mine.bin")) << asked[0].toStdString();
    EXPECT_EQ(chosen.toStdString(), directory.file("mine.bin"));
}

} // namespace
} // namespace volantra
