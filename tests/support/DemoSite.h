#pragma once

#include "support/SimProcess.h"
#include "support/TempSite.h"

#include <QByteArray>
#include <QString>

namespace kelvara::test {

// A site the real program creates from a simulator scenario (root/site, per-user settings under root), as the
// headless and crash tests start from.
// The site's path; empty (with the program's complaint reported as a test failure) when the creation failed.
QString createDemoSite(const TempSite& root, const QByteArray& scenario, const QString& sides = "zone");
// The per-user port settings that make the program under root open this port.
void pointAtPort(const TempSite& root, const QString& portName);
// Asks the simulator until it gives the answer or a generous limit passes.
bool eventually(SimProcess& sim, const QString& command, const QString& answer);
// Waits until the file ends with these bytes or a generous limit passes.
bool fileEventuallyEndsWith(const QString& path, const QByteArray& end);

} // namespace kelvara::test
