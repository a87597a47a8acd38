#include "cook/ThermoTable.h"

#include "store/EngineText.h"
#include "store/ThermoTypesTable.h"
#include "thermocouple/ThermocoupleReference.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>
#include <algorithm>
#include <cmath>

namespace kelvara::cook {

namespace {

std::optional<std::size_t> typeIndex(char type) {
    const auto& types = thermocouple::kThermocoupleTypes;
    const auto it = std::find(types.begin(), types.end(), type);
    if (it == types.end())
        return std::nullopt;
    return static_cast<std::size_t>(it - types.begin());
}

} // namespace

base::Result<ThermoTable> ThermoTable::load(const QString& path) {
    const QString connection =
        QStringLiteral("kelvara-thermotable-%1").arg(QUuid::createUuid().toString(QUuid::WithoutBraces));
    base::Result<ThermoTable> loaded = base::fail(QString());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            loaded = base::fail(store::engineText(db.lastError()));
        } else {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            if (!query.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY \"%2\"")
                                .arg(QLatin1String(store::kThermoTypesTable),
                                     QLatin1String(store::kThermoTypesTemperature)))) {
                loaded = base::fail(store::engineText(query.lastError()));
            } else {
                ThermoTable table;
                while (query.next()) {
                    const int celsius = query.value(QLatin1String(store::kThermoTypesTemperature)).toInt();
                    for (char type : thermocouple::kThermocoupleTypes) {
                        const QVariant emf = query.value(QString(QLatin1Char(type)));
                        if (!emf.isNull())
                            table.add(type, celsius, emf.toDouble());
                    }
                }
                loaded = std::move(table);
            }
            query.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (loaded.ok() && loaded->isEmpty())
        return base::fail(QStringLiteral("The thermocouple table of %1 has no rows.").arg(path));
    return loaded;
}

void ThermoTable::add(char type, int celsius, double microvolts) {
    if (const auto index = typeIndex(type))
        m_columns[*index].push_back({celsius, microvolts});
}

bool ThermoTable::isEmpty() const {
    return std::all_of(m_columns.begin(), m_columns.end(), [](const auto& c) { return c.empty(); });
}

const std::vector<ThermoTable::Point>* ThermoTable::column(const QString& sensorType) const {
    if (sensorType.size() != 1)
        return nullptr;
    const auto index = typeIndex(sensorType.at(0).toLatin1());
    if (!index || m_columns[*index].empty())
        return nullptr;
    return &m_columns[*index];
}

std::optional<int> ThermoTable::celsius(const QString& sensorType, double emfMicrovolts,
                                        double coldJunctionCelsius) const {
    const std::vector<Point>* points = column(sensorType);
    if (!points)
        return std::nullopt;

    // The cold junction's EMF, straight between the two whole degrees around it.
    const auto above = std::lower_bound(points->begin(), points->end(), coldJunctionCelsius,
                                        [](const Point& p, double c) { return p.celsius < c; });
    if (above == points->end())
        return std::nullopt;
    double coldEmf = above->microvolts;
    if (above->celsius != coldJunctionCelsius) {
        if (above == points->begin())
            return std::nullopt;
        const Point& below = *(above - 1);
        const double share = (coldJunctionCelsius - below.celsius) / (above->celsius - below.celsius);
        coldEmf = below.microvolts + share * (above->microvolts - below.microvolts);
    }

    // The hottest degree whose EMF does not exceed the compensated EMF. Past the table's last EMF the
    // interface is out of its type's range, which is no reading rather than the last degree.
    const double compensated = emfMicrovolts + coldEmf;
    const auto hottest = std::max_element(points->begin(), points->end(), [](const Point& a, const Point& b) {
        return a.microvolts < b.microvolts;
    });
    if (compensated > hottest->microvolts)
        return std::nullopt;
    std::optional<int> found;
    for (const Point& p : *points)
        if (p.microvolts <= compensated)
            found = p.celsius;
    return found;
}

} // namespace kelvara::cook
