#pragma once

#include "store/CompanyInfo.h"
#include "store/SqlTable.h"

#include <QSqlRecord>

namespace kelvara::store {

// The company's columns, which the System and Settings tables spell alike.
class CompanyColumns {
public:
    // A Null column reads as the empty text.
    [[nodiscard]] static CompanyInfo read(const QSqlRecord& record);
    static void append(ColumnValues& values, const CompanyInfo& company);
};

} // namespace kelvara::store
