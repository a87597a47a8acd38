#pragma once

#include "base/Result.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kelvara::reports {

// One entry of the chart's zone list: the zone's room (its Monitor column) and the text the list shows.
struct ChartZone {
    int room = 0;
    QString text; // "3-Freezer"
};

// The lowest and highest value of a run of chart rows drawn in one pixel column; empty when none is plotted.
struct ChartSpan {
    std::optional<double> low;
    std::optional<double> high;
};

// The chart's rows (time points with their labels) by its columns (the selected zones); a cell is empty
// where nothing is plotted.
struct ChartTable {
    QStringList columns;
    QStringList rowLabels;
    std::vector<std::vector<std::optional<double>>> cells; // [row][column]
    QString footnote;

    [[nodiscard]] int rowCount() const { return static_cast<int>(rowLabels.size()); }
    [[nodiscard]] int columnCount() const { return static_cast<int>(columns.size()); }
    // The rows gathered into at most `pixelColumns` consecutive runs (every run but the last of equal
    // length), each with the lowest and highest value of every column; a table with no more rows than
    // pixelColumns gives a run per row. `first[i]` is the first row of run i.
    struct Envelope {
        std::vector<int> first;
        std::vector<std::vector<ChartSpan>> spans; // [run][column]
    };
    [[nodiscard]] Envelope envelope(int pixelColumns) const;
    // "Row" and the column texts, then per row its label and each cell (empty where nothing is plotted);
    // CR LF line ends.
    [[nodiscard]] QByteArray toCsv() const;
};

// Reads the chart's rows from Monitor. Each row is the first record of its hour (a range of one day) or of
// its day, found through the RecDate, RecTime index, so a long range reads one record per row and never the
// whole range.
class ChartData {
public:
    explicit ChartData(const store::Database& kvr);

    // The zone list: every zone whose Room has a Monitor column (1 to 20), in Room order, whatever the
    // configured number of zones says (rooms 1, 2 and 5 list all three).
    [[nodiscard]] static std::vector<ChartZone> zoneList(const std::vector<store::MonitorSetsRow>& zones);
    [[nodiscard]] base::Result<std::vector<ChartZone>> zoneList() const;

    // One column per zone given (in that order). A range of one day (or a from date after the to date) gives
    // 24 hourly rows "12:00 am" … "11:00 pm"; a longer one a row per day labelled MM/dd/yyyy. A row with no
    // record stays empty; "NR" and anything that is not a number leaves its cell empty.
    [[nodiscard]] base::Result<ChartTable> load(const std::vector<ChartZone>& zones, const QDate& from,
                                                const QDate& to) const;

    // The label of hourly row h (0 to 23): "12:00 am", "1:00 am" … "12:00 pm", "1:00 pm" … "11:00 pm".
    [[nodiscard]] static QString hourLabel(int hour);
    // The SQL text of one row's lookup, for a check that it goes through the index.
    [[nodiscard]] static QString rowSql(const std::vector<ChartZone>& zones, bool hourly);

private:
    const store::Database& m_kvr;
};

} // namespace kelvara::reports
