#pragma once

#include "base/Result.h"
#include "sensornet/AdapterCommands.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace kelvara::app {

// Reads the bus adapter's command texts from SensorReader.ini: line 2 names the model, its section holds
// them.
class SensorReaderIniFile {
public:
    static inline const QString kFileName = QStringLiteral("SensorReader.ini");
    // The shipped adapter's ConvertAll when a file does not give one: Skip ROM, Convert T.
    static inline const QString kHa5ConvertAll = QStringLiteral("aW02CC44");

    // Fails for a missing file, a missing model line or a missing section.
    [[nodiscard]] static base::Result<sensornet::AdapterCommands> parse(const QByteArray& bytes);
    [[nodiscard]] static base::Result<sensornet::AdapterCommands> load(const QString& path);
};

} // namespace kelvara::app
