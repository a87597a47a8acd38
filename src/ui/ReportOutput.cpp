#include "ui/ReportOutput.h"

#include "reports/ReportCatalogue.h"
#include "ui/BusyPointer.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace kelvara::ui {

namespace {

const QString kProductName = QStringLiteral("Kelvara");
const char* const kProviderListing = "Provider Listing";

} // namespace

ReportOutput::ReportOutput(QWidget* parent) : m_parent(parent), m_printer(std::make_unique<QPrinter>()) {}

ReportOutput::~ReportOutput() = default;

void ReportOutput::preview(const reports::ReportDocument& report, const QString& title) {
    QPrintPreviewDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&report](QPrinter* printer) { reports::ReportPainter::paint(report, *printer); });
    dialog.exec();
}

bool ReportOutput::print(const reports::ReportDocument& report) {
    QPrintDialog dialog(m_printer.get(), m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    printCopies(report, *m_printer);
    return true;
}

void ReportOutput::printCopies(const reports::ReportDocument& report, QPrinter& printer) {
    // A printer that makes the copies itself gets the pages once; a file gets them as often as asked for.
    reports::ReportPainter::paint(report, printer,
                                  printer.supportsMultipleCopies() ? 1 : printer.copyCount());
}

void ReportOutput::runListing(const QString& title, const reports::ReportSite& site,
                              base::UserDialogs& dialogs) {
    using Answer = base::UserDialogs::Answer;
    Answer answer = Answer::No;
    if (title == QLatin1String(kProviderListing)) {
        answer = dialogs.questionOrCancel(kProductName,
                                          QStringLiteral("Do you wish to send this report to the printer."));
        if (answer == Answer::Cancel)
            return;
    } else if (dialogs.question(kProductName, QStringLiteral("Send output to the printer?"), true)) {
        answer = Answer::Yes;
    }
    std::optional<reports::ReportDocument> report;
    {
        const BusyPointer busy;
        auto loaded = reports::ReportCatalogue::load(title, {}, site);
        if (!loaded) {
            dialogs.warning(kProductName, loaded.error());
            return;
        }
        report = std::move(*loaded);
    }
    if (answer == Answer::Yes)
        print(*report);
    else
        preview(*report, title);
}

} // namespace kelvara::ui
