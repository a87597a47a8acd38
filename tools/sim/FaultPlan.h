#pragma once

#include "sim/Fault.h"
#include "sim/Random.h"

#include <QJsonValue>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace kelvara::sim {

// The faults injected into one device, each active within its time window and striking with its odds.
class FaultPlan {
public:
    void clear() { m_faults.clear(); }
    void add(const Fault& fault) { m_faults.push_back(fault); }
    [[nodiscard]] bool empty() const { return m_faults.empty(); }
    [[nodiscard]] const std::vector<Fault>& faults() const { return m_faults; }

    // A fault of this kind is within its window.
    [[nodiscard]] bool active(FaultKind kind, double now) const;
    // A fault of this kind is within its window and its odds come up for this event.
    [[nodiscard]] bool strikes(FaultKind kind, double now, Random& random) const;
    // The longest delay among the delay faults that strike for this answer; 0 when none does.
    [[nodiscard]] int delayMs(double now, Random& random) const;

    [[nodiscard]] static std::optional<FaultKind> kindFromName(QStringView name);
    [[nodiscard]] static QString name(FaultKind kind);
    // A kind name, or an object with "kind" and optional "from", "until", "probability" and "ms".
    [[nodiscard]] static std::optional<Fault> fromJson(const QJsonValue& value, QString* error);

private:
    std::vector<Fault> m_faults;
};

} // namespace kelvara::sim
