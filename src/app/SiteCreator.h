#pragma once

#include "base/Result.h"

#include <QString>
#include <optional>

namespace kelvara::app {

// Lays out a new site folder: empty databases with the full schema and the shipped default files.
class SiteCreator {
public:
    enum class Sides { Zone, Cook, Both };

    // dataDir holds the shipped defaults (KVR.INI, SensorReader.ini, sounds/, reports/).
    explicit SiteCreator(QString dataDir);

    // Refuses to touch a folder that already holds a database of a side asked for; shipped files that
    // the folder already has are kept as they are. Returns the reason on failure.
    [[nodiscard]] base::Result<void> create(const QString& siteDir, Sides sides) const;

    [[nodiscard]] static std::optional<Sides> sidesFromText(const QString& text);

private:
    [[nodiscard]] base::Result<void> copyDefaults(const QString& siteDir) const;

    QString m_dataDir;
};

} // namespace kelvara::app
