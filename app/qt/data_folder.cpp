#include "app/qt/data_folder.h"

#include "app/qt/user_notices.h"
#include "model/data_directory.h"
#include "model/profile_store.h"
#include "platform/posix_atomic_file_writer.h"
#include "platform/posix_folder_lock.h"

#include <QFileSystemWatcher>

namespace volantra {
namespace {

// How long a change waits for volantra-cli to finish its own; the window stays responsive.
constexpr std::chrono::milliseconds kLockWait{2000};

} // namespace

Result<std::unique_ptr<DataFolder>> DataFolder::open(const std::optional<std::string>& chosen,
                                                     UserNotices& notices, const Texts& text)
{
    DataDirectory::Inputs inputs = DataDirectory::inputsFromEnvironment(chosen);
    inputs.fillOverride = true;
    Result<DataDirectory> directory = DataDirectory::resolve(inputs);
    if (!directory)
        return directory.error();
    std::unique_ptr<DataFolder> folder(new DataFolder(std::move(*directory), notices));
    Result<std::unique_ptr<FolderLock>> lock = folder->lock();
    if (!lock)
        notices.warn(text("The settings were neither sent nor saved.") + QLatin1Char('\n') +
                     QString::fromStdString(lock.error().message));
    else if (Status recovered = folder->m_store->recoverUnfinishedSave(); !recovered)
        notices.once("recover", QString::fromStdString(recovered.error().message));
    return folder;
}

DataFolder::DataFolder(DataDirectory directory, UserNotices& notices)
    : m_directory(std::make_unique<DataDirectory>(std::move(directory))),
      m_writer(std::make_unique<PosixAtomicFileWriter>()),
      m_store(std::make_unique<ProfileStore>(m_directory->path(), *m_writer)), m_notices(notices)
{
}

DataFolder::~DataFolder() = default;

const std::string& DataFolder::path() const
{
    return m_directory->path();
}

Result<std::unique_ptr<FolderLock>> DataFolder::lock()
{
    Result<std::unique_ptr<FolderLock>> lock = PosixFolderLocker().lock(path(), kLockWait);
    if (!lock)
        m_notices.log(lock.error().message);
    return lock;
}

void DataFolder::watch()
{
    m_watcher = new QFileSystemWatcher(this);
    // The folder, not the files: a save replaces a file by renaming another over it.
    m_watcher->addPath(QString::fromStdString(path()));
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &DataFolder::changed);
}

} // namespace volantra
