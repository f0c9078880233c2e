#include "app/qt/single_instance.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <system_error>
#include <unistd.h>

namespace volantra {

namespace {

constexpr int kForwardTimeoutMs = 2000;
// Out of file descriptors, connections are accepted again after this pause.
constexpr int kRetryAcceptMs = 500;
// The running program's answer to every request: "data-dir <folder>".
constexpr QLatin1String kDataDirectoryAnswer("data-dir ");

QString basePath()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime + QStringLiteral("/volantra");
    return QDir::tempPath() + QStringLiteral("/volantra-%1").arg(getuid());
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::generic_category().message(error));
}

bool interrupted(ssize_t result)
{
    return result < 0 && errno == EINTR;
}

// The address of the local socket at path; none when the path does not fit in it.
std::optional<sockaddr_un> socketAddress(const QString& path, QString& reason)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (name.size() >= qsizetype(sizeof(address.sun_path))) {
        reason = QStringLiteral("the path is longer than the %1 bytes a local socket allows")
                     .arg(sizeof(address.sun_path) - 1);
        return std::nullopt;
    }
    std::memcpy(address.sun_path, name.constData(), name.size());
    return address;
}

// A non-blocking socket listening at path that only this user may connect to; -1 and the
// reason when there is none.
int listenAt(const QString& path, QString& reason)
{
    const std::optional<sockaddr_un> address = socketAddress(path, reason);
    if (!address)
        return -1;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        reason = systemError(errno);
        return -1;
    }
    // On Linux the socket file is made with the socket's own mode, so it is never open to
    // others; the chmod() makes sure of it everywhere.
    const QByteArray name = QFile::encodeName(path);
    const bool bound =
        ::fchmod(fd, 0600) == 0 &&
        ::bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof(*address)) == 0;
    if (bound && ::chmod(name.constData(), 0600) == 0 && ::listen(fd, SOMAXCONN) == 0)
        return fd;
    reason = systemError(errno);
    if (bound)
        ::unlink(name.constData());
    ::close(fd);
    return -1;
}

} // namespace

// One connection from a later start: every request line it sends is answered with the data
// folder and then handed on as requested(); it goes at its end or on an error.
class SingleInstance::Connection : public QObject
{
public:
    Connection(int fd, SingleInstance* owner)
        : QObject(owner), m_owner(owner), m_fd(fd), m_readable(fd, QSocketNotifier::Read),
          m_writable(fd, QSocketNotifier::Write)
    {
        m_writable.setEnabled(false);
        connect(&m_readable, &QSocketNotifier::activated, this, [this] { read(); });
        connect(&m_writable, &QSocketNotifier::activated, this, [this] {
            send();
            closeIfDone();
        });
    }
    ~Connection() override
    {
        m_readable.setEnabled(false);
        m_writable.setEnabled(false);
        ::close(m_fd);
    }

private:
    void read()
    {
        char buffer[4096];
        ssize_t received = 0;
        while ((received = ::recv(m_fd, buffer, sizeof(buffer), 0)) > 0 || interrupted(received)) {
            if (received > 0)
                m_input.append(buffer, received);
        }
        // 0 is the other end closing, EAGAIN all there is for now, anything else an error.
        if (received == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
            m_ended = true;
            m_readable.setEnabled(false);
        }
        const QPointer<Connection> alive(this);
        for (qsizetype end = 0; (end = m_input.indexOf('\n')) >= 0;) {
            const QString request = QString::fromUtf8(m_input.first(end)).trimmed();
            m_input.remove(0, end + 1);
            m_output +=
                (kDataDirectoryAnswer + m_owner->m_dataDirectory + QLatin1Char('\n')).toUtf8();
            send();
            emit m_owner->requested(request);
            if (!alive)
                return; // a window's own event loop closed this connection
        }
        closeIfDone();
    }

    // Sends what the socket takes now; the rest when it has room.
    void send()
    {
        while (!m_failed && !m_output.isEmpty()) {
            const ssize_t sent =
                ::send(m_fd, m_output.constData(), size_t(m_output.size()), MSG_NOSIGNAL);
            if (sent >= 0)
                m_output.remove(0, sent);
            else if (errno == EAGAIN || errno == EWOULDBLOCK)
                break;
            else if (errno != EINTR)
                m_failed = true;
        }
        m_writable.setEnabled(!m_failed && !m_output.isEmpty());
    }

    void closeIfDone()
    {
        if (m_failed || (m_ended && m_output.isEmpty())) {
            m_readable.setEnabled(false);
            m_writable.setEnabled(false);
            deleteLater();
        }
    }

    SingleInstance* m_owner;
    int m_fd;
    QSocketNotifier m_readable;
    QSocketNotifier m_writable;
    QByteArray m_input;
    QByteArray m_output;
    bool m_ended = false;
    bool m_failed = false;
};

SingleInstance::SingleInstance(QObject* parent) : QObject(parent), m_basePath(basePath()) {}

SingleInstance::~SingleInstance()
{
    if (m_listener < 0)
        return;
    m_listening.reset();
    ::close(m_listener);
    ::unlink(QFile::encodeName(socketPath()).constData());
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
    // The lock is ours, so a socket file left there is a crashed program's.
    ::unlink(QFile::encodeName(socketPath()).constData());
    QString reason;
    m_listener = listenAt(socketPath(), reason);
    if (m_listener < 0) {
        m_error = QStringLiteral("%1: %2").arg(socketPath(), reason);
        return Role::Failed;
    }
    m_listening = std::make_unique<QSocketNotifier>(m_listener, QSocketNotifier::Read);
    connect(m_listening.get(), &QSocketNotifier::activated, this,
            &SingleInstance::acceptConnections);
    return Role::Primary;
}

void SingleInstance::acceptConnections()
{
    for (;;) {
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd >= 0) {
            new Connection(fd, this); // a child, gone at the connection's end or with this
        } else if (errno == EMFILE || errno == ENFILE) {
            // The waiting caller stays queued; listening again at once would spin on it.
            m_listening->setEnabled(false);
            QTimer::singleShot(kRetryAcceptMs, m_listening.get(),
                               [notifier = m_listening.get()] { notifier->setEnabled(true); });
            return;
        } else if (errno != EINTR && errno != ECONNABORTED) {
            return; // EAGAIN: no one else is waiting
        }
    }
}

bool SingleInstance::forward(const QString& request)
{
    const auto fail = [this](const QString& reason) {
        m_error = QStringLiteral("%1: the running program does not answer (%2)")
                      .arg(socketPath(), reason);
        return false;
    };
    QString reason;
    const std::optional<sockaddr_un> address = socketAddress(socketPath(), reason);
    if (!address)
        return fail(reason);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return fail(systemError(errno));
    const auto closeSocket = qScopeGuard([fd] { ::close(fd); });
    // Connecting to a busy program waits for room in its queue, sending for room in its
    // buffer; neither longer than the timeout.
    const timeval timeout = {kForwardTimeoutMs / 1000, (kForwardTimeoutMs % 1000) * 1000};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof(timeout));
    int connected = 0;
    do
        connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof(*address));
    while (interrupted(connected));
    if (connected != 0)
        return fail(systemError(errno));

    const QByteArray line = request.toUtf8() + '\n';
    for (qsizetype done = 0; done < line.size();) {
        const ssize_t sent =
            ::send(fd, line.constData() + done, size_t(line.size() - done), MSG_NOSIGNAL);
        if (sent >= 0)
            done += sent;
        else if (errno != EINTR)
            return fail(systemError(errno));
    }

    // The answer, up to its line's end; a program that does not say leaves it empty.
    QByteArray answer;
    char buffer[4096];
    while (!answer.contains('\n')) {
        pollfd readable = {fd, POLLIN, 0};
        const int ready = ::poll(&readable, 1, kForwardTimeoutMs);
        if (interrupted(ready))
            continue;
        const ssize_t received = ready > 0 ? ::recv(fd, buffer, sizeof(buffer), 0) : 0;
        if (interrupted(received))
            continue;
        if (received <= 0)
            break;
        answer.append(buffer, received);
    }
    if (const qsizetype end = answer.indexOf('\n'); end >= 0)
        answer.truncate(end);
    if (answer.startsWith(kDataDirectoryAnswer.latin1()))
        m_runningDataDirectory = QString::fromUtf8(answer.mid(kDataDirectoryAnswer.size()));
    return true;
}

} // namespace volantra
