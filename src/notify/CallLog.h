#pragma once

#include "base/Result.h"
#include "store/CallAlarmStore.h"

#include <QDateTime>
#include <QString>

namespace kelvara::notify {

// The call log "KVRComm.log": one fixed-column line for every notification tried, under a title line.
class CallLog {
public:
    explicit CallLog(QString path) : m_path(std::move(path)) {}

    // The title line and its underline, written once at the top of a new log.
    static const QString kTitle;
    static const QString kRule;

    // One line: notify kind, date, time, recipient, the two numbers (blank for e-mail) and the alarm texts.
    // A field is padded to its column and cut when it is longer, so the columns always hold.
    [[nodiscard]] static QString line(const store::CallAlarmRow& row, const QDateTime& at,
                                      const QString& logMessage);

    // Appends the line (with the titles first when the log is new), CR LF ended.
    [[nodiscard]] base::Result<void> append(const QString& line) const;

private:
    QString m_path;
};

} // namespace kelvara::notify
