#include "app/SingleInstance.h"

#include <QDir>

namespace kelvara::app {

base::Result<SingleInstance::Claim> SingleInstance::acquire(const QString& siteDir) {
    auto lock = std::make_unique<QLockFile>(QDir(siteDir).filePath(kLockName));
    // A lock left by a copy that died is recognised by its process id, never by its age: a copy that has
    // been running for months must still keep the site.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
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
