#include "ui/AlarmIndicator.h"

namespace kelvara::ui {

AlarmIndicator::AlarmIndicator(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("AlarmInd"));
    setAlignment(Qt::AlignCenter);
    setMinimumWidth(90);
    m_timer.setInterval(kFlashMs);
    connect(&m_timer, &QTimer::timeout, this, &AlarmIndicator::flash);
    stop();
}

void AlarmIndicator::start() {
    if (m_timer.isActive())
        return;
    m_timer.start();
    flash();
}

void AlarmIndicator::stop() {
    m_timer.stop();
    m_lit = false;
    clear();
    setStyleSheet(QString());
}

void AlarmIndicator::flash() {
    m_lit = !m_lit;
    setText(QStringLiteral("ALARM"));
    setStyleSheet(m_lit ? QStringLiteral("background: rgb(255, 0, 0); color: white; font-weight: bold;")
                        : QStringLiteral("color: rgb(255, 0, 0); font-weight: bold;"));
}

} // namespace kelvara::ui
