#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace kelvara::ui {

// The hourglass for as long as the object lives, also when the work inside ends early.
class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace kelvara::ui
