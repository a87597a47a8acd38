#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <vector>

namespace kelvara::reports {

// A table a formula may name, with its columns spelled as stored.
struct FormulaTable {
    QString name;
    QStringList columns;
};

// The SQL a formula turned into: a condition with '?' for each bound value, in order.
struct SqlCondition {
    QString sql;
    QVariantList binds;
};

// Turns a record selection formula into an SQL condition. The language is small: comparisons (=, <>, <, <=,
// >, >=) of fields {Table.Field}, whole or decimal numbers and dates Date(y, m, d), joined by "and" (any
// case). Table and field names match whatever their case and come out spelled as stored; a name the tables
// do not hold is refused. Every number and date becomes a bound value, so nothing typed reaches the SQL text.
class SelectionFormula {
public:
    [[nodiscard]] static base::Result<SqlCondition> parse(const QString& formula,
                                                          const std::vector<FormulaTable>& tables);
};

} // namespace kelvara::reports
