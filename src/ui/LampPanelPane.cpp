#include "ui/LampPanelPane.h"

#include "ui/WindowUtils.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace kelvara::ui {

LampPanelPane::LampPanelPane(const Texts& texts, QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("panAlarm"));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    if (!texts.caption.isEmpty())
        layout->addWidget(new QLabel(texts.caption, this));
    m_lamps = new QStandardItemModel(0, 2, this);
    m_lamps->setHorizontalHeaderLabels({texts.numberHeader, texts.serialHeader});
    m_list = new QTableView(this);
    m_list->setObjectName(texts.listName);
    m_list->setModel(m_lamps);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_list);
    const auto [test, exit] = addTestExitButtons(*this, *layout);
    connect(test, &QPushButton::clicked, this, &LampPanelPane::testPanel);
    connect(exit, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_list, &QTableView::clicked, this,
            [this](const QModelIndex& index) { emit lampChosen(index.row()); });
    hide();
}

void LampPanelPane::setLamps(const std::vector<std::pair<int, QString>>& lamps) {
    m_lamps->removeRows(0, m_lamps->rowCount());
    for (const auto& [number, serial] : lamps)
        m_lamps->appendRow({new QStandardItem(QString::number(number)), new QStandardItem(serial)});
}

QString LampPanelPane::serial(int row) const {
    const QStandardItem* item = m_lamps->item(row, 1);
    return item ? item->text() : QString();
}

int LampPanelPane::lampCount() const {
    return m_lamps->rowCount();
}

} // namespace kelvara::ui
