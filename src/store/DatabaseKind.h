#pragma once

#include <QString>

namespace kelvara::store {

// The four database files of a site; each has its own schema.
enum class DatabaseKind { Kvr, Thermo, ThermoTypes, Archive };

// Scratch file that compaction writes before it replaces the original.
inline const QString kCompactedFileName = QStringLiteral("Compacted.db");

// The file name of a database kind inside the site folder.
[[nodiscard]] inline QString databaseFileName(DatabaseKind kind) {
    switch (kind) {
    case DatabaseKind::Kvr:
        return QStringLiteral("KVR.db");
    case DatabaseKind::Thermo:
        return QStringLiteral("Thermo.db");
    case DatabaseKind::ThermoTypes:
        return QStringLiteral("ThermoTypes.db");
    case DatabaseKind::Archive:
        return QStringLiteral("Archive.db");
    }
    return {};
}

// The working databases are written all the time and get the durable journal settings; the
// thermocouple table is shipped read-only reference data.
[[nodiscard]] inline bool isWorkingDatabase(DatabaseKind kind) {
    return kind != DatabaseKind::ThermoTypes;
}

} // namespace kelvara::store
