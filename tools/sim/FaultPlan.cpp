#include "sim/FaultPlan.h"

#include <QJsonObject>
#include <algorithm>

namespace kelvara::sim {

namespace {
struct KindName {
    FaultKind kind;
    const char* name;
};
constexpr KindName kKindNames[] = {
    {FaultKind::Absent, "absent"},   {FaultKind::AllF, "allf"},   {FaultKind::PowerOn, "poweron"},
    {FaultKind::Garbled, "garbled"}, {FaultKind::Delay, "delay"},
};
} // namespace

bool FaultPlan::active(FaultKind kind, double now) const {
    return std::any_of(m_faults.begin(), m_faults.end(),
                       [&](const Fault& f) { return f.kind == kind && now >= f.from && now < f.until; });
}

bool FaultPlan::strikes(FaultKind kind, double now, Random& random) const {
    for (const Fault& f : m_faults) {
        if (f.kind == kind && now >= f.from && now < f.until && random.chance(f.probability))
            return true;
    }
    return false;
}

int FaultPlan::delayMs(double now, Random& random) const {
    int delay = 0;
    for (const Fault& f : m_faults) {
        if (f.kind == FaultKind::Delay && now >= f.from && now < f.until && random.chance(f.probability))
            delay = std::max(delay, f.delayMs);
    }
    return delay;
}

std::optional<FaultKind> FaultPlan::kindFromName(QStringView name) {
    for (const KindName& k : kKindNames) {
        if (name == QLatin1String(k.name))
            return k.kind;
    }
    return std::nullopt;
}

QString FaultPlan::name(FaultKind kind) {
    for (const KindName& k : kKindNames) {
        if (k.kind == kind)
            return QLatin1String(k.name);
    }
    return {};
}

std::optional<Fault> FaultPlan::fromJson(const QJsonValue& value, QString* error) {
    const QJsonObject object = value.isObject() ? value.toObject() : QJsonObject{{"kind", value}};
    const QString kindName = object.value(QLatin1String("kind")).toString();
    const auto kind = kindFromName(kindName);
    if (!kind) {
        if (error)
            *error = QStringLiteral("unknown fault \"%1\"").arg(kindName);
        return std::nullopt;
    }
    Fault fault;
    fault.kind = *kind;
    fault.from = object.value(QLatin1String("from")).toDouble(fault.from);
    fault.until = object.value(QLatin1String("until")).toDouble(fault.until);
    fault.probability = object.value(QLatin1String("probability")).toDouble(1.0);
    fault.delayMs = object.value(QLatin1String("ms")).toInt(0);
    if (fault.kind == FaultKind::Delay && fault.delayMs <= 0) {
        if (error)
            *error = QStringLiteral("a delay fault needs a positive \"ms\"");
        return std::nullopt;
    }
    return fault;
}

} // namespace kelvara::sim
