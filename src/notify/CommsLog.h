#pragma once

#include "base/Result.h"

#include <QString>

namespace kelvara::notify {

// The communications log "SMTP.log": replaced at the first send of a notification pass, then each sender's
// progress lines, then "DONE" when the pass's last send is over.
class CommsLog {
public:
    explicit CommsLog(QString path) : m_path(std::move(path)) {}

    // Empties the log for a new pass.
    [[nodiscard]] base::Result<void> start() const;
    [[nodiscard]] base::Result<void> line(const QString& text) const;
    [[nodiscard]] base::Result<void> finish() const { return line(QStringLiteral("DONE")); }

private:
    QString m_path;
};

} // namespace kelvara::notify
