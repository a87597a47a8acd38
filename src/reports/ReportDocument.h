#pragma once

#include <QString>
#include <QStringList>
#include <vector>

QT_BEGIN_NAMESPACE
class QPagedPaintDevice;
QT_END_NAMESPACE

namespace kelvara::reports {

// A report ready to paint: what heads every page, and the body as lines, each a heading, a note or a row of
// cells under the columns.
struct ReportDocument {
    struct Line {
        enum class Kind { Heading, Note, ColumnTitles, Row };
        Kind kind = Kind::Row;
        QStringList cells; // one text for a heading or a note
    };

    QString businessName;
    QString title;
    QString range; // "From: 07/01/2026 To: 07/31/2026"
    QStringList columns;
    std::vector<Line> lines;

    void heading(const QString& text) { lines.push_back({Line::Kind::Heading, {text}}); }
    void note(const QString& text) { lines.push_back({Line::Kind::Note, {text}}); }
    void columnTitles() { lines.push_back({Line::Kind::ColumnTitles, columns}); }
    void row(const QStringList& cells) { lines.push_back({Line::Kind::Row, cells}); }
};

// Paints a report on pages: each page carries the business name, the title, the range and "Page n of m"; a
// heading never stands alone at the foot of a page. The same painting goes to a PDF, a preview or a printer.
class ReportPainter {
public:
    // Paints the pages `copies` times over, one copy after the other. Returns the number of pages of a copy.
    static int paint(const ReportDocument& document, QPagedPaintDevice& device, int copies = 1);
};

} // namespace kelvara::reports
