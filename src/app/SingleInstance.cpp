#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace kelvara::app {

namespace {

// A copy killed between making the lock file and writing its process id into it leaves a file that names no
// owner, which the lock would take as held for ever. A living owner also holds a lock on the file itself
// from the moment it made it: a file naming no one that nobody holds was left by a dead copy.
bool ownerless(QLockFile& lock, const QString& path) {
    qint64 pid = 0;
    QString hostname;
    QString application;
    if (lock.getLockInfo(&pid, &hostname, &application))
        return false;
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return !held;
#else
    return false;
#endif
}

} // namespace

base::Result<SingleInstance::Claim> SingleInstance::acquire(const QString& siteDir) {
    const QString path = QDir(siteDir).filePath(kLockName);
    auto lock = std::make_unique<QLockFile>(path);
    // A lock left by a copy that died is recognised by its process id, never by its age: a copy that has
    // been running for months must still keep the site.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0) || (lock->error() == QLockFile::LockFailedError && ownerless(*lock, path) &&
                             lock->removeStaleLockFile() && lock->tryLock(0))) {
        m_lock = std::move(lock);
        return Claim::Held;
    }
    switch (lock->error()) {
    case QLockFile::LockFailedError:
        return Claim::OtherCopy;
    case QLockFile::PermissionError:
        return base::fail(
            kNotWritableText.arg(QDir::toNativeSeparators(siteDir), QStringLiteral("permission denied")));
    case QLockFile::NoError:
    case QLockFile::UnknownError:
        break;
    }
    return base::fail(
        kNotWritableText.arg(QDir::toNativeSeparators(siteDir), QStringLiteral("the lock file "
                                                                               "cannot be made")));
}

void SingleInstance::release() {
    m_lock.reset();
}

} // namespace kelvara::app
