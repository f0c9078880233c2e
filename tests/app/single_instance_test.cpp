#include "app/qt/single_instance.h"
#include "support/temporary_directory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QThread>
#include <QTimer>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace volantra {
namespace {

// A caller's connection to the running program's socket; -1 when it cannot be made.
int connectTo(const QString& socketPath)
{
    const int client = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, socketPath.toUtf8().constData());
    if (client >= 0 &&
        ::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        ::close(client);
        return -1;
    }
    return client;
}

// CPU time of the whole process, all threads, in milliseconds.
double processCpuMs()
{
    timespec now = {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

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

TEST_F(SingleInstanceTest, RequestLinesJoinedOrSplitByTheSenderAreEachAnsweredInTurn)
{
    SingleInstance first;
    ASSERT_EQ(first.claim(), SingleInstance::Role::Primary) << first.error().toStdString();
    first.setDataDirectory(QStringLiteral("/data"));
    QSignalSpy requests(&first, &SingleInstance::requested);
    struct stat status = {};
    ASSERT_EQ(::stat(first.socketPath().toUtf8().constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u); // only this user may connect

    const int client = connectTo(first.socketPath());
    ASSERT_GE(client, 0);
    for (const char* part : {"show\nshow\n up", "date \n"}) {
        ASSERT_GT(::write(client, part, std::strlen(part)), 0);
        const qsizetype before = requests.count();
        ASSERT_TRUE(requests.wait(3000) || requests.count() > before);
    }
    // The running program ends the connection once the sender has.
    ::shutdown(client, SHUT_WR);
    QByteArray answers;
    char buffer[100];
    ssize_t received = -1;
    QElapsedTimer timer;
    timer.start();
    while (received != 0 && timer.elapsed() < 3000) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        received = ::recv(client, buffer, sizeof(buffer), MSG_DONTWAIT);
        answers.append(buffer, std::max<ssize_t>(received, 0));
    }
    ::close(client);
    EXPECT_EQ(received, 0);
    ASSERT_EQ(requests.count(), 3);
    EXPECT_EQ(requests[1][0].toString(), QStringLiteral("show"));
    EXPECT_EQ(requests[2][0].toString(), QStringLiteral("update"));
    EXPECT_EQ(answers, QByteArray("data-dir /data\n").repeated(3));
}

TEST_F(SingleInstanceTest, OutOfFileDescriptorsTheCallerWaitsWithoutACoreSpinningForIt)
{
#ifdef __SANITIZE_ADDRESS__
    // The sanitizer build's type checks open a pipe the first time they look at a type;
    // with no descriptor free they report errors that are not there.
    GTEST_SKIP() << "the sanitizers need file descriptors of their own";
#endif
    SingleInstance first;
    ASSERT_EQ(first.claim(), SingleInstance::Role::Primary) << first.error().toStdString();
    QSignalSpy requests(&first, &SingleInstance::requested);
    const int client = connectTo(first.socketPath());
    ASSERT_GE(client, 0);
    ASSERT_GT(::write(client, "show\n", 5), 0);

    // The lowest free descriptor becomes the limit: the program cannot take the caller.
    rlimit saved = {};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    const int lowestFree = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(lowestFree, 0);
    ::close(lowestFree);
    rlimit tight = saved;
    tight.rlim_cur = rlim_t(lowestFree);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
    const double before = processCpuMs();
    QEventLoop idle;
    QTimer::singleShot(400, &idle, &QEventLoop::quit);
    idle.exec();
    const double busy = processCpuMs() - before;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &saved), 0);
    EXPECT_EQ(requests.count(), 0);
    EXPECT_LT(busy, 150.0) << "ms of CPU in 400 ms out of descriptors";

    // With descriptors again, the caller is answered.
    ASSERT_TRUE(requests.wait(3000) || requests.count() > 0);
    EXPECT_EQ(requests[0][0].toString(), QStringLiteral("show"));
    ::close(client);
}

TEST_F(SingleInstanceTest, ASocketPathTooLongForASocketIsAnError)
{
    const std::filesystem::path deep = runtime.path() / std::string(120, 'r');
    std::filesystem::create_directories(deep);
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(deep.string()));
    SingleInstance first;
    EXPECT_EQ(first.claim(), SingleInstance::Role::Failed);
    EXPECT_TRUE(first.error().startsWith(first.socketPath() + ": the path is longer than"))
        << first.error().toStdString();
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
