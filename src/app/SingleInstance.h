#pragma once

#include "base/Result.h"

#include <QLockFile>
#include <QString>
#include <memory>

namespace kelvara::app {

// Keeps a second copy of Kelvara off a site folder while one runs there (a lock file the OS frees on exit).
class SingleInstance {
public:
    static inline const QString kLockName = QStringLiteral("Kelvara.lock");

    enum class Claim {
        Held,      // this process now holds the site
        OtherCopy, // another running copy holds it
    };
    // Fails when the lock cannot be taken for any other reason (a folder the user cannot write, say),
    // with a text that names the folder.
    [[nodiscard]] base::Result<Claim> acquire(const QString& siteDir);
    void release();

    static inline const QString kNotWritableText =
        QStringLiteral("Kelvara cannot write to the site folder %1 (%2), so it cannot run there.");

private:
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace kelvara::app
