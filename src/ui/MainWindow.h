#pragma once

#include "app/ErrorReporter.h"
#include "monitoring/ZonePassObserver.h"

#include <QMainWindow>
#include <memory>

class QLabel;
class QListWidget;
class QTableWidget;
class QAction;

namespace kelvara::app {
struct AppContext;
class Clock;
class UserDialogs;
class UserSettings;
} // namespace kelvara::app

namespace kelvara::monitoring {
class MonitoringJob;
}

namespace kelvara::ui {

// The program's permanent window: zones, cook cycles, status; its close ends the run.
class MainWindow final : public QMainWindow, public app::ErrorReporter, public monitoring::ZonePassObserver {
    Q_OBJECT
public:
    explicit MainWindow(app::AppContext& ctx, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Starts the monitoring job on the window's port and timer.
    void startMonitoring(const app::Clock& clock, app::UserDialogs& dialogs, app::UserSettings& settings);

    void reportError(const QString& description, const QString& procedure) override;
    void setStatus(const QString& text, bool visible = true);

    // The zone reading pass, as the grid shows it.
    void passStarted() override;
    void zoneStarted(int index) override;
    void zoneShown(int index, const QString& text) override;
    void allZonesNoReading() override;
    void processEvents() override;
    void passFinished() override;

    // The View menu's toggle group over the status list: 0 "Error Log", 1 "Alarm Notification Log",
    // 2 "Communications Log".
    void chooseView(int entry);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenusAndToolbar();
    void openComPortSettings();
    void openSystemSettings();
    void applySides();
    void fillZoneGrid();
    void colourRows();

    app::AppContext& m_ctx;
    QLabel* m_status;
    QListWidget* m_statusList;
    QTableWidget* m_grid;
    QLabel* m_degree;
    QList<QAction*> m_viewActions;
    int m_viewChecked = -1;
    std::unique_ptr<monitoring::MonitoringJob> m_job;
    app::UserDialogs* m_dialogs = nullptr;
    app::UserSettings* m_settings = nullptr;
    QAction* m_comPort = nullptr;
    QAction* m_properties = nullptr;
    QAction* m_company = nullptr;
};

} // namespace kelvara::ui
