#pragma once

#include "app/AdapterCommands.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace kelvara::app {

// Reads the bus adapter's command texts from SensorReader.ini: line 2 names the model, its section holds
// them.
class SensorReaderIniFile {
public:
    static inline const QString kFileName = QStringLiteral("SensorReader.ini");

    struct Loaded {
        AdapterCommands commands;
        std::optional<QString> problem; // missing file or missing section; commands stay empty then
    };

    [[nodiscard]] static Loaded parse(const QByteArray& bytes);
    [[nodiscard]] static Loaded load(const QString& path);
};

} // namespace kelvara::app
