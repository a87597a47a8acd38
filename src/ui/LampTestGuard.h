#pragma once

#include "ui/BusyPointer.h"

#include <QList>
#include <QPointer>
#include <QWidget>

namespace kelvara::ui {

// While a lamp test of a panel setup window runs, everything that changes the table or starts another test
// is off, and the window stays open: the test owns the port until it ends.
class LampTestGuard {
public:
    void setControls(const QList<QWidget*>& controls) {
        m_controls.clear();
        for (QWidget* control : controls)
            m_controls << control;
    }
    [[nodiscard]] bool testing() const { return m_testing; }

    // Runs the test with the busy pointer and every control off; nothing when a test runs already.
    template <typename Test> void run(Test&& test) {
        if (m_testing)
            return;
        BusyPointer busy;
        m_testing = true;
        for (const QPointer<QWidget>& control : m_controls)
            if (control)
                control->setEnabled(false);
        test();
        for (const QPointer<QWidget>& control : m_controls)
            if (control)
                control->setEnabled(true);
        m_testing = false;
    }

private:
    QList<QPointer<QWidget>> m_controls;
    bool m_testing = false;
};

} // namespace kelvara::ui
