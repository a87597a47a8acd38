#pragma once

#include "app/ErrorReporter.h"
#include "monitoring/ZonePassObserver.h"

#include <QMainWindow>
#include <memory>

class QLabel;
class QListWidget;
class QTableWidget;

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
    void startMonitoring(const app::Clock& clock, app::UserDialogs& dialogs,
                         const app::UserSettings& settings);

    void reportError(const QString& description, const QString& procedure) override;
    void setStatus(const QString& text, bool visible = true);

    // The zone reading pass, as the grid shows it.
    void passStarted() override;
    void zoneStarted(int index) override;
    void zoneShown(int index, const QString& text) override;
    void allZonesNoReading() override;
    void processEvents() override;
    void passFinished() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void fillZoneGrid();
    void colourRows();

    app::AppContext& m_ctx;
    QLabel* m_status;
    QListWidget* m_statusList;
    QTableWidget* m_grid;
    std::unique_ptr<monitoring::MonitoringJob> m_job;
};

} // namespace kelvara::ui
