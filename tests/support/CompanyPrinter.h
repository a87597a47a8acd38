#pragma once

#include "store/CompanyInfo.h"

#include <QStringList>
#include <ostream>

namespace kelvara::store {

// Lets a failed comparison of two companies show their fields rather than their bytes.
inline void PrintTo(const CompanyInfo& c, std::ostream* os) {
    *os << '{'
        << QStringList{c.BusinessName, c.Address, c.Town, c.Prov, c.PostalCode, c.WorkPhone, c.FaxNumber}
               .join(QStringLiteral(" | "))
               .toStdString()
        << '}';
}

} // namespace kelvara::store
