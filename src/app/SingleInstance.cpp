#include "app/SingleInstance.h"

#include <QDir>

namespace kelvara::app {

bool SingleInstance::acquire(const QString& siteDir) {
    auto lock = std::make_unique<QLockFile>(QDir(siteDir).filePath(kLockName));
    // A lock left by a copy that died is recognised by its process id, never by its age: a copy that has
    // been running for months must still keep the site.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    return true;
}

void SingleInstance::release() {
    m_lock.reset();
}

} // namespace kelvara::app
