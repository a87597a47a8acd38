#pragma once

#include "store/MonitorSetsStore.h"

#include <QString>

namespace kelvara::monitoring {

// What a window (or the headless console) sees of a zone reading pass while it runs.
class ZonePassObserver {
public:
    virtual ~ZonePassObserver() = default;
    // A pass begins: the status list is cleared so it shows only this pass's error reports.
    virtual void passStarted() {}
    // The zone at this position is about to be read (the grid's current row, the details panel).
    virtual void zoneStarted(int /*index*/) {}
    // The zone at this place was read: its row as the pass stores it, and its reading as shown (the value,
    // or "NR" for no data).
    virtual void zoneShown(int /*index*/, const store::MonitorSetsRow& /*zone*/, const QString& /*shown*/) {}
    // A line the pass wrote to the read log.
    virtual void logLine(const QString& /*line*/) {}
    // Every zone shows "NR" (the bus did not answer the device search).
    virtual void allZonesNoReading() {}
    // The window's chance to repaint and answer clicks in the middle of the pass.
    virtual void processEvents() {}
    virtual void passFinished() {}
};

} // namespace kelvara::monitoring
