#pragma once

#include "base/Clock.h"
#include "base/UserDialogs.h"
#include "reports/ChartData.h"
#include "ui/ChartPicture.h"

#include <QDialog>
#include <memory>
#include <vector>

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QListWidget;
class QPrinter;
class QRadioButton;
QT_END_NAMESPACE

namespace kelvara::store {
class Database;
}

namespace kelvara::ui {

// Draws the recorded temperatures of the zones picked for a date range, and prints the chart.
class ChartWindow final : public QDialog {
    Q_OBJECT
public:
    ChartWindow(const store::Database& kvr, const base::Clock& clock, base::UserDialogs& dialogs,
                QWidget* parent = nullptr);
    ~ChartWindow() override;

    // "Display Graph": the rows of the range for the selected zones, drawn from an empty chart.
    void cmdGraph_Click();
    // "Print Current Graph": the printer dialog (copies, orientation), then the chart without the date panel,
    // a page per copy unless the printer makes the copies. Cancelling the dialog prints nothing.
    void cmdPrint_Click();
    // The printer the dialog sets up; it keeps its settings for the next print.
    [[nodiscard]] QPrinter& printer() { return *m_printer; }

    [[nodiscard]] const reports::ChartTable& table() const { return m_table; }
    [[nodiscard]] ChartPicture::Kind kind() const { return m_kind; }

private:
    void selectAll(bool selected);
    [[nodiscard]] std::vector<reports::ChartZone> selectedZones() const;

    const store::Database& m_kvr;
    base::UserDialogs& m_dialogs;
    std::vector<reports::ChartZone> m_zones;
    reports::ChartTable m_table;
    ChartPicture::Kind m_kind = ChartPicture::Kind::Line;
    QGroupBox* m_range = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QListWidget* m_list = nullptr;
    QCheckBox* m_selectAll = nullptr;
    QChart* m_chart = nullptr;
    QChartView* m_view = nullptr;
    QLabel* m_footnote = nullptr;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace kelvara::ui
