#pragma once

#include "base/UserDialogs.h"
#include "reports/ReportDocument.h"
#include "reports/ReportSite.h"

#include <QString>
#include <memory>

QT_BEGIN_NAMESPACE
class QPrinter;
class QWidget;
QT_END_NAMESPACE

namespace kelvara::ui {

// Sends reports to a preview window or to the printer. The printer keeps what its dialog last set (printer,
// copies) for the next report.
class ReportOutput {
public:
    explicit ReportOutput(QWidget* parent);
    ~ReportOutput();
    ReportOutput(const ReportOutput&) = delete;
    ReportOutput& operator=(const ReportOutput&) = delete;

    // The report in a modal preview window titled `title`.
    void preview(const reports::ReportDocument& report, const QString& title);
    // The printer dialog (printer, copies), then the report as many times as asked for. False when the
    // dialog was cancelled: nothing is printed.
    bool print(const reports::ReportDocument& report);
    // The report on `printer` as many times as its copy count says, unless the printer makes the copies.
    static void printCopies(const reports::ReportDocument& report, QPrinter& printer);

    [[nodiscard]] QPrinter& printer() { return *m_printer; }

    // The listings a window runs without the report window: "Product Listing" asks "Send output to the
    // printer?" (Yes: the printer, No: a preview); "Provider Listing" asks "Do you wish to send this report
    // to the printer." with Cancel besides, which runs nothing.
    void runListing(const QString& title, const reports::ReportSite& site, base::UserDialogs& dialogs);

private:
    QWidget* m_parent;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace kelvara::ui
