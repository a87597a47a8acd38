// The temporary disable of a zone's alarm from the zone details panel.
#include "app/AppContext.h"
#include "base/UserDialogs.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace kelvara::ui {

void MainWindow::chkDisableAlarm_Mouseup() {
    const int row = m_grid->currentRow();
    const QTableWidgetItem* zoneCell = row >= 0 ? m_grid->item(row, ColZone) : nullptr;
    if (zoneCell == nullptr || zoneCell->text().isEmpty() || !m_job || !m_dialogs) {
        m_chkDisableAlarm->setChecked(false);
        return;
    }
    const QString zone = zoneCell->text();
    const QString name = m_grid->item(row, ColName) ? m_grid->item(row, ColName)->text() : QString();
    bool disabled = m_chkDisableAlarm->isChecked();
    if (disabled) {
        const bool yes = m_dialogs->question(
            QStringLiteral(" Temporary Alarm Disable - Kelvara"),
            QStringLiteral("Are you sure you want to disable the alarm on Zone #%1 %2?").arg(zone, name),
            false);
        if (!yes) {
            m_chkDisableAlarm->setChecked(false);
            disabled = false;
        } else {
            m_txtDuration->setEnabled(true);
            m_lblDuration->setEnabled(true);
        }
    }
    // The zone's place in the pass, not its room number, indexes the pass's arrays: rooms need not run
    // 1, 2, 3 without gaps.
    const QString lampSerial =
        m_grid->item(row, ColAlarmSerialNo) ? m_grid->item(row, ColAlarmSerialNo)->text() : QString();
    if (disabled)
        m_job->cycle().setZoneAlarmDisabled(row, true, lampSerial);
    else
        m_job->cycle().setZoneAlarmDisabled(row, false, QString());
    if (QTableWidgetItem* item = m_grid->item(row, ColDisableAlarm))
        item->setText(disabled ? QStringLiteral("True") : QStringLiteral("False"));
    if (!disabled) {
        m_txtDuration->setEnabled(false);
        m_lblDuration->setEnabled(false);
    }
    colourRows();
    durationSave();
}

void MainWindow::durationSave() {
    if (!m_job || !m_dialogs)
        return;
    bool isNumber = false;
    const int room = m_panZone->text().toInt(&isNumber);
    if (!isNumber)
        return;
    const bool disabled = m_chkDisableAlarm->isChecked();
    int hours = m_txtDuration->text().toInt();
    QString error;
    switch (m_job->cycle().saveDuration(room, disabled, hours, &error)) {
    case monitoring::MonitoringCycle::DurationSave::Failed:
        reportError(error, QStringLiteral("txtDuration_Change"));
        return;
    case monitoring::MonitoringCycle::DurationSave::NotIdle:
    case monitoring::MonitoringCycle::DurationSave::NoSuchZone:
        return;
    case monitoring::MonitoringCycle::DurationSave::Saved:
        break;
    }
    m_txtDuration->setText(QString::number(hours));
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        const QTableWidgetItem* zone = m_grid->item(row, ColZone);
        if (zone && zone->text().toInt() == room) {
            if (QTableWidgetItem* item = m_grid->item(row, ColDuration))
                item->setText(QString::number(hours));
            QApplication::processEvents();
            return;
        }
    }
    m_dialogs->information(QStringLiteral("Kelvara"), kEnterKeyMessage);
}

} // namespace kelvara::ui
