#pragma once

#include <QString>
#include <optional>

namespace kelvara::install {

// A failure inside an installation command, as the window shows it: the number when there is one, then the
// description.
struct InstallProblem {
    std::optional<int> number;
    QString description;

    // "<number>  <description>", or the description alone when there is no number.
    [[nodiscard]] QString text() const {
        return number ? QString::number(*number) + QStringLiteral("  ") + description : description;
    }
};

} // namespace kelvara::install
