#pragma once

#include "base/UserDialogs.h"
#include "store/ProductsStore.h"

#include <QString>
#include <vector>

namespace kelvara::store {
class Database;
}

namespace kelvara::cook {

// The product catalogue as its window works it: the products in Description order, the one shown, a new
// product being entered, and the Save and Delete rules with their messages.
class ProductCatalogue {
public:
    ProductCatalogue(const store::Database& db, base::UserDialogs& dialogs);

    // What the window's fields hold.
    struct Fields {
        QString name;
        QString hours;
        QString minutes;
        QString desiredTemp;
    };

    // Reads the products; an empty catalogue starts a new product.
    void open();
    [[nodiscard]] const std::vector<store::ProductsRow>& products() const { return m_rows; }
    // The product shown, or -1 (a new one is being entered, or there are none).
    [[nodiscard]] int position() const { return m_position; }
    [[nodiscard]] bool entering() const { return m_new; }
    [[nodiscard]] bool changed() const { return m_changed; }
    void setChanged() { m_changed = true; }

    void startNew();
    // Stores the fields (a new product, or the shown one, renamed to `name`); only while changed. False when
    // refused (blank or duplicate name) or failed; nothing is written then.
    bool save(const Fields& fields);
    // Back to browsing the first product, when there is one.
    void cancel();
    // After the question; the last product is shown next, or a new one starts when none is left.
    bool remove();
    void first();
    void last();
    void previous();
    void next();
    // The product of this name becomes the shown one; "not on file" shows the first.
    void choose(const QString& name);

    static inline const QString kTitle = QStringLiteral("Kelvara");
    static inline const QString kBlank = QStringLiteral("Product Description can not be blank.");
    static inline const QString kDuplicate = QStringLiteral("The requested record is already on file.");
    static inline const QString kNotOnFile = QStringLiteral("The requested record is not on file.");
    static inline const QString kDeleteQuestion = QStringLiteral("Do you want to delete this Product?");
    static inline const QString kBeginning = QStringLiteral("Beginning of file reached");

private:
    bool reload();
    [[nodiscard]] int indexOf(const QString& name) const;

    store::ProductsStore m_store;
    base::UserDialogs& m_dialogs;
    std::vector<store::ProductsRow> m_rows;
    int m_position = -1;
    bool m_new = false;
    bool m_changed = false;
};

} // namespace kelvara::cook
