#include "ui/ChartWindow.h"

#include "ui/BusyPointer.h"
#include "ui/WindowUtils.h"

#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace kelvara::ui {

ChartWindow::ChartWindow(const store::Database& kvr, const base::Clock& clock, base::UserDialogs& dialogs,
                         QWidget* parent)
    : QDialog(parent), m_kvr(kvr), m_dialogs(dialogs), m_printer(std::make_unique<QPrinter>()) {
    setObjectName(QStringLiteral("frmGraph"));
    setWindowTitle(QStringLiteral("Temperature Charting"));
    setSizeGripEnabled(true);
    auto* layout = new QHBoxLayout(this);
    auto* side = new QVBoxLayout;
    layout->addLayout(side);

    m_range = new QGroupBox(QStringLiteral(" Date Range "), this);
    auto* rangeLayout = new QVBoxLayout(m_range);
    for (QDateEdit** edit : {&m_from, &m_to}) {
        *edit = new QDateEdit(clock.currentDate(), m_range);
        (*edit)->setCalendarPopup(true);
        (*edit)->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
        rangeLayout->addWidget(*edit);
    }
    m_from->setObjectName(QStringLiteral("DTFrom"));
    m_to->setObjectName(QStringLiteral("DTTo"));
    side->addWidget(m_range);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lisZones"));
    m_list->setSelectionMode(QAbstractItemView::MultiSelection);
    side->addWidget(m_list, 1);
    m_selectAll = new QCheckBox(QStringLiteral("Select All"), this);
    m_selectAll->setObjectName(QStringLiteral("chkSelectAll"));
    connect(m_selectAll, &QCheckBox::clicked, this, &ChartWindow::selectAll);
    side->addWidget(m_selectAll);

    auto* kinds = new QButtonGroup(this);
    const std::vector<std::pair<const char*, const char*>> options{
        {"optLine", " Line"}, {"optBar", " Plain Bar"}, {"opt3DBar", " 3D Bar"}};
    for (const auto& [name, text] : options) {
        auto* option = new QRadioButton(QString::fromLatin1(text), this);
        option->setObjectName(QString::fromLatin1(name));
        kinds->addButton(option);
        side->addWidget(option);
    }
    auto* line = findChild<QRadioButton*>(QStringLiteral("optLine"));
    auto* bar = findChild<QRadioButton*>(QStringLiteral("optBar"));
    // No three-dimensional chart ships with the toolkit we build on; the option stays shown but off.
    findChild<QRadioButton*>(QStringLiteral("opt3DBar"))->setEnabled(false);
    line->setChecked(true);
    connect(line, &QRadioButton::clicked, this, [this] { m_kind = ChartPicture::Kind::Line; });
    connect(bar, &QRadioButton::clicked, this, [this] { m_kind = ChartPicture::Kind::PlainBar; });

    const std::vector<std::tuple<const char*, const char*, void (ChartWindow::*)()>> commands{
        {"Graph", "Display Graph", &ChartWindow::cmdGraph_Click},
        {"Print", "Print Current Graph", &ChartWindow::cmdPrint_Click},
    };
    for (const auto& [tag, text, slot] : commands) {
        auto* button = new QPushButton(QString::fromLatin1(text), this);
        button->setObjectName(QStringLiteral("cmd") + QString::fromLatin1(tag));
        button->setProperty("tag", QString::fromLatin1(tag));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        side->addWidget(button);
    }
    auto* exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("cmdExit"));
    exit->setProperty("tag", QStringLiteral("Exit"));
    exit->setAutoDefault(false);
    connect(exit, &QPushButton::clicked, this, &QDialog::close);
    side->addWidget(exit);

    auto* plot = new QVBoxLayout;
    layout->addLayout(plot, 1);
    m_chart = new QChart;
    m_chart->setTitle(ChartPicture::kTitle);
    m_chart->legend()->setAlignment(Qt::AlignRight);
    m_view = new QChartView(m_chart, this);
    m_view->setObjectName(QStringLiteral("MSChart1"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(480, 320);
    plot->addWidget(m_view, 1);
    m_footnote = new QLabel(this);
    m_footnote->setObjectName(QStringLiteral("lblFootnote"));
    plot->addWidget(m_footnote);

    auto zones = reports::ChartData(m_kvr).zoneList();
    if (zones)
        m_zones = *zones;
    else
        m_dialogs.warning(QStringLiteral("Kelvara"), zones.error());
    for (const reports::ChartZone& zone : m_zones)
        m_list->addItem(zone.text);
    m_selectAll->setChecked(true);
    selectAll(true);
    resize(960, 600);
    CenterWindow(*this);
}

void ChartWindow::selectAll(bool selected) {
    for (int i = 0; i < m_list->count(); ++i)
        m_list->item(i)->setSelected(selected);
}

std::vector<reports::ChartZone> ChartWindow::selectedZones() const {
    std::vector<reports::ChartZone> zones;
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->isSelected())
            zones.push_back(m_zones[static_cast<std::size_t>(i)]);
    }
    return zones;
}

void ChartWindow::cmdGraph_Click() {
    const BusyPointer busy;
    auto table = reports::ChartData(m_kvr).load(selectedZones(), m_from->date(), m_to->date());
    if (!table) {
        m_dialogs.warning(QStringLiteral("Kelvara"), table.error());
        return;
    }
    m_table = std::move(*table);
    // The view's width bounds the plot's, which is only known once something is drawn.
    ChartPicture::draw(*m_chart, m_table, m_kind, std::max(m_view->width(), 100));
    m_footnote->setText(m_table.footnote);
}

ChartWindow::~ChartWindow() = default;

void ChartWindow::cmdPrint_Click() {
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setOption(QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_range->hide();
    QPainter painter(m_printer.get());
    const QRect page = painter.viewport();
    // The footnote keeps two lines under the chart.
    const int footnoteHeight = painter.fontMetrics().height() * 2;
    const QSize size =
        m_view->size().scaled(QSize(page.width(), page.height() - footnoteHeight), Qt::KeepAspectRatio);
    const int copies = m_printer->supportsMultipleCopies() ? 1 : m_printer->copyCount();
    for (int copy = 0; copy < copies; ++copy) {
        if (copy > 0)
            m_printer->newPage();
        m_view->render(&painter, QRectF(QPointF(0, 0), size));
        painter.drawText(QRect(0, size.height(), page.width(), footnoteHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, m_table.footnote);
    }
    painter.end();
    m_range->show();
}

} // namespace kelvara::ui
