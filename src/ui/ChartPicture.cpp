#include "ui/ChartPicture.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsScene>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace kelvara::ui {

namespace {

// At most this many labels along the time axis, so that a year of days stays readable.
constexpr int kMostTimeLabels = 12;
// Slanted, a date or "12:00 am" fits its share of the axis instead of being cut short.
constexpr int kTimeLabelAngle = -45;

void setRange(QValueAxis& axis, std::optional<double> low, std::optional<double> high) {
    if (!low || !high) {
        axis.setRange(0, 1);
        return;
    }
    const double margin = std::max(1.0, (*high - *low) * 0.05);
    axis.setRange(std::floor(*low - margin), std::ceil(*high + margin));
}

} // namespace

void ChartPicture::draw(QChart& chart, const reports::ChartTable& table, Kind kind, int pixelColumns) {
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes())
        chart.removeAxis(axis);
    chart.setTitle(kTitle);
    const auto envelope = table.envelope(std::max(1, pixelColumns));
    const int runs = static_cast<int>(envelope.first.size());
    std::optional<double> low;
    std::optional<double> high;
    for (const auto& run : envelope.spans) {
        for (const reports::ChartSpan& span : run) {
            if (span.low)
                low = low ? std::min(*low, *span.low) : *span.low;
            if (span.high)
                high = high ? std::max(*high, *span.high) : *span.high;
        }
    }
    auto* values = new QValueAxis(&chart);
    values->setTitleText(kValueAxisTitle);
    setRange(*values, low, high);
    chart.addAxis(values, Qt::AlignLeft);

    if (kind == Kind::PlainBar) {
        auto* series = new QBarSeries(&chart);
        for (int c = 0; c < table.columnCount(); ++c) {
            auto* set = new QBarSet(table.columns.at(c), series);
            for (const auto& run : envelope.spans) {
                // A bar cannot be left out of its row: an empty cell stands at the bottom of the axis.
                const reports::ChartSpan& span = run[static_cast<std::size_t>(c)];
                set->append(span.high.value_or(values->min()));
            }
            series->append(set);
        }
        chart.addSeries(series);
        auto* time = new QBarCategoryAxis(&chart);
        QStringList labels;
        const int step = std::max(1, runs / kMostTimeLabels);
        for (int i = 0; i < runs; ++i)
            labels << (i % step == 0 ? table.rowLabels.at(envelope.first[static_cast<std::size_t>(i)])
                                     : QString(i, QLatin1Char(' ')));
        time->append(labels);
        time->setLabelsAngle(kTimeLabelAngle);
        time->setTruncateLabels(false);
        time->setTitleText(kTimeAxisTitle);
        chart.addAxis(time, Qt::AlignBottom);
        series->attachAxis(time);
        series->attachAxis(values);
        return;
    }

    auto* time = new QCategoryAxis(&chart);
    time->setTitleText(kTimeAxisTitle);
    time->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    time->setLabelsAngle(kTimeLabelAngle);
    time->setTruncateLabels(false);
    const int rows = table.rowCount();
    time->setRange(0, std::max(1, rows - 1));
    const int step = std::max(1, (rows + kMostTimeLabels - 1) / kMostTimeLabels);
    for (int r = 0; r < rows; r += step)
        time->append(table.rowLabels.at(r), r);
    chart.addAxis(time, Qt::AlignBottom);

    const QList<QColor> palette{Qt::blue,
                                Qt::red,
                                Qt::darkGreen,
                                Qt::magenta,
                                Qt::darkCyan,
                                Qt::darkYellow,
                                Qt::black,
                                Qt::darkRed,
                                Qt::darkBlue,
                                Qt::darkMagenta,
                                Qt::green,
                                Qt::darkGray,
                                Qt::cyan,
                                Qt::gray,
                                QColor(255, 128, 0),
                                QColor(128, 0, 255),
                                QColor(0, 128, 128),
                                QColor(128, 64, 0),
                                QColor(255, 0, 128),
                                QColor(64, 128, 255)};
    for (int c = 0; c < table.columnCount(); ++c) {
        // An empty run breaks the line: each stretch of plotted rows is a series of its own, one legend
        // entry. The points of a stretch go in at once: a series redraws on every point added to it.
        std::vector<QList<QPointF>> stretches(1);
        for (int i = 0; i < runs; ++i) {
            const reports::ChartSpan& span =
                envelope.spans[static_cast<std::size_t>(i)][static_cast<std::size_t>(c)];
            if (!span.low) {
                if (!stretches.back().isEmpty())
                    stretches.emplace_back();
                continue;
            }
            const double x = envelope.first[static_cast<std::size_t>(i)];
            stretches.back().append(QPointF(x, *span.low));
            if (*span.high != *span.low)
                stretches.back().append(QPointF(x, *span.high));
        }
        const QColor colour = palette.at(c % palette.size());
        bool named = false;
        for (const QList<QPointF>& points : stretches) {
            if (points.isEmpty())
                continue;
            auto* series = new QLineSeries(&chart);
            series->setColor(colour);
            series->setPointsVisible(runs <= 2 * kMostTimeLabels * 2);
            series->setName(table.columns.at(c));
            series->append(points);
            chart.addSeries(series);
            series->attachAxis(time);
            series->attachAxis(values);
            if (named) {
                for (auto* marker : chart.legend()->markers(series))
                    marker->setVisible(false);
            }
            named = true;
        }
    }
}

QImage ChartPicture::render(const reports::ChartTable& table, Kind kind, const QSize& size) {
    // A scene of its own rather than a view: the picture needs no widget, and a view costs as much again.
    QGraphicsScene scene;
    auto* chart = new QChart;
    scene.addItem(chart);
    chart->setGeometry(QRectF(QPointF(0, 0), size));
    chart->legend()->setAlignment(Qt::AlignRight);
    draw(*chart, table, kind, size.width());
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), size), QRectF(QPointF(0, 0), size));
    // The footnote under the plot, as the window shows it under the chart.
    painter.setPen(Qt::black);
    painter.drawText(QRect(8, size.height() - 24, size.width() - 16, 20), Qt::AlignLeft | Qt::AlignVCenter,
                     table.footnote);
    return image;
}

} // namespace kelvara::ui
