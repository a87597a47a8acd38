// Builds the thermocouple conversion table: every type's reference EMF at each whole degree Celsius.
#include "store/ThermoTypesTable.h"

#include "store/EngineText.h"
#include "thermocouple/ThermocoupleReference.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryFile>
#include <QUuid>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>

namespace kelvara::store {

namespace {

QString quoted(const QString& identifier) {
    return QLatin1Char('"') + identifier + QLatin1Char('"');
}

QString typeColumn(char type) {
    return QString(QLatin1Char(type));
}

struct TemperatureSpan {
    int lowest;
    int highest;
};

// Whole degrees from the coldest start to the hottest end of any type's range.
TemperatureSpan temperatureSpan() {
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -std::numeric_limits<double>::infinity();
    for (char type : thermocouple::kThermocoupleTypes) {
        const auto range = thermocouple::thermocoupleRange(type);
        lowest = std::min(lowest, range->lowestCelsius);
        highest = std::max(highest, range->highestCelsius);
    }
    return {static_cast<int>(std::ceil(lowest)), static_cast<int>(std::floor(highest))};
}

QString createTableSql() {
    QStringList columns{quoted(QLatin1String(kThermoTypesTemperature)) + QStringLiteral(" INTEGER NOT NULL")};
    for (char type : thermocouple::kThermocoupleTypes)
        columns << quoted(typeColumn(type)) + QStringLiteral(" REAL");
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(quoted(QLatin1String(kThermoTypesTable)), columns.join(QStringLiteral(", ")));
}

QString insertSql() {
    QStringList columns{quoted(QLatin1String(kThermoTypesTemperature))};
    QStringList placeholders{QStringLiteral("?")};
    for (char type : thermocouple::kThermocoupleTypes) {
        columns << quoted(typeColumn(type));
        placeholders << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(quoted(QLatin1String(kThermoTypesTable)), columns.join(QStringLiteral(", ")),
             placeholders.join(QStringLiteral(", ")));
}

QStringList createIndexSql() {
    const QString table = quoted(QLatin1String(kThermoTypesTable));
    const QString temperature = quoted(QLatin1String(kThermoTypesTemperature));
    QStringList statements{QStringLiteral("CREATE UNIQUE INDEX %1 ON %2 (%1)").arg(temperature, table)};
    for (char type : thermocouple::kThermocoupleTypes)
        statements << QStringLiteral("CREATE INDEX %1 ON %2 (%1)").arg(quoted(typeColumn(type)), table);
    return statements;
}

// Opens the file on a connection of its own, writes the table and drops the connection again.
base::Result<void> fillDatabaseFile(const QString& fileName) {
    const QString connection =
        QStringLiteral("kelvara-thermotypes-%1").arg(QUuid::createUuid().toString(QUuid::WithoutBraces));
    base::Result<void> written;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(fileName);
        if (db.open()) {
            written = writeThermoTypesTable(db);
            db.close();
        } else {
            written = base::fail(engineText(db.lastError()));
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return written;
}

} // namespace

base::Result<void> writeThermoTypesTable(QSqlDatabase db) {
    if (!db.isOpen())
        return base::fail(QStringLiteral("The database for the thermocouple table is not open."));
    if (!db.transaction())
        return base::fail(engineText(db.lastError()));
    auto abandon = [&db](const QSqlError& error) -> base::Result<void> {
        db.rollback();
        return base::fail(engineText(error));
    };

    QSqlQuery schema(db);
    if (!schema.exec(createTableSql()))
        return abandon(schema.lastError());

    QSqlQuery insert(db);
    if (!insert.prepare(insertSql()))
        return abandon(insert.lastError());
    const QVariant noValue{QMetaType::fromType<double>()};
    const TemperatureSpan span = temperatureSpan();
    for (int celsius = span.lowest; celsius <= span.highest; ++celsius) {
        insert.bindValue(0, celsius);
        int position = 1;
        for (char type : thermocouple::kThermocoupleTypes) {
            const auto emf = thermocouple::referenceEmfMicrovolts(type, celsius);
            insert.bindValue(position++, emf ? QVariant(*emf) : noValue);
        }
        if (!insert.exec())
            return abandon(insert.lastError());
    }
    insert.finish();

    // Indexes after the rows: one sort per index instead of one insertion per row.
    for (const QString& statement : createIndexSql())
        if (!schema.exec(statement))
            return abandon(schema.lastError());

    if (!db.commit())
        return abandon(db.lastError());
    return {};
}

base::Result<void> createThermoTypesDatabase(const QString& path) {
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return base::fail(QStringLiteral("The SQLite driver for Qt is not installed."));

    const QFileInfo target(path);
    // A temporary file starts empty (SQLite takes it as a new database) and owner-only.
    QTemporaryFile scratch(target.absoluteFilePath() + QStringLiteral(".XXXXXX"));
    if (!scratch.open())
        return base::fail(
            QStringLiteral("Cannot create %1: %2").arg(target.absoluteFilePath(), scratch.errorString()));
    scratch.close();

    if (auto filled = fillDatabaseFile(scratch.fileName()); !filled.ok())
        return filled;

    std::error_code failure;
    std::filesystem::rename(std::filesystem::path(scratch.fileName().toStdU16String()),
                            std::filesystem::path(target.absoluteFilePath().toStdU16String()), failure);
    if (failure)
        return base::fail(QStringLiteral("Cannot replace %1: %2")
                              .arg(target.absoluteFilePath(), QString::fromStdString(failure.message())));
    scratch.setAutoRemove(false);

    if (!QFile::setPermissions(target.absoluteFilePath(), QFile::ReadOwner | QFile::WriteOwner))
        return base::fail(
            QStringLiteral("Cannot restrict the permissions of %1.").arg(target.absoluteFilePath()));
    return {};
}

} // namespace kelvara::store
