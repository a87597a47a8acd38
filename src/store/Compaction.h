#pragma once

#include "base/Result.h"
#include "store/Databases.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace kelvara::store {

// Rewrites the site's databases compacted and checked, each file replacing its original only once it is
// whole on the disk: at every moment each database is there, whole, under its own name.
class Compaction {
public:
    // Where the compaction of one file has got to: its copy written, synced and checked; then put in place.
    enum class Step { Copied, Replaced };
    using Observer = std::function<void(const QString& fileName, Step)>;

    struct Compacted {
        QString fileName;
        qint64 bytesBefore = 0; // with its write-ahead log
        qint64 bytesAfter = 0;
    };
    struct Report {
        std::vector<Compacted> compacted;
        // Each failure in words, and the files it left as they were.
        QStringList errors;
        QStringList failedFiles;
        [[nodiscard]] bool ok() const { return errors.isEmpty(); }
    };

    explicit Compaction(QString siteDir, Observer observer = {});

    // Compacts one database of the site folder in place; nullopt when there is no such file. Refuses while
    // any connection, in this process or another, has the file open.
    [[nodiscard]] base::Result<std::optional<Compacted>> compactFile(const QString& fileName) const;

    // Closes the site's databases, compacts KVR.db and with it Archive.db, then Thermo.db (a file that is not
    // there is skipped), and opens again the sides `databases` holds, on the new files.
    [[nodiscard]] Report repair(Databases& databases) const;

    // "All Done.", or what was left as it was.
    [[nodiscard]] static QString closingText(const Report& report);

    static inline const QString kAllDoneText = QStringLiteral("All Done.");
    static inline const QString kInUseText = QStringLiteral(
        "%1 is open in another program (a report, a copy?), so it was not compacted; close that "
        "program and compact again.");

private:
    QString m_siteDir;
    Observer m_observer;
};

} // namespace kelvara::store
