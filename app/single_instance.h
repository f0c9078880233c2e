#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

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
    // Secondary only: sends the request to the running program.
    bool forward(const QString& request);
    QString error() const { return m_error; }
    QString lockPath() const { return m_basePath + QStringLiteral(".lock"); }
    QString socketPath() const { return m_basePath + QStringLiteral(".socket"); }

signals:
    void requested(const QString& request);

private:
    QString m_basePath;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
    QString m_error;
};

} // namespace volantra
