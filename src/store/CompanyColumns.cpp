#include "store/CompanyColumns.h"

#include <array>

namespace kelvara::store {

namespace {

struct Field {
    QString column;
    QString CompanyInfo::*member;
};

const std::array<Field, 7>& fields() {
    static const std::array<Field, 7> all{{{QStringLiteral("BusinessName"), &CompanyInfo::BusinessName},
                                           {QStringLiteral("Address"), &CompanyInfo::Address},
                                           {QStringLiteral("Town"), &CompanyInfo::Town},
                                           {QStringLiteral("Prov"), &CompanyInfo::Prov},
                                           {QStringLiteral("PostalCode"), &CompanyInfo::PostalCode},
                                           {QStringLiteral("WorkPhone"), &CompanyInfo::WorkPhone},
                                           {QStringLiteral("FaxNumber"), &CompanyInfo::FaxNumber}}};
    return all;
}

} // namespace

CompanyInfo CompanyColumns::read(const QSqlRecord& record) {
    CompanyInfo company;
    for (const Field& field : fields())
        company.*field.member = sqlvalue::toText(record.value(field.column));
    return company;
}

void CompanyColumns::append(ColumnValues& values, const CompanyInfo& company) {
    for (const Field& field : fields())
        values.emplace_back(field.column, company.*field.member);
}

} // namespace kelvara::store
