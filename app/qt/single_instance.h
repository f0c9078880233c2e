#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QSocketNotifier;

namespace volantra {

// One running program per user: the first start holds a lock file and listens on a
// local socket beside it; a later start hands its request ("show", "update") to the
// first one and ends.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Role { Primary, Secondary, Failed };

    // The lock and socket live in $XDG_RUNTIME_DIR; without it, in the temporary folder
    // under a name that holds the user id.
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    Role claim();
    // Primary only: the data folder a later start is told the running program keeps.
    void setDataDirectory(const QString& path) { m_dataDirectory = path; }
    // Secondary only: sends the request to the running program, and takes its answer.
    bool forward(const QString& request);
    // Secondary only, after forward(): the running program's data folder; empty when it
    // did not say.
    QString runningDataDirectory() const { return m_runningDataDirectory; }
    QString error() const { return m_error; }
    QString lockPath() const { return m_basePath + QStringLiteral(".lock"); }
    QString socketPath() const { return m_basePath + QStringLiteral(".socket"); }

signals:
    void requested(const QString& request);

private:
    class Connection;
    void acceptConnections();

    QString m_basePath;
    std::unique_ptr<QLockFile> m_lock;
    // Primary only: the listening socket, and its notifier on the event loop.
    int m_listener = -1;
    std::unique_ptr<QSocketNotifier> m_listening;
    QString m_error;
    QString m_dataDirectory;
    QString m_runningDataDirectory;
};

} // namespace volantra
