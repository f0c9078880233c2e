#include "app/qt/single_instance.h"
#include "support/temporary_directory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QThread>
#include <gtest/gtest.h>

namespace volantra {
namespace {

class SingleInstanceTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.path().string()));
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", m_previous); }

    test::TemporaryDirectory runtime;
    test::TemporaryDirectory data;

private:
    QByteArray m_previous;
};

TEST_F(SingleInstanceTest, ASecondClaimForwardsItsRequestToTheFirst)
{
    SingleInstance first;
    ASSERT_EQ(first.claim(), SingleInstance::Role::Primary) << first.error().toStdString();
    first.setDataDirectory(QStringLiteral("/home/me/volantra data"));
    QSignalSpy requests(&first, &SingleInstance::requested);

    // The first one answers from its own thread's event loop while the second waits.
    QThread secondThread;
    SingleInstance second;
    ASSERT_EQ(second.claim(), SingleInstance::Role::Secondary);
    bool forwarded = false;
    QObject::connect(&secondThread, &QThread::started, [&] {
        forwarded = second.forward(QStringLiteral("show"));
        secondThread.quit();
    });
    secondThread.start();
    ASSERT_TRUE(requests.wait(3000) || requests.count() > 0);
    EXPECT_EQ(requests[0][0].toString(), QStringLiteral("show"));
    while (!secondThread.wait(10))
        QCoreApplication::processEvents();
    EXPECT_TRUE(forwarded) << second.error().toStdString();
    EXPECT_EQ(second.runningDataDirectory(), QStringLiteral("/home/me/volantra data"));
}

TEST_F(SingleInstanceTest, ASecondProgramShowsTheFirstsWindowAndEndsWithStatusZero)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QString dataDir = QString::fromStdString(data.path().string());
    QProcess first;
    first.setProcessEnvironment(environment);
    first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    first.start(QStringLiteral(VOLANTRA_PROGRAM), {"--simulate", "--data-dir", dataDir});
    ASSERT_TRUE(first.waitForStarted());
    // The first one is up once it listens on its socket.
    const QString socket = QString::fromStdString(runtime.path().string()) + "/volantra.socket";
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(socket) && timer.elapsed() < 10000)
        QThread::msleep(10);
    ASSERT_TRUE(QFile::exists(socket));

    // Another folder is not taken up by the running program: the second start says so.
    test::TemporaryDirectory other;
    const struct
    {
        QString dataDir;
        bool told;
    } starts[] = {{dataDir, false},
                  {dataDir + "/", false},
                  {QString::fromStdString(other.path().string()), true}};
    for (const auto& start : starts) {
        QProcess second;
        second.setProcessEnvironment(environment);
        second.start(QStringLiteral(VOLANTRA_PROGRAM), {"--simulate", "--data-dir", start.dataDir});
        ASSERT_TRUE(second.waitForFinished(10000));
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0);
        const QString said = QString::fromUtf8(second.readAllStandardError());
        EXPECT_EQ(said.contains("keeps its data folder " + dataDir), start.told)
            << said.toStdString();
    }
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

} // namespace
} // namespace volantra
