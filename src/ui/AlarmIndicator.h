#pragma once

#include <QLabel>
#include <QTimer>

namespace kelvara::ui {

// The alarm animation of the main window: a flashing alarm sign while an alarm is active.
class AlarmIndicator final : public QLabel {
    Q_OBJECT
public:
    explicit AlarmIndicator(QWidget* parent = nullptr);

    void start();
    void stop();
    [[nodiscard]] bool playing() const { return m_timer.isActive(); }

    static constexpr int kFlashMs = 500;

private:
    void flash();

    QTimer m_timer;
    bool m_lit = false;
};

} // namespace kelvara::ui
