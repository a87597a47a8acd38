#pragma once

#include "store/Database.h"
#include "store/StoreResult.h"

namespace kelvara::store {

// Groups writes so they land together or not at all; rolled back unless committed. BEGIN, COMMIT and
// ROLLBACK run as the connection's kept statements: a reading pass opens one transaction per zone.
class Transaction {
public:
    explicit Transaction(const Database& database)
        : m_database(database), m_beginError(database.execute(QStringLiteral("BEGIN"))),
          m_active(!m_beginError) {}
    ~Transaction() {
        if (m_active)
            (void)m_database.execute(QStringLiteral("ROLLBACK"));
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Whether the transaction began; writes made while it is not active would land one by one.
    [[nodiscard]] bool active() const { return m_active; }
    // The engine's description of why the transaction could not begin.
    [[nodiscard]] QString beginError() const { return m_beginError.value_or(QString()); }

    [[nodiscard]] StoreError commit() {
        if (!m_active)
            return m_beginError ? m_beginError : StoreError(QStringLiteral("The transaction has ended."));
        m_active = false;
        if (StoreError error = m_database.execute(QStringLiteral("COMMIT"))) {
            (void)m_database.execute(QStringLiteral("ROLLBACK"));
            return error;
        }
        return std::nullopt;
    }

private:
    const Database& m_database;
    StoreError m_beginError;
    bool m_active;
};

} // namespace kelvara::store
