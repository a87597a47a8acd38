#pragma once

#include "base/Result.h"
#include "sensornet/LineSettings.h"

#include <QString>
#include <QStringList>

namespace kelvara::app {

class UserSettings;

// The serial port choice of the COM port settings window, as texts the window's lists show, and how it is
// read from and written to the per-user settings store.
struct ComPortChoice {
    QString port = QStringLiteral("Com1"); // a "ComN" entry or a device path
    QString speed = QStringLiteral("115200");
    QChar parity = QLatin1Char('n'); // first letter of the parity entry
    QString dataBits = QStringLiteral("8");
    QString stopBits = QStringLiteral("1");
    int flow = 0; // index of the flow-control option, stored as "Handshaking"
    bool echo = false;

    bool operator==(const ComPortChoice&) const = default;
};

// The number of flow-control options the window offers: none, Xon/Xoff, RTS/CTS, Xon/RTS.
inline constexpr int kFlowOptionCount = 4;

// The line settings text proposed when none is stored.
inline const QString kDefaultLineSettings = QStringLiteral("115200,n,8,1");

// "speed,p,data,stop" from the lists' texts, each part trimmed and the parity cut to its first letter,
// lower case.
[[nodiscard]] QString lineSettingsText(const QString& speed, const QString& parity, const QString& dataBits,
                                       const QString& stopBits);

// The entry of a list that begins with the given letter, ignoring case; -1 when none does.
[[nodiscard]] int entryStartingWith(const QStringList& entries, QChar letter);

// The stored choice. With no "Settings" stored the defaults apply to everything but the echo; a stored
// "PortName" wins over "CommPort"; missing parts of a short settings text keep their defaults.
[[nodiscard]] ComPortChoice readComPortChoice(const UserSettings& settings);

// The settings the serial link opens the adapter's port with: "Settings", "PortName" (which wins) or
// "CommPort", "Handshaking" and "Checksum". Fails with the reason when a stored value cannot be used.
[[nodiscard]] base::Result<sensornet::StoredLineSettings> readLineSettings(const UserSettings& settings);

// Stores the choice: "Settings", "Handshaking", "Echo", and either "CommPort" (a ComN entry, with any
// "PortName" removed) or "PortName" (a device path).
void writeComPortChoice(UserSettings& settings, const ComPortChoice& choice);

} // namespace kelvara::app
