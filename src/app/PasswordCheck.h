#pragma once

#include "base/Result.h"

#include <QString>
#include <optional>

namespace kelvara::app {

struct AppContext;

// Opens every site whatever its own password, so that service staff can reach a site whose owner forgot it.
inline const QString kServicePassword = QStringLiteral("QTW418");

// The login password as the site's settings row holds it (nullopt: none set), or why it cannot be read.
using StoredPassword = base::Result<std::optional<QString>>;

// Whether the typed text opens the login of a site whose settings row holds `stored` (nullopt: none
// set). Letter case never matters. A blank stored password counts as none: the cook side creates its
// settings row with a single space in every text column, and such a site has never chosen a password.
[[nodiscard]] bool passwordAccepted(const std::optional<QString>& stored, const QString& typed);

// The same decision, with a settings row that cannot be read (or a site without a database to hold it)
// accepting only the service password.
[[nodiscard]] bool passwordAccepted(const StoredPassword& stored, const QString& typed);

// Reads the login password from the zone side's System row when the zone side runs, otherwise from the
// cook side's Settings row on a cook-only site.
[[nodiscard]] StoredPassword readStoredPassword(const AppContext& ctx);

} // namespace kelvara::app
