#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace kelvara::app {

// Keeps a second copy of Kelvara off a site folder while one runs there (a lock file the OS frees on exit).
class SingleInstance {
public:
    static inline const QString kLockName = QStringLiteral("Kelvara.lock");

    // True when this process now holds the site; false when another running copy does.
    [[nodiscard]] bool acquire(const QString& siteDir);
    void release();

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace kelvara::app
