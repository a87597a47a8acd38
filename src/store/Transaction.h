#pragma once

#include "store/Database.h"
#include "store/StoreResult.h"

#include <QSqlDatabase>
#include <QSqlError>

namespace kelvara::store {

// Groups writes so they land together or not at all; rolled back unless committed.
class Transaction {
public:
    explicit Transaction(const Database& database)
        : m_connection(database.connection()), m_active(m_connection.transaction()) {}
    ~Transaction() {
        if (m_active)
            m_connection.rollback();
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Whether the transaction began; writes made while it is not active would land one by one.
    [[nodiscard]] bool active() const { return m_active; }
    // The engine's description of why the transaction could not begin.
    [[nodiscard]] QString beginError() const { return m_connection.lastError().text(); }

    [[nodiscard]] StoreError commit() {
        if (!m_active)
            return m_connection.lastError().text();
        m_active = false;
        if (!m_connection.commit()) {
            const QString error = m_connection.lastError().text();
            m_connection.rollback();
            return error;
        }
        return std::nullopt;
    }

private:
    QSqlDatabase m_connection;
    bool m_active;
};

} // namespace kelvara::store
