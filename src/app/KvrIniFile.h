#pragma once

#include "app/KvrSettings.h"
#include "base/Result.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <optional>

namespace kelvara::app {

// Reads the site settings file KVR.INI and rewrites its Zones line.
class KvrIniFile {
public:
    static inline const QString kFileName = QStringLiteral("KVR.INI");

    // Entries up to the line "DONE" (or the end of the text); later duplicates win, unknown keys are skipped.
    [[nodiscard]] static KvrSettings parse(const QByteArray& bytes);

    [[nodiscard]] static base::Result<KvrSettings> load(const QString& path);

    // Every line kept in its order, the values of the given keys (matched exactly) replaced.
    [[nodiscard]] static QByteArray withValues(const QByteArray& bytes, const QMap<QString, QString>& values);
    // Every line kept in its order, each line starting with "Zones" replaced by "Zones=N".
    [[nodiscard]] static QByteArray withZones(const QByteArray& bytes, int zones);
    // Rewrites the file in place through a temporary file; returns the error text on failure.
    [[nodiscard]] static base::Result<void> rewriteZones(const QString& path, int zones);
};

} // namespace kelvara::app
