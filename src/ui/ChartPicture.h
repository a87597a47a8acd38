#pragma once

#include "reports/ChartData.h"

#include <QSize>
#include <QString>

QT_BEGIN_NAMESPACE
class QChart;
class QImage;
QT_END_NAMESPACE

namespace kelvara::ui {

// Turns the chart's rows into a Qt chart: one series per column, rows along the time axis.
class ChartPicture {
public:
    enum class Kind { Line, PlainBar };

    static inline const QString kTitle = QStringLiteral("Daily Temperature Display");
    static inline const QString kTimeAxisTitle = QStringLiteral("Days/Time");
    static inline const QString kValueAxisTitle = QStringLiteral("Temperatures");

    // Fills `chart` afresh (every earlier series and axis removed). `pixelColumns` is the width the rows are
    // drawn in: when the range has more rows than that, each pixel column draws the lowest and highest value
    // of its rows, so a long range costs what its width costs.
    static void draw(QChart& chart, const reports::ChartTable& table, Kind kind, int pixelColumns);
    // The chart drawn into a picture of this size.
    [[nodiscard]] static QImage render(const reports::ChartTable& table, Kind kind, const QSize& size);
};

} // namespace kelvara::ui
