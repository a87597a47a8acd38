#include "reports/ReportDocument.h"

#include <QFont>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

namespace kelvara::reports {

namespace {

struct Fonts {
    QFont text{QStringLiteral("Sans"), 9};
    QFont bold{QStringLiteral("Sans"), 9, QFont::Bold};
    QFont title{QStringLiteral("Sans"), 13, QFont::Bold};
};

// Where the body's lines break into pages: the first line of each page.
std::vector<std::size_t> pageStarts(const ReportDocument& document, int linesPerPage) {
    std::vector<std::size_t> starts{0};
    int used = 0;
    for (std::size_t i = 0; i < document.lines.size(); ++i) {
        const bool heading = document.lines[i].kind == ReportDocument::Line::Kind::Heading;
        // A heading takes the next page when it would end this one with nothing under it.
        const int needed = heading ? 2 : 1;
        if (used > 0 && used + needed > linesPerPage) {
            starts.push_back(i);
            used = 0;
        }
        ++used;
    }
    return starts;
}

} // namespace

int ReportPainter::paint(const ReportDocument& document, QPagedPaintDevice& device, int copies) {
    QPainter painter(&device);
    const Fonts fonts;
    painter.setFont(fonts.text);
    const QRect page = painter.viewport();
    const int lineHeight = QFontMetrics(fonts.text, &device).height() * 5 / 4;
    const int titleHeight = QFontMetrics(fonts.title, &device).height();
    const int headerHeight = titleHeight + lineHeight * 3;
    const int footerHeight = lineHeight * 2;
    const int linesPerPage = std::max(3, (page.height() - headerHeight - footerHeight) / lineHeight);
    const std::vector<std::size_t> starts = pageStarts(document, linesPerPage);
    const int pages = static_cast<int>(starts.size());
    const int columns = std::max<int>(1, static_cast<int>(document.columns.size()));
    // The first column (a zone, a name) gets a quarter of the width, the figures share the rest.
    const int firstWidth = columns == 1 ? page.width() : page.width() / 4;
    const int otherWidth = columns == 1 ? 0 : (page.width() - firstWidth) / (columns - 1);
    const auto cellRect = [&](int column, int y) {
        // A figure keeps a gap on its left, so two neighbours never run together.
        const int gap = lineHeight / 2;
        const int x = column == 0 ? 0 : firstWidth + (column - 1) * otherWidth + gap;
        return QRect(x, y, column == 0 ? firstWidth : otherWidth - gap, lineHeight);
    };

    for (int sheet = 0; sheet < pages * std::max(1, copies); ++sheet) {
        const int p = sheet % pages;
        if (sheet > 0)
            device.newPage();
        int y = 0;
        painter.setFont(fonts.bold);
        painter.drawText(QRect(0, y, page.width(), lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         document.businessName);
        y += lineHeight;
        painter.setFont(fonts.title);
        painter.drawText(QRect(0, y, page.width(), titleHeight), Qt::AlignHCenter | Qt::AlignVCenter,
                         document.title);
        y += titleHeight;
        painter.setFont(fonts.text);
        painter.drawText(QRect(0, y, page.width(), lineHeight), Qt::AlignHCenter | Qt::AlignVCenter,
                         document.range);
        y += lineHeight * 2;
        const std::size_t end =
            p + 1 < pages ? starts[static_cast<std::size_t>(p) + 1] : document.lines.size();
        for (std::size_t i = starts[static_cast<std::size_t>(p)]; i < end; ++i, y += lineHeight) {
            const ReportDocument::Line& line = document.lines[i];
            switch (line.kind) {
            case ReportDocument::Line::Kind::Heading:
                painter.setFont(fonts.bold);
                painter.drawText(QRect(0, y, page.width(), lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                                 line.cells.value(0));
                break;
            case ReportDocument::Line::Kind::Note:
                painter.setFont(fonts.text);
                painter.drawText(QRect(lineHeight, y, page.width(), lineHeight),
                                 Qt::AlignLeft | Qt::AlignVCenter, line.cells.value(0));
                break;
            case ReportDocument::Line::Kind::ColumnTitles:
            case ReportDocument::Line::Kind::Row:
                painter.setFont(line.kind == ReportDocument::Line::Kind::ColumnTitles ? fonts.bold
                                                                                      : fonts.text);
                for (int c = 0; c < line.cells.size() && c < columns; ++c)
                    painter.drawText(cellRect(c, y),
                                     (c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                                     line.cells.at(c));
                break;
            }
        }
        painter.setFont(fonts.text);
        painter.drawText(QRect(0, page.height() - lineHeight, page.width(), lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages));
    }
    painter.end();
    return pages;
}

} // namespace kelvara::reports
