#pragma once

#include <QString>

namespace kelvara::store {

// The business a site belongs to. The zone database's System row, the cook database's Settings row and
// KVR.INI each keep a copy, and the system settings window writes all of them at once.
struct CompanyInfo {
    QString BusinessName;
    QString Address;
    QString Town;
    QString Prov;
    QString PostalCode;
    QString WorkPhone;
    QString FaxNumber;

    bool operator==(const CompanyInfo&) const = default;
};

} // namespace kelvara::store
