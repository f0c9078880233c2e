#include "app/qt/single_instance.h"

#include <QDir>
#include <QLocalSocket>
#include <unistd.h>

namespace volantra {

namespace {

constexpr int kForwardTimeoutMs = 2000;
// The running program's answer to every request: "data-dir <folder>".
constexpr QLatin1String kDataDirectoryAnswer("data-dir ");

QString basePath()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime + QStringLiteral("/volantra");
    return QDir::tempPath() + QStringLiteral("/volantra-%1").arg(getuid());
}

} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent), m_basePath(basePath())
{
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                while (socket->canReadLine()) {
                    const QString request = QString::fromUtf8(socket->readLine()).trimmed();
                    socket->write(
                        (kDataDirectoryAnswer + m_dataDirectory + QLatin1Char('\n')).toUtf8());
                    emit requested(request);
                }
            });
        }
    });
}

SingleInstance::~SingleInstance()
{
    m_server.close();
}

SingleInstance::Role SingleInstance::claim()
{
    m_lock = std::make_unique<QLockFile>(lockPath());
    // A lock left by a crashed program names a dead process and is taken over.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(0)) {
        if (m_lock->error() == QLockFile::LockFailedError)
            return Role::Secondary;
        m_error = QStringLiteral("%1: cannot create the lock file").arg(lockPath());
        return Role::Failed;
    }
    QLocalServer::removeServer(socketPath());
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(socketPath())) {
        m_error = QStringLiteral("%1: %2").arg(socketPath(), m_server.errorString());
        return Role::Failed;
    }
    return Role::Primary;
}

bool SingleInstance::forward(const QString& request)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(kForwardTimeoutMs)) {
        m_error = QStringLiteral("%1: the running program does not answer (%2)")
                      .arg(socketPath(), socket.errorString());
        return false;
    }
    socket.write(request.toUtf8() + '\n');
    const bool sent = socket.waitForBytesWritten(kForwardTimeoutMs);
    while (sent && !socket.canReadLine() && socket.waitForReadyRead(kForwardTimeoutMs)) {
    }
    QString answer = QString::fromUtf8(socket.readLine());
    if (answer.endsWith(QLatin1Char('\n')))
        answer.chop(1);
    if (answer.startsWith(kDataDirectoryAnswer))
        m_runningDataDirectory = answer.mid(kDataDirectoryAnswer.size());
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kForwardTimeoutMs);
    return sent;
}

} // namespace volantra
