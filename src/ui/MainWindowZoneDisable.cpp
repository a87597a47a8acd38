// The temporary disable of a zone's alarm from the zone details panel.
#include "app/AppContext.h"
#include "monitoring/MonitoringJob.h"
#include "monitoring/TemporaryDisable.h"
#include "monitoring/ZoneListModel.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

namespace kelvara::ui {

void MainWindow::chkDisableAlarm_Mouseup() {
    // The zone's place in the pass, not its room number, indexes the pass's state: rooms need not run
    // 1, 2, 3 without gaps.
    const int row = m_grid->currentIndex().row();
    const store::MonitorSetsRow* zone = zones().zone(row);
    if (zone == nullptr) {
        m_chkDisableAlarm->setChecked(false);
        return;
    }
    bool disabled = m_chkDisableAlarm->isChecked();
    if (disabled) {
        const bool yes = m_seams.dialogs.question(
            QStringLiteral(" Temporary Alarm Disable - Kelvara"),
            QStringLiteral("Are you sure you want to disable the alarm on Zone #%1 %2?")
                .arg(zone->Room)
                .arg(zone->Name),
            false);
        if (!yes) {
            m_chkDisableAlarm->setChecked(false);
            disabled = false;
        } else {
            m_txtDuration->setEnabled(true);
            m_lblDuration->setEnabled(true);
        }
    }
    m_job->temporaryDisable().setDisabled(row, disabled);
    if (!disabled) {
        m_txtDuration->setEnabled(false);
        m_lblDuration->setEnabled(false);
    }
    showAlarmState();
    durationSave();
}

void MainWindow::durationSave() {
    bool isNumber = false;
    const int room = m_panZone->text().toInt(&isNumber);
    if (!isNumber)
        return;
    const auto saved = m_job->temporaryDisable().saveDuration(room, m_chkDisableAlarm->isChecked(),
                                                              m_txtDuration->text().toInt());
    if (!saved) {
        reportError(saved.error(), QStringLiteral("txtDuration_Change"));
        return;
    }
    if (!saved->has_value())
        return; // a pass runs, or the zone is gone: nothing was stored
    m_txtDuration->setText(QString::number(**saved));
    if (zones().rowOfRoom(room) < 0) {
        m_seams.dialogs.information(QStringLiteral("Kelvara"), kEnterKeyMessage);
        return;
    }
    QApplication::processEvents();
}

} // namespace kelvara::ui
