#pragma once

#include "app/BatchNumber.h"
#include "base/Clock.h"
#include "base/UserDialogs.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportDocument.h"
#include "ui/ReportOutput.h"

#include <QDialog>
#include <optional>

QT_BEGIN_NAMESPACE
class QDateEdit;
class QLabel;
class QLineEdit;
QT_END_NAMESPACE

namespace kelvara::ui {

// Asks for the range of a report chosen from a menu (dates, or batch numbers for "Listing By Batch #") and
// previews or prints it.
class ReportWindow final : public QDialog {
    Q_OBJECT
public:
    static inline const QString kInvalidDateText = QStringLiteral("Invalid date entry");
    static inline const QString kInvalidBatchText = app::kInvalidBatchText;

    // `title` is the menu caption; `kvr` the site's zone database; the templates come from `siteDir`, else
    // from `dataDir`'s "reports" folder.
    ReportWindow(const QString& title, reports::ReportSite site, const base::Clock& clock,
                 base::UserDialogs& dialogs, QWidget* parent = nullptr);

    // The report of the fields as they stand; nullopt, after saying why, when a field is invalid or the
    // report cannot be read.
    [[nodiscard]] std::optional<reports::ReportDocument> document();
    // "Preview": the report in a preview window.
    void preview();
    // "Print": the printer dialog (printer, copies), then the report.
    void print();
    [[nodiscard]] ReportOutput& output() { return m_output; }

private:
    QString m_title;
    reports::ReportSite m_site;
    base::UserDialogs& m_dialogs;
    ReportOutput m_output;
    reports::ReportRange m_range = reports::ReportRange::Dates;
    QLabel* m_label = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QLineEdit* m_firstBatch = nullptr;
    QLineEdit* m_lastBatch = nullptr;
};

} // namespace kelvara::ui
