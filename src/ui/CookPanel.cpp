#include "ui/CookPanel.h"

#include "app/AppContext.h"
#include "base/UserDialogs.h"
#include "cook/CookCycleControl.h"
#include "cook/CookCycleList.h"
#include "cook/CookTime.h"
#include "cook/HotViewerLog.h"

#include <QComboBox>
#include <QDir>
#include <QDoubleValidator>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace kelvara::ui {

namespace {

const QString kStart = QStringLiteral("Start");
const QString kStop = QStringLiteral("Stop");

QString number(double value) {
    return QString::number(value, 'g', 10);
}

} // namespace

CookPanel::CookPanel(app::AppContext& ctx, cook::CookCycleList& cycles, cook::CookCycleControl& control,
                     base::UserDialogs& dialogs, QWidget* parent)
    : QGroupBox(QStringLiteral(" Cook Cycle "), parent), m_ctx(ctx), m_cycles(cycles), m_control(control),
      m_dialogs(dialogs) {
    setObjectName(QStringLiteral("frmThermo"));
    auto* form = new QFormLayout;
    const auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };
    m_batchId = new QLineEdit(this);
    m_batchId->setMaxLength(10);
    form->addRow(QStringLiteral("Batch ID:"), named(m_batchId, "txtBatchID"));
    m_sensor = new QComboBox(this);
    m_sensor->setEditable(true);
    form->addRow(QStringLiteral("Sensor:"), named(m_sensor, "dbSensor"));
    m_product = new QComboBox(this);
    m_product->setEditable(true);
    m_product->setInsertPolicy(QComboBox::NoInsert);
    form->addRow(QStringLiteral("Product:"), named(m_product, "dbProduct"));
    auto* time = new QHBoxLayout;
    m_hour = new QLineEdit(this);
    m_hour->setValidator(new QDoubleValidator(0, 999, 2, m_hour));
    m_minutes = new QLineEdit(this);
    m_minutes->setValidator(new QDoubleValidator(0, 9999, 2, m_minutes));
    time->addWidget(named(m_hour, "txtHour"));
    time->addWidget(named(m_minutes, "txtMinutes"));
    form->addRow(QStringLiteral("Hr / Min:"), time);
    auto* target = new QHBoxLayout;
    m_target = new QLineEdit(this);
    m_target->setValidator(new QIntValidator(-9999, 9999, m_target));
    m_degree = new QLabel(this);
    target->addWidget(named(m_target, "txtTarget"));
    target->addWidget(named(m_degree, "lblDegree"));
    form->addRow(QStringLiteral("Target:"), target);
    m_start = new QLabel(this);
    form->addRow(QStringLiteral("Start:"), named(m_start, "lblStartTime"));
    m_end = new QLabel(this);
    form->addRow(QStringLiteral("Finish:"), named(m_end, "lblEndTime"));
    m_batchNo = new QLabel(this);
    form->addRow(QStringLiteral(" Job #:"), named(m_batchNo, "lblBatchNo"));
    m_action = new QPushButton(kStart, this);
    form->addRow(named(m_action, "cmdAction"));

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("gridThermo"));
    m_grid->setModel(&m_cycles);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addWidget(m_grid, 2);

    connect(m_product, &QComboBox::activated, this, [this] { lookUpProduct(); });
    connect(m_product->lineEdit(), &QLineEdit::editingFinished, this, [this] { lookUpProduct(); });
    connect(m_minutes, &QLineEdit::textEdited, this, [this] { Calc_EndTime(); });
    connect(m_hour, &QLineEdit::returnPressed, m_minutes, [this] { m_minutes->setFocus(); });
    connect(m_minutes, &QLineEdit::returnPressed, m_target, [this] { m_target->setFocus(); });
    // A target change takes effect once entered, not at each keystroke.
    connect(m_target, &QLineEdit::editingFinished, this, [this] { targetEntered(); });
    connect(m_action, &QPushButton::clicked, this, [this] { action(); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && current.row() != m_cycles.current()) {
                    m_cycles.setCurrent(current.row());
                    Fill_ThermoInfo();
                }
            });
    // A reading pass refreshes the cycle on show, unless the user is entering a new one.
    connect(&m_cycles, &QAbstractItemModel::dataChanged, this, [this] {
        if (!entering() && m_cycles.current() >= 0)
            Fill_ThermoInfo();
    });
    Show_CookCycle(false);
}

bool CookPanel::entering() const {
    return m_batchId->isEnabled();
}

void CookPanel::setUnit(const QString& tempType) {
    m_degree->setText(QStringLiteral("°") + tempType);
}

void CookPanel::Enable_ThermoFields(bool enabled) {
    for (QWidget* w :
         {static_cast<QWidget*>(m_batchId), static_cast<QWidget*>(m_sensor), static_cast<QWidget*>(m_product),
          static_cast<QWidget*>(m_hour), static_cast<QWidget*>(m_minutes)})
        w->setEnabled(enabled);
}

void CookPanel::Clear_ThermoFields() {
    m_sensor->clear();
    m_sensor->setEditText(QString());
    m_product->setEditText(QString());
    for (QLineEdit* e : {m_hour, m_minutes, m_target, m_batchId})
        e->clear();
    for (QLabel* l : {m_start, m_end, m_batchNo})
        l->clear();
    m_action->setText(kStart);
}

void CookPanel::refreshProducts() {
    const QString text = m_product->currentText();
    m_product->clear();
    const auto products = m_control.products();
    if (products.ok())
        for (const auto& p : *products)
            m_product->addItem(p.Description, p.ProductID);
    m_product->setEditText(text);
}

void CookPanel::newCycle() {
    if (isHidden())
        Show_CookCycle(true);
    Enable_ThermoFields(true);
    Clear_ThermoFields();
    if (const auto next = m_control.nextBatchNo(); next.ok())
        m_batchNo->setText(QString::number(*next));
    const auto free = m_control.freeSensors();
    if (free.ok())
        for (const auto& s : *free)
            m_sensor->addItem(cook::CookCycleControl::sensorText(s.SensorNo, s.Name));
    m_sensor->setCurrentIndex(-1);
    m_sensor->setEditText(QString());
    refreshProducts();
    m_product->setCurrentIndex(-1);
    m_product->setEditText(QString());
    m_batchId->setFocus();
}

void CookPanel::lookUpProduct() {
    if (!entering())
        return;
    const QString text = m_product->currentText().trimmed();
    const auto product = m_control.findProduct(text);
    if (!product) {
        if (!text.isEmpty()) {
            m_dialogs.information(cook::CookCycleControl::kTitle, cook::CookCycleControl::kProductNotOnFile);
            m_product->setEditText(QString());
        }
        return;
    }
    m_hour->setText(number(product->CookHours));
    m_minutes->setText(number(product->CookMins));
    m_target->setText(number(product->DesiredTemp));
    Calc_EndTime();
}

void CookPanel::Calc_EndTime() {
    if (!entering())
        return;
    const auto times = m_control.Calc_EndTime(m_hour->text().toDouble(), m_minutes->text().toDouble());
    m_start->setText(times.start);
    m_end->setText(times.end);
}

void CookPanel::action() {
    if (m_action->text() == kStart) {
        cook::CycleEntry entry{m_sensor->currentText(), m_product->currentText(), m_hour->text(),
                               m_minutes->text(),       m_target->text(),         m_batchId->text()};
        if (m_control.Start(entry)) {
            Enable_ThermoFields(false);
            Fill_ThermoInfo();
        }
        return;
    }
    if (m_control.Stop())
        Fill_ThermoInfo();
}

void CookPanel::targetEntered() {
    if (entering() || m_action->text() != kStop || m_cycles.current() < 0)
        return;
    if (!m_control.changeTarget(m_target->text()))
        m_target->setText(QString::number(m_cycles.row(m_cycles.current()).Target));
}

void CookPanel::Fill_ThermoInfo() {
    const int at = m_cycles.current();
    if (at < 0) {
        QFile::remove(QDir(m_ctx.siteDir).filePath(cook::HotViewerLog::kFileName));
        Show_CookCycle(false);
    } else {
        const cook::ThermoRow& row = m_cycles.row(at);
        m_sensor->clear();
        m_sensor->setEditText(cook::CookCycleControl::sensorText(row.SensorNo, row.Name));
        m_product->setEditText(row.Product);
        m_hour->setText(number(row.Hours));
        m_minutes->setText(number(row.Minutes));
        if (!m_target->hasFocus())
            m_target->setText(QString::number(row.Target));
        m_start->setText(cook::CookTime::panelText(row.StartTime));
        m_end->setText(cook::CookTime::panelText(row.EndTime));
        m_batchNo->setText(QString::number(row.BatchNo));
        m_batchId->setText(row.BatchID);
        m_action->setText(kStop);
        const QModelIndex shown = m_cycles.index(at, 0);
        if (m_grid->currentIndex().row() != at)
            m_grid->setCurrentIndex(shown);
    }
    Enable_ThermoFields(false);
}

void CookPanel::Show_CookCycle(bool show) {
    setVisible(show);
    setEnabled(show);
    if (m_onShown)
        m_onShown(show);
}

} // namespace kelvara::ui
