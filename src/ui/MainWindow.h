#pragma once

#include "app/ErrorReporter.h"

#include <QMainWindow>

class QLabel;
class QListWidget;

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::ui {

// The program's permanent window: zones, cook cycles, status; its close ends the run.
class MainWindow final : public QMainWindow, public app::ErrorReporter {
    Q_OBJECT
public:
    explicit MainWindow(app::AppContext& ctx, QWidget* parent = nullptr);

    void reportError(const QString& description, const QString& procedure) override;
    void setStatus(const QString& text);

private:
    app::AppContext& m_ctx;
    QLabel* m_status;
    QListWidget* m_statusList;
};

} // namespace kelvara::ui
