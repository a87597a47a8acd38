#include "ui/PurgeWindow.h"

#include "app/AppContext.h"
#include "store/Purge.h"
#include "ui/BusyPointer.h"
#include "ui/WindowUtils.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvara::ui {

namespace {

QLabel* text(const QString& text, QWidget* parent, QBoxLayout& layout) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    layout.addWidget(label);
    return label;
}

} // namespace

PurgeWindow::PurgeWindow(app::AppContext& ctx, const base::Clock& clock, base::UserDialogs& dialogs,
                         QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("frmPurge"));
    setWindowTitle(QStringLiteral("Purge Data"));
    auto* layout = new QVBoxLayout(this);
    text(QStringLiteral("This procedure will delete all Data up to the date entered below.  "), this,
         *layout);
    text(QStringLiteral("Check the box below if you wish to Archive the data prior to purge."), this,
         *layout);
    QLabel* warning = text(QStringLiteral("Warning:"), this, *layout);
    QFont bold = warning->font();
    bold.setBold(true);
    warning->setFont(bold);
    text(QStringLiteral(
             "If data was archived, the user can then view the purged data by selecting the History "
             "Reports option on the Main Menu."),
         this, *layout);
    text(QStringLiteral("Please enter in the ending date you wish to purge from the database."), this,
         *layout);

    auto* range = new QGroupBox(QStringLiteral("Date Range"), this);
    auto* rangeLayout = new QVBoxLayout(range);
    m_to = new QDateEdit(clock.currentDate(), range);
    m_to->setObjectName(QStringLiteral("DTTo"));
    m_to->setCalendarPopup(true);
    // Shown month first like every date of the program; what the purge uses is the date itself.
    m_to->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    rangeLayout->addWidget(m_to);
    layout->addWidget(range);

    m_archive = new QCheckBox(QStringLiteral("Archive purged data into History Database"), this);
    m_archive->setObjectName(QStringLiteral("chkArchive"));
    // Only the zone side's readings have a history database.
    m_archive->setEnabled(m_ctx.hasZoneSide());
    layout->addWidget(m_archive);

    m_line = new QFrame(this);
    m_line->setObjectName(QStringLiteral("Line1"));
    m_line->setFrameShape(QFrame::HLine);
    layout->addWidget(m_line);
    m_msg = new QLabel(this);
    m_msg->setObjectName(QStringLiteral("lblMsg"));
    layout->addWidget(m_msg);
    m_purge = new QPushButton(QStringLiteral("&Purge"), this);
    m_purge->setObjectName(QStringLiteral("cmdPurge"));
    m_purge->setAutoDefault(false);
    layout->addWidget(m_purge);
    connect(m_purge, &QPushButton::clicked, this, &PurgeWindow::cmdPurge_Click);

    new EnterAsTab(*this);
    adjustSize();
    CenterWindow(*this);
}

void PurgeWindow::cmdPurge_Click() {
    // A date half typed over, or cleared, is no date.
    if (!m_to->hasAcceptableInput() || !m_to->date().isValid()) {
        m_dialogs.information(QStringLiteral("Kelvara"), kInvalidDateText);
        return;
    }
    if (!m_dialogs.question(QStringLiteral("Kelvara"), kQuestionText, false))
        return;
    {
        const BusyPointer busy;
        m_line->hide();
        // The window repaints while the purge works; nothing in it may start a second one meanwhile.
        for (QWidget* field :
             {static_cast<QWidget*>(m_to), static_cast<QWidget*>(m_archive), static_cast<QWidget*>(m_purge)})
            field->setEnabled(false);
        const auto repaint = [] { QApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
        const store::Purge purge(m_ctx.databases, m_ctx.siteDir);
        const store::Purge::Outcome outcome =
            purge.run(m_to->date(), m_archive->isChecked() && m_ctx.hasZoneSide(),
                      [&](store::Purge::Step step, const store::Purge::Counts&) {
                          if (step == store::Purge::Step::Archiving)
                              m_msg->setText(kArchivingText);
                          else if (step == store::Purge::Step::Purging)
                              m_msg->setText(kPurgingText);
                          repaint();
                      });
        for (const QString& error : outcome.errors)
            m_dialogs.warning(QStringLiteral("Kelvara"), error);
        repaint();
    }
    accept();
}

} // namespace kelvara::ui
