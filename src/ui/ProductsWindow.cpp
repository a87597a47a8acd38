#include "ui/ProductsWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kelvara::ui {

namespace {

QString number(double value) {
    return QString::number(value, 'g', 10);
}

} // namespace

ProductsWindow::ProductsWindow(const store::Database& thermo, base::UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_catalogue(thermo, dialogs), m_dialogs(dialogs), m_output(this) {
    setObjectName(QStringLiteral("frmProducts"));
    setWindowTitle(QStringLiteral(" Cook Cycle Products"));
    auto* layout = new QVBoxLayout(this);

    auto* menus = new QMenuBar(this);
    QMenu* file = menus->addMenu(QStringLiteral("&File"));
    m_menuNew = file->addAction(QStringLiteral("&New"), this, [this] { newProduct(); });
    file->addAction(QStringLiteral("&Save"), this, [this] { save(); });
    m_menuEdit = file->addAction(QStringLiteral("&Edit Entry"), this, [this] { cancel(); });
    m_menuDelete = file->addAction(QStringLiteral("&Delete"), this, [this] { remove(); });
    file->addAction(QStringLiteral("E&xit"), this, [this] { exitWindow(); });
    QMenu* report = menus->addMenu(QStringLiteral("Report"));
    m_listing = report->addAction(QStringLiteral("&Product Listing"), this, [this] {
        if (m_reports)
            m_output.runListing(QStringLiteral("Product Listing"), *m_reports, m_dialogs);
    });
    m_listing->setObjectName(QStringLiteral("mnuProductListing"));
    m_listing->setEnabled(false);
    layout->setMenuBar(menus);

    auto* toolbar = new QHBoxLayout;
    for (const char* key : {"New", "Save", "Cancel", "Delete", "Exit", "First", "Previous", "Next", "Last"}) {
        auto* b = new QPushButton(QLatin1String(key), this);
        b->setObjectName(QLatin1String(key));
        b->setAutoDefault(false);
        toolbar->addWidget(b);
        m_buttons.insert(QLatin1String(key), b);
    }
    layout->addLayout(toolbar);
    connect(button("New"), &QPushButton::clicked, this, [this] { newProduct(); });
    connect(button("Save"), &QPushButton::clicked, this, [this] {
        m_catalogue.setChanged();
        save();
    });
    connect(button("Cancel"), &QPushButton::clicked, this, [this] { cancel(); });
    connect(button("Delete"), &QPushButton::clicked, this, [this] { remove(); });
    connect(button("Exit"), &QPushButton::clicked, this, [this] { exitWindow(); });
    connect(button("First"), &QPushButton::clicked, this, [this] { move(&cook::ProductCatalogue::first); });
    connect(button("Previous"), &QPushButton::clicked, this, [this] {
        if (m_catalogue.position() <= 0)
            QApplication::beep();
        move(&cook::ProductCatalogue::previous);
    });
    connect(button("Next"), &QPushButton::clicked, this, [this] {
        if (m_catalogue.position() >= static_cast<int>(m_catalogue.products().size()) - 1)
            QApplication::beep();
        move(&cook::ProductCatalogue::next);
    });
    connect(button("Last"), &QPushButton::clicked, this, [this] { move(&cook::ProductCatalogue::last); });

    auto* form = new QFormLayout;
    m_product = new QComboBox(this);
    m_product->setObjectName(QStringLiteral("dbProduct"));
    m_product->setEditable(true);
    m_product->setInsertPolicy(QComboBox::NoInsert);
    m_newName = new QLineEdit(this);
    m_newName->setObjectName(QStringLiteral("txtProduct"));
    m_newName->setMaxLength(50);
    // The apostrophe is not taken into a product's name.
    m_newName->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^']*")), m_newName));
    auto* name = new QHBoxLayout;
    name->addWidget(m_product);
    name->addWidget(m_newName);
    form->addRow(QStringLiteral("Product:"), name);
    const auto numeric = [this](const char* objectName) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(objectName));
        e->setValidator(new QDoubleValidator(e));
        e->installEventFilter(this);
        return e;
    };
    m_hours = numeric("txtHours");
    m_minutes = numeric("txtMinutes");
    m_desired = numeric("txtDesiredTemp");
    form->addRow(QStringLiteral("Cook Hours:"), m_hours);
    form->addRow(QStringLiteral("Cook Minutes:"), m_minutes);
    form->addRow(QStringLiteral("Desired Temperature:"), m_desired);
    layout->addLayout(form);
    m_newName->installEventFilter(this);
    m_product->installEventFilter(this);

    connect(m_product, &QComboBox::activated, this, [this] {
        m_catalogue.choose(m_product->currentText());
        showProduct();
    });

    m_catalogue.open();
    showProduct();
}

bool ProductsWindow::eventFilter(QObject* watched, QEvent* event) {
    // Enter moves on to the next field.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_product && !m_catalogue.entering()) {
                m_catalogue.choose(m_product->currentText());
                showProduct();
            }
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

cook::ProductCatalogue::Fields ProductsWindow::fields() const {
    return {m_catalogue.entering() ? m_newName->text() : m_product->currentText(), m_hours->text(),
            m_minutes->text(), m_desired->text()};
}

void ProductsWindow::applyLayout() {
    const bool entry = m_catalogue.entering();
    m_product->setVisible(!entry);
    m_newName->setVisible(entry);
    for (const char* key : {"New", "Delete", "First", "Previous", "Next", "Last"})
        button(QLatin1String(key))->setEnabled(!entry);
    button("Cancel")->setEnabled(entry);
    m_menuNew->setEnabled(!entry);
    m_menuDelete->setEnabled(!entry);
    m_menuEdit->setEnabled(entry);
}

void ProductsWindow::showProduct() {
    applyLayout();
    m_product->clear();
    for (const auto& p : m_catalogue.products())
        m_product->addItem(p.Description, p.ProductID);
    const int at = m_catalogue.position();
    if (at < 0)
        return;
    const store::ProductsRow& row = m_catalogue.products()[static_cast<std::size_t>(at)];
    m_product->setCurrentIndex(at);
    m_hours->setText(number(row.CookHours));
    m_minutes->setText(number(row.CookMins));
    m_desired->setText(number(row.DesiredTemp));
}

void ProductsWindow::setReportSite(const reports::ReportSite& site) {
    m_reports = site;
    m_listing->setEnabled(true);
}

void ProductsWindow::newProduct() {
    m_catalogue.startNew();
    m_newName->clear();
    for (QLineEdit* e : {m_hours, m_minutes, m_desired})
        e->setText(QStringLiteral("0"));
    applyLayout();
    m_newName->setFocus();
}

void ProductsWindow::save() {
    if (m_catalogue.save(fields()))
        showProduct();
}

void ProductsWindow::cancel() {
    m_catalogue.cancel();
    if (!m_catalogue.entering())
        showProduct();
}

void ProductsWindow::remove() {
    if (m_catalogue.remove()) {
        if (m_catalogue.entering())
            newProduct();
        else
            showProduct();
    }
}

void ProductsWindow::exitWindow() {
    if (!m_catalogue.entering())
        save();
    accept();
}

void ProductsWindow::move(void (cook::ProductCatalogue::*step)()) {
    (m_catalogue.*step)();
    showProduct();
}

} // namespace kelvara::ui
