#pragma once

#include "base/Clock.h"
#include "base/ErrorReporter.h"
#include "base/UserDialogs.h"
#include "monitoring/ZonePassObserver.h"
#include "notify/NotificationView.h"
#include "reports/ReportSite.h"
#include "sensornet/Pause.h"
#include "sensornet/SerialPort.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSystemTrayIcon;
class QTableView;
class QToolBar;
class QAction;

namespace kelvara::app {
struct AppContext;
class UserSettings;
} // namespace kelvara::app

namespace kelvara::cook {
class CookSide;
}

namespace kelvara::monitoring {
class MonitoringJob;
class ZoneListModel;
} // namespace kelvara::monitoring

namespace kelvara::notify {
class AlarmDispatcher;
class MailTransport;
class SmsGateway;
class SoundPlayer;
} // namespace kelvara::notify

namespace kelvara::ui {

class AlarmIndicator;
class CookPanel;

// The program's permanent window: zones, cook cycles, status; its close ends the run.
class MainWindow final : public QMainWindow,
                         public base::ErrorReporter,
                         public monitoring::ZonePassObserver,
                         public notify::NotificationView {
    Q_OBJECT
public:
    // What the window works with, wired by the program's entry point (or a test).
    struct Seams {
        const base::Clock& clock;
        base::UserDialogs& dialogs;
        app::UserSettings& settings;
        sensornet::PortFactory makePort;
        sensornet::PauseFactory makePause;
        // How alarm notifications go out; none: the window sends SMS through the modems itself and mail
        // through the site's mail server.
        notify::SmsGateway* sms = nullptr;
        notify::MailTransport* mail = nullptr;
        // Where the alarm and cook-done sounds play; none: the window's own player.
        notify::SoundPlayer* sound = nullptr;
    };

    MainWindow(app::AppContext& ctx, Seams seams, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The windows a site without zones needs before it can monitor: port, settings, sensors.
    void runFirstStart();
    // Starts the monitoring job on the window's port and timer.
    void startMonitoring();

    void reportError(const QString& description, const QString& procedure) override;
    void setStatus(const QString& text, bool visible = true);

    // The zone reading pass, as the window shows it (the grid follows the zone model by itself).
    void passStarted() override;
    void zoneStarted(int index) override;
    void zoneShown(int index, const store::MonitorSetsRow& zone, const QString& shown) override;
    void processEvents() override;

    // The alarm notification, as the window shows it.
    void restoreWindow() override;
    void clearStatus() override;
    void statusLine(const QString& line) override;
    void passFinished() override;

    // The View menu's toggle group over the status list: 0 "Error Log", 1 "Alarm Notification Log",
    // 2 "Communications Log".
    void chooseView(int entry);

    // The zone details panel from the grid's current row.
    void Fill_C3Grid();
    // The "Disable" box was clicked (its new state is already shown).
    void chkDisableAlarm_Mouseup();
    // The hours field was confirmed: stores the zone's temporary disable.
    void durationSave();

    // Compacts and checks every database of the site in place, then opens the installed sides again on the
    // new files (the System menu, and after the purge window).
    void RepairDatabase();

    [[nodiscard]] monitoring::MonitoringJob& job() { return *m_job; }

    static inline const QString kRepairQuestion = QStringLiteral("Repair and Compact Database?");
    static inline const QString kRepairingText = QStringLiteral("Repairing Database.  Please Wait...");
    static inline const QString kRepairTitle = QStringLiteral("Repair And Compact");
    static inline const QString kEnterKeyMessage =
        QStringLiteral("You must press the Enter Key after making a change in this field.");

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildPanes();
    void buildMenusAndToolbar();
    void openComPortSettings();
    void openSystemSettings();
    void openChart();
    // A report chosen by its menu caption, in the modal report window.
    void openReport(const QString& title);
    // Where the reports of this site come from.
    [[nodiscard]] reports::ReportSite reportSite() const;
    void openPurge();
    void openNotificationList();
    void compactAndRepair();
    // A System entry's work with the monitoring timer off, on again afterwards whatever happened; never in
    // the middle of a reading pass.
    void withTimerOff(const std::function<void()>& work);
    // Runs a window that talks to the adapter through a port of its own.
    using AdapterWindow = std::function<void(sensornet::SerialPort& port, sensornet::Pause& pause)>;
    void runAdapterWindow(const AdapterWindow& window);
    void openInstallation();
    void openZoneConfiguration();
    void openCookSensorInstallation();
    // Rebuilds the running cook cycles from the sensors and shows the chosen one (or hides the panel).
    void refreshCookCycles();
    void openCookSensorSetup();
    void applySides();
    // The alarm animation plays while some zone is drawn as raised.
    void showAlarmState();
    void readingChanged(bool reading);
    void setupTray();
    void restoreFromTray();
    void applyTempType();
    [[nodiscard]] monitoring::ZoneListModel& zones();

    app::AppContext& m_ctx;
    Seams m_seams;
    std::unique_ptr<monitoring::MonitoringJob> m_job;

    QGroupBox* m_generalPane = nullptr;
    QGroupBox* m_alarmPane = nullptr;
    QGroupBox* m_statusPane = nullptr;
    CookPanel* m_cookPane = nullptr;
    QAction* m_hideCook = nullptr;
    QLabel* m_panZone = nullptr;
    QLabel* m_panName = nullptr;
    QLabel* m_panSerialNo = nullptr;
    QLabel* m_panREcord = nullptr;
    QLabel* m_panAlarm = nullptr;
    QLabel* m_panHighAlarm = nullptr;
    QLabel* m_panLowAlarm = nullptr;
    QCheckBox* m_chkDisableAlarm = nullptr;
    QLabel* m_lblDuration = nullptr;
    QLineEdit* m_txtDuration = nullptr;
    QLabel* m_status = nullptr;
    QListWidget* m_statusList = nullptr;
    QTableView* m_grid = nullptr;
    QLabel* m_degree = nullptr;
    AlarmIndicator* m_alarmInd = nullptr;
    QToolBar* m_toolbar = nullptr;
    QList<QAction*> m_viewActions;
    int m_viewChecked = -1;

    std::unique_ptr<notify::SoundPlayer> m_ownSound;
    notify::SoundPlayer* m_sound = nullptr;
    std::unique_ptr<notify::SmsGateway> m_ownSms;
    std::unique_ptr<notify::MailTransport> m_ownMail;
    std::unique_ptr<notify::AlarmDispatcher> m_dispatcher;
    // After the dispatcher and the job it hooks into, so it goes before them.
    std::unique_ptr<cook::CookSide> m_cook;
    QSystemTrayIcon* m_tray = nullptr;

    bool m_started = false;
    bool m_closeAfterPass = false; // a close asked for during a pass, carried out when the pass ends
};

} // namespace kelvara::ui
