#include "ui/ReportWindow.h"

#include "app/BatchNumber.h"
#include "ui/BusyPointer.h"
#include "ui/WindowUtils.h"

#include <QAction>
#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace kelvara::ui {

ReportWindow::ReportWindow(const QString& title, reports::ReportSite site, const base::Clock& clock,
                           base::UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_title(title), m_site(std::move(site)), m_dialogs(dialogs), m_output(this),
      m_range(reports::ReportCatalogue::rangeOf(title)) {
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    const std::vector<std::tuple<const char*, const char*, const char*, void (ReportWindow::*)()>> keys{
        {"Preview", " Preview ", "&Preview", &ReportWindow::preview},
        {"Print", " Print ", "&Print Report", &ReportWindow::print},
    };
    for (const auto& [key, text, tip, slot] : keys) {
        QAction* action = toolbar->addAction(QString::fromLatin1(text), this, slot);
        action->setObjectName(QString::fromLatin1(key));
        action->setToolTip(QString::fromLatin1(tip));
    }
    QAction* exit = toolbar->addAction(QStringLiteral(" Exit "), this, &QDialog::close);
    exit->setObjectName(QStringLiteral("Exit"));
    exit->setToolTip(QStringLiteral("Exit Reports"));
    layout->addWidget(toolbar);

    const bool byBatch = m_range == reports::ReportRange::Batches;
    m_label = new QLabel(byBatch ? QStringLiteral("Batch Range") : QStringLiteral("Date Range"), this);
    m_label->setObjectName(QStringLiteral("lblTitle"));
    layout->addWidget(m_label);
    auto* fields = new QFormLayout;
    layout->addLayout(fields);
    for (QDateEdit** edit : {&m_from, &m_to}) {
        *edit = new QDateEdit(clock.currentDate(), this);
        (*edit)->setCalendarPopup(true);
        (*edit)->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    }
    m_from->setObjectName(QStringLiteral("DTFrom"));
    m_to->setObjectName(QStringLiteral("DTTo"));
    m_firstBatch = new QLineEdit(QStringLiteral("0"), this);
    m_firstBatch->setObjectName(QStringLiteral("txtBatchStart"));
    m_lastBatch = new QLineEdit(QStringLiteral("9999999"), this);
    m_lastBatch->setObjectName(QStringLiteral("txtBatchEnd"));
    fields->addRow(QStringLiteral("From:"), byBatch ? static_cast<QWidget*>(m_firstBatch) : m_from);
    fields->addRow(QStringLiteral("To:"), byBatch ? static_cast<QWidget*>(m_lastBatch) : m_to);
    // The fields of the other mode stay out of sight.
    // (A named list: the array behind a braced list in a conditional ends with that expression.)
    const QList<QWidget*> unused =
        byBatch ? QList<QWidget*>{m_from, m_to} : QList<QWidget*>{m_firstBatch, m_lastBatch};
    for (QWidget* field : unused)
        field->hide();
    CenterWindow(*this);
}

std::optional<reports::ReportDocument> ReportWindow::document() {
    reports::ReportBounds bounds;
    if (m_range == reports::ReportRange::Batches) {
        bounds.firstBatch = app::batchNumberOf(m_firstBatch->text());
        bounds.lastBatch = app::batchNumberOf(m_lastBatch->text());
        if (!bounds.firstBatch || !bounds.lastBatch) {
            m_dialogs.warning(m_title, kInvalidBatchText);
            return std::nullopt;
        }
    } else if (m_range == reports::ReportRange::Dates) {
        bounds.from = m_from->date();
        bounds.to = m_to->date();
        if (!bounds.from.isValid() || !bounds.to.isValid()) {
            m_dialogs.warning(m_title, kInvalidDateText);
            return std::nullopt;
        }
    }
    const BusyPointer busy;
    auto loaded = reports::ReportCatalogue::load(m_title, bounds, m_site);
    if (!loaded) {
        m_dialogs.warning(m_title, loaded.error());
        return std::nullopt;
    }
    return std::move(*loaded);
}

void ReportWindow::preview() {
    if (const auto report = document())
        m_output.preview(*report, m_title);
}

void ReportWindow::print() {
    // The fields are checked before the printer is asked for.
    if (const auto report = document())
        m_output.print(*report);
}

} // namespace kelvara::ui
