#include "cook/ProductCatalogue.h"

#include "store/Database.h"

#include <algorithm>

namespace kelvara::cook {

ProductCatalogue::ProductCatalogue(const store::Database& db, base::UserDialogs& dialogs)
    : m_store(db), m_dialogs(dialogs) {}

bool ProductCatalogue::reload() {
    auto rows = m_store.loadAll();
    if (!rows.ok()) {
        m_dialogs.information(kTitle, rows.error());
        return false;
    }
    m_rows = std::move(rows).value();
    return true;
}

int ProductCatalogue::indexOf(const QString& name) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].Description.compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

void ProductCatalogue::open() {
    m_new = m_changed = false;
    reload();
    if (m_rows.empty())
        startNew();
    else
        m_position = 0;
}

void ProductCatalogue::startNew() {
    m_new = m_changed = true;
    m_position = -1;
}

bool ProductCatalogue::save(const Fields& fields) {
    if (!m_changed)
        return true;
    const QString name = fields.name.trimmed();
    // A rename is refused like a new name: blank, or the name of another product.
    if (name.isEmpty()) {
        m_dialogs.information(kTitle, kBlank);
        return false;
    }
    const int same = indexOf(name);
    if (same >= 0 && (m_new || same != m_position)) {
        m_dialogs.information(kTitle, kDuplicate);
        return false;
    }
    if (!m_new && m_position < 0)
        return false;
    store::ProductsRow row = m_new ? store::ProductsRow{} : m_rows[static_cast<std::size_t>(m_position)];
    row.Description = name;
    row.CookHours = fields.hours.toDouble();
    row.CookMins = fields.minutes.toDouble();
    row.DesiredTemp = fields.desiredTemp.toDouble();
    if (m_new) {
        const auto id = m_store.insert(row);
        if (!id.ok()) {
            m_dialogs.information(kTitle, id.error());
            return false;
        }
    } else if (const auto done = m_store.update(row); !done.ok()) {
        m_dialogs.information(kTitle, done.error());
        return false;
    }
    reload();
    m_position = indexOf(name);
    m_new = m_changed = false;
    return true;
}

void ProductCatalogue::cancel() {
    if (m_rows.empty())
        return;
    m_new = m_changed = false;
    m_position = 0;
}

bool ProductCatalogue::remove() {
    if (m_new || m_position < 0)
        return false;
    if (!m_dialogs.question(kTitle, kDeleteQuestion, false))
        return false;
    if (const auto done = m_store.remove(m_rows[static_cast<std::size_t>(m_position)].ProductID);
        !done.ok()) {
        m_dialogs.information(kTitle, done.error());
        return false;
    }
    reload();
    if (m_rows.empty())
        startNew();
    else
        m_position = static_cast<int>(m_rows.size()) - 1;
    return true;
}

void ProductCatalogue::first() {
    if (!m_rows.empty())
        m_position = 0;
}

void ProductCatalogue::last() {
    if (!m_rows.empty())
        m_position = static_cast<int>(m_rows.size()) - 1;
}

void ProductCatalogue::previous() {
    if (m_rows.empty())
        return;
    if (m_position <= 0) {
        m_dialogs.information(kTitle, kBeginning);
        m_position = 0;
        return;
    }
    --m_position;
}

void ProductCatalogue::next() {
    if (m_rows.empty())
        return;
    m_position = std::min(m_position + 1, static_cast<int>(m_rows.size()) - 1);
}

void ProductCatalogue::choose(const QString& name) {
    if (m_new || name.trimmed().isEmpty() || m_rows.empty())
        return;
    if (m_position >= 0 && m_rows[static_cast<std::size_t>(m_position)].Description == name)
        return;
    const int found = indexOf(name);
    if (found < 0) {
        m_dialogs.information(kTitle, kNotOnFile);
        m_position = 0;
        return;
    }
    m_position = found;
}

} // namespace kelvara::cook
