#pragma once

#include "common/folder_lock.h"
#include "common/result.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QFileSystemWatcher;

namespace volantra {

class DataDirectory;
class PosixAtomicFileWriter;
class ProfileStore;
class UserNotices;

// The folder the window keeps its profiles, macros and skins in, with the profile store
// over it, its lock against volantra-cli's changes, and a watch on what others change.
class DataFolder : public QObject
{
    Q_OBJECT

public:
    using Texts = std::function<QString(const char* english)>;

    // `chosen` (--data-dir), else the usual folder; a save a killed program left half done
    // is finished before anything is read.
    static Result<std::unique_ptr<DataFolder>> open(const std::optional<std::string>& chosen,
                                                    UserNotices& notices, const Texts& text);
    ~DataFolder() override;

    const std::string& path() const;
    PosixAtomicFileWriter& writer() { return *m_writer; }
    ProfileStore& store() { return *m_store; }
    // The lock for one change of its files, waiting a while for another program; a lock
    // that cannot be had is logged (the caller tells the user).
    Result<std::unique_ptr<FolderLock>> lock();
    // From now on, changed() follows every change of the folder's files.
    void watch();

signals:
    void changed();

private:
    DataFolder(DataDirectory directory, UserNotices& notices);

    std::unique_ptr<DataDirectory> m_directory;
    std::unique_ptr<PosixAtomicFileWriter> m_writer;
    std::unique_ptr<ProfileStore> m_store;
    UserNotices& m_notices;
    QFileSystemWatcher* m_watcher = nullptr;
};

} // namespace volantra
