#pragma once

#include "base/Result.h"
#include "store/Database.h"

namespace kelvara::store {

// Groups writes so they land together or not at all; rolled back unless committed. BEGIN, COMMIT and
// ROLLBACK run as the connection's kept statements: a reading pass opens one transaction per zone.
class Transaction {
public:
    explicit Transaction(const Database& database)
        : m_database(database), m_begun(database.execute(QStringLiteral("BEGIN"))), m_active(m_begun.ok()) {}
    ~Transaction() {
        // Nobody is left to tell when this rollback fails; the next BEGIN on the connection will say so.
        if (m_active)
            (void)m_database.execute(QStringLiteral("ROLLBACK"));
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Whether the transaction began, or the engine's words for why not; writes made while it is not
    // active would land one by one.
    [[nodiscard]] const base::Result<void>& begun() const { return m_begun; }

    [[nodiscard]] base::Result<void> commit() {
        if (!m_active)
            return m_begun.ok() ? base::fail(QStringLiteral("The transaction has ended.")) : m_begun;
        m_active = false;
        const base::Result<void> committed = m_database.execute(QStringLiteral("COMMIT"));
        if (committed.ok())
            return committed;
        // A commit the engine refused leaves the transaction open: undo it, so the connection is usable.
        const base::Result<void> undone = m_database.execute(QStringLiteral("ROLLBACK"));
        if (!undone.ok())
            return base::fail(committed.error() + QStringLiteral("; undoing it failed too: ") +
                              undone.error());
        return committed;
    }

private:
    const Database& m_database;
    base::Result<void> m_begun;
    bool m_active;
};

} // namespace kelvara::store
