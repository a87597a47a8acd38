#pragma once

#include "base/Result.h"

#include <QString>
#include <optional>

namespace kelvara::app {

// Fills a new site from a simulator scenario: one zone per temperature sensor that carries a "zone" entry,
// the lamp switches in order as their alarm lamps, short read and record intervals, and one recipient of the
// notification list on the site's simulated GSM modem.
class DemoSite {
public:
    // The site must already exist with its zone database; returns the reason on failure.
    [[nodiscard]] static base::Result<void> fill(const QString& siteDir, const QString& scenarioPath);
};

} // namespace kelvara::app
