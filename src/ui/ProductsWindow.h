#pragma once

#include "cook/ProductCatalogue.h"
#include "ui/ReportOutput.h"

#include <QDialog>
#include <QHash>
#include <optional>

class QAction;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kelvara::ui {

// " Cook Cycle Products": browses, adds, renames and deletes the products cook cycles are run for.
class ProductsWindow final : public QDialog {
    Q_OBJECT
public:
    ProductsWindow(const store::Database& thermo, base::UserDialogs& dialogs, QWidget* parent = nullptr);

    // The toolbar's buttons by key: New, Save, Cancel, Delete, Exit, First, Previous, Next, Last.
    [[nodiscard]] QPushButton* button(const QString& key) const { return m_buttons.value(key); }
    // Enables "&Product Listing", which prints or previews the product report of this site.
    void setReportSite(const reports::ReportSite& site);
    [[nodiscard]] ReportOutput& reportOutput() { return m_output; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void newProduct();
    void save();
    void cancel();
    void remove();
    void exitWindow();
    void move(void (cook::ProductCatalogue::*step)());
    void showProduct();
    void applyLayout();
    [[nodiscard]] cook::ProductCatalogue::Fields fields() const;

    cook::ProductCatalogue m_catalogue;
    base::UserDialogs& m_dialogs;
    ReportOutput m_output;
    std::optional<reports::ReportSite> m_reports;
    QAction* m_listing = nullptr;
    QComboBox* m_product = nullptr;
    QLineEdit* m_newName = nullptr;
    QLineEdit* m_hours = nullptr;
    QLineEdit* m_minutes = nullptr;
    QLineEdit* m_desired = nullptr;
    QHash<QString, QPushButton*> m_buttons;
    QAction* m_menuNew = nullptr;
    QAction* m_menuDelete = nullptr;
    QAction* m_menuEdit = nullptr;
};

} // namespace kelvara::ui
