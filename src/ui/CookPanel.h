#pragma once

#include <QGroupBox>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::base {
class UserDialogs;
}

namespace kelvara::cook {
class CookCycleControl;
class CookCycleList;
} // namespace kelvara::cook

namespace kelvara::ui {

// The cook cycle panel of the main window: the entry of a new cycle, the running cycle the user chose, and
// the grid of every running cycle. It forwards Start, Stop and target changes to the cook side's control.
class CookPanel final : public QGroupBox {
    Q_OBJECT
public:
    CookPanel(app::AppContext& ctx, cook::CookCycleList& cycles, cook::CookCycleControl& control,
              base::UserDialogs& dialogs, QWidget* parent = nullptr);

    // "New Cook Cycle": the panel shows, empty and open for entry, with the free sensors and the products.
    void newCycle();
    // Shows the chosen running cycle, or hides the panel (and removes HotViewer.log) when none runs.
    void Fill_ThermoInfo();
    // Shows or hides the panel; `onShown` lets the window make room for it and name the menu entry.
    void Show_CookCycle(bool show);
    void setOnShown(std::function<void(bool)> onShown) { m_onShown = std::move(onShown); }
    // Reads the product list again (after the catalogue window closed).
    void refreshProducts();
    // The unit beside the target: "°" and the site's unit.
    void setUnit(const QString& tempType);

    void Enable_ThermoFields(bool enabled);
    void Clear_ThermoFields();

private:
    void lookUpProduct();
    void Calc_EndTime();
    void action();
    void targetEntered();
    [[nodiscard]] bool entering() const;

    app::AppContext& m_ctx;
    cook::CookCycleList& m_cycles;
    cook::CookCycleControl& m_control;
    base::UserDialogs& m_dialogs;
    std::function<void(bool)> m_onShown;

    QLineEdit* m_batchId = nullptr;
    QComboBox* m_sensor = nullptr;
    QComboBox* m_product = nullptr;
    QLineEdit* m_hour = nullptr;
    QLineEdit* m_minutes = nullptr;
    QLineEdit* m_target = nullptr;
    QLabel* m_start = nullptr;
    QLabel* m_end = nullptr;
    QLabel* m_batchNo = nullptr;
    QLabel* m_degree = nullptr;
    QPushButton* m_action = nullptr;
    QTableView* m_grid = nullptr;
};

} // namespace kelvara::ui
