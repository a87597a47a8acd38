#pragma once

#include <QDate>
#include <QString>
#include <vector>

namespace kelvara::reports {

// A named value handed to a report: "FromDate", "ToDate", "Zone1" to "Zone20", "From", "To". The value is
// kept as typed, whatever characters it holds.
struct ReportParameter {
    QString name;
    QString value;

    bool operator==(const ReportParameter&) const = default;
};

// A zone line of a report: its Room and the text of its Zone parameter ("5 - Dock").
struct ReportZone {
    int room = 0;
    QString text;
};

// What a report is run with: its template file, its parameters and its record selection formula (empty:
// every record).
struct ReportRequest {
    static constexpr int kZoneParameters = 20;

    QString templateFile;
    std::vector<ReportParameter> parameters;
    QString formula;

    // The value of a parameter; empty when it was not given.
    [[nodiscard]] QString parameter(const QString& name) const {
        for (const ReportParameter& p : parameters)
            if (p.name == name)
                return p.value;
        return {};
    }
    // A date parameter as the report window writes it (MM/dd/yyyy); invalid when missing or not a date.
    [[nodiscard]] QDate dateParameter(const QString& name) const {
        return QDate::fromString(parameter(name), QStringLiteral("MM/dd/yyyy"));
    }
    // The zones that Zone1 to Zone20 name, by room; the empty ones are left out.
    [[nodiscard]] std::vector<ReportZone> zones() const {
        std::vector<ReportZone> named;
        for (int room = 1; room <= kZoneParameters; ++room) {
            const QString text = parameter(QStringLiteral("Zone%1").arg(room));
            if (!text.isEmpty())
                named.push_back({room, text});
        }
        return named;
    }
    // "From: <From or FromDate> To: <To or ToDate>", the range every page prints; empty without a range.
    [[nodiscard]] QString rangeText() const {
        const QString from = parameter(QStringLiteral("FromDate")) + parameter(QStringLiteral("From"));
        const QString to = parameter(QStringLiteral("ToDate")) + parameter(QStringLiteral("To"));
        if (from.isEmpty() && to.isEmpty())
            return {};
        return QStringLiteral("From: %1 To: %2").arg(from, to);
    }
};

} // namespace kelvara::reports
