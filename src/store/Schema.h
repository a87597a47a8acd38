#pragma once

#include "store/DatabaseKind.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace kelvara::store {

// How a column is stored: dates as ISO text, times of day as HH:MM:SS text, flags as 0/1.
enum class ColumnType { Text, Integer, Real, Flag, Date, Time, AutoKey };

struct ColumnDef {
    QString name;
    ColumnType type;
};

struct TableDef {
    QString name;
    std::vector<ColumnDef> columns;
};

struct IndexDef {
    QString name;
    QString table;
    QStringList columns;
};

// The tables and indexes of each database kind, spelled as the rest of the program reads them.
class Schema {
public:
    // Empty for ThermoTypes, whose table is built from the shipped reference data.
    [[nodiscard]] static const std::vector<TableDef>& tables(DatabaseKind kind);
    [[nodiscard]] static const std::vector<IndexDef>& indexes(DatabaseKind kind);

    [[nodiscard]] static QString quoted(const QString& identifier);
    [[nodiscard]] static QString createTableSql(const TableDef& table);
    [[nodiscard]] static QString columnSql(const ColumnDef& column);
    [[nodiscard]] static QString createIndexSql(const IndexDef& index);

    // The Monitor column that holds a zone's reading: "temp1", "temp2", then "Temp3" … "Temp20".
    [[nodiscard]] static QString monitorTempColumn(int room);
    static constexpr int kMonitorTempColumns = 20;
};

} // namespace kelvara::store
