#pragma once

#include "base/Clock.h"
#include "base/UserDialogs.h"
#include "install/GridModel.h"
#include "install/InstallOutcome.h"
#include "sensornet/AdapterLink.h"

#include <QDialog>
#include <functional>
#include <vector>

class QAction;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;
class QToolBar;

namespace kelvara::app {
struct AppContext;
class UserSettings;
} // namespace kelvara::app

namespace kelvara::install {
class SensorInstallation;
}

namespace kelvara::ui {

// What the two sensor installation windows share: the toolbar (Read, Save, Exit), the sensor grid, the
// panel setup frame and the activity list; the window of each side names its texts and grid columns.
class InstallationWindow : public QDialog {
    Q_OBJECT
public:
    ~InstallationWindow() override;

    using GridColumn = install::GridModel::Column;

    // A grid column over one field of a working list; a ReadOnly column takes no edits. `take` turns the
    // checked value into the field's (by default the value as it is).
    template <typename Row, typename T>
    static GridColumn fieldColumn(const QString& caption, install::CellKind kind, int maxLength,
                                  std::vector<Row>& rows, T Row::*field,
                                  std::function<T(const QVariant&)> take = {}) {
        GridColumn column{
            caption,
            kind,
            maxLength,
            [&rows, field](int row) { return QVariant::fromValue(rows[std::size_t(row)].*field); },
            {}};
        if (kind != install::CellKind::ReadOnly)
            column.setValue = [&rows, field, take](int row, const QVariant& value) {
                rows[std::size_t(row)].*field = take ? take(value) : value.value<T>();
                return true;
            };
        return column;
    }
    // The texts of one side's window.
    struct Texts {
        QString objectName;
        QString caption;
        QString panelTitle;
        QString panelInstruction;
    };

    // Every way out (Exit, Escape, the close box) lets go of the adapter.
    void done(int result) override;

    static inline const QString kReadingText = QStringLiteral("Reading Sensors.  Please Wait ....");
    static inline const QString kTitle = QStringLiteral("Kelvara");

protected:
    InstallationWindow(const base::Clock& clock, base::UserDialogs& dialogs, sensornet::SerialPort& port,
                       sensornet::Pause& pause, QWidget* parent);

    // Builds the controls once the side's installation exists.
    void setUp(const Texts& texts, const app::UserSettings& settings,
               install::SensorInstallation& installation, std::vector<GridColumn> sensorColumns,
               std::vector<GridColumn> lampColumns);

    void mouseDoubleClickEvent(QMouseEvent* event) override;

    sensornet::AdapterLink m_link;

private:
    void cmdSerialKey_Read();
    void cmdSerialKey_Save();
    void startPanelSetup();
    void cmdButton_Save();
    void cmdButton_Exit();
    // Shows each problem of a command in its own box, as a failed statement of a toolbar handler would.
    void showProblems(const install::InstallOutcome& outcome);
    void showActivity();
    void setEditing(bool enabled);
    QTableView* makeGrid(const QString& name, install::GridModel* model);

    base::UserDialogs& m_dialogs;
    install::SensorInstallation* m_installation = nullptr;
    QToolBar* m_toolbar = nullptr;
    QAction* m_save = nullptr;
    QTableView* m_sensorGrid = nullptr;
    install::GridModel* m_sensorModel = nullptr;
    QLabel* m_reading = nullptr;
    QGroupBox* m_panel = nullptr;
    QTableView* m_lampGrid = nullptr;
    install::GridModel* m_lampModel = nullptr;
    QListWidget* m_activity = nullptr;
};

} // namespace kelvara::ui
