#pragma once

namespace kelvara::app {

class Clock;

// Waits at least `seconds` by the clock's monotonic count while the event loop keeps running, so timers,
// clicks and repaints are served during the wait (callers must expect re-entry).
void Delay(const Clock& clock, double seconds);

} // namespace kelvara::app
