#pragma once

#include "base/Clock.h"
#include "base/ErrorReporter.h"
#include "base/UserDialogs.h"
#include "sensornet/LineSettings.h"
#include "sensornet/Pause.h"
#include "sensornet/SerialPort.h"

#include <QString>
#include <optional>

namespace kelvara::sensornet {

// How long an exchange waits for its answer, and the special cases of the window that owns the link.
struct ExchangeRules {
    qint64 deadlineMs = 2000;
    // Wait a second after sending the active-switch list command, so the whole list is in when reading
    // starts.
    bool preWaitForSwitchList = false;
    // Return an empty answer at once, without a word, when the port is closed.
    bool emptyWhenClosed = false;

    // The main monitoring window.
    [[nodiscard]] static ExchangeRules monitoring() { return {2000, true, false}; }
    // The panel setup windows.
    [[nodiscard]] static ExchangeRules panelSetup() { return {2000, false, false}; }
    // The sensor installation windows.
    [[nodiscard]] static ExchangeRules installation() { return {1000, false, true}; }
};

enum class ConfigureOutcome {
    Configured,
    NotConfigured, // no "Settings" stored: the port keeps its parameters and the user was told to set them
    Refused,       // a stored value could not be used: the user saw why and the port is closed
};

// The numbers a failed opening is shown with. Every failure gets one, so a port that cannot be opened is
// never met with silence: a missing device is 8002, one the user may not use or another program holds is
// 8003, one that refuses the line settings or fails in any other way 8004, a port this link holds open 8005.
inline constexpr int kInvalidPortNumber = 8002;
inline constexpr int kPortUnavailable = 8003;
inline constexpr int kPortFailed = 8004;
inline constexpr int kPortAlreadyOpen = 8005;
[[nodiscard]] int openErrorNumber(PortFailure failure);

// The serial link of one window to the bus adapter: port settings, opening with an adapter reset, and the
// command/answer exchange with its deadline.
class AdapterLink {
public:
    // reporter receives the exchange's failures; windows without a status list pass none.
    AdapterLink(SerialPort& port, const base::Clock& clock, Pause& pause, base::UserDialogs& dialogs,
                ExchangeRules rules, base::ErrorReporter* reporter = nullptr);

    // Takes the stored port settings for the next opening, or tells the user why they cannot be used (the
    // port then keeps its settings). Closes the port first; does not open it.
    ConfigureOutcome configurePort(const base::Result<StoredLineSettings>& stored);

    // Closes the port, waits a second, opens it, sends resetCommand and returns what came back within a
    // second. No value when the port could not be opened; the user has been told why.
    std::optional<QString> resetAdapter(const QString& resetCommand);
    // The same for an adapter that was lost (unplugged, failing) and may be back: the device is looked up
    // again under the stored name, and a failed opening goes to the reporter as one line instead of a
    // message box, so that nobody has to be there to answer it.
    std::optional<QString> reopen(const QString& resetCommand);

    void closePort();
    [[nodiscard]] bool isOpen() const { return m_port.isOpen(); }
    // The port is open but its device failed: exchanges can only fail until it is opened again.
    [[nodiscard]] bool failed() const { return m_port.isOpen() && m_port.failed(); }

    // The exchange: sends the command and collects the answer until it holds the terminator or the deadline
    // (counted from the call) passes. The answer keeps whatever came in the same read after the terminator.
    // A closed port gives an empty answer at once.
    QString portData(const QString& command, const QString& terminator);

    // For windows that talk to the adapter without an exchange: send, wait, take what arrived.
    bool send(const QString& command);
    void pause(qint64 ms) { m_pause.wait(ms); }
    QString takeArrived();

    [[nodiscard]] const LineSettings& lineSettings() const { return m_settings; }
    // Answers with line checksums are checked and stripped, so that callers see the same answers in both
    // modes.
    void setAnswerChecksums(bool on) { m_settings.answerChecksums = on; }
    [[nodiscard]] const ExchangeRules& rules() const { return m_rules; }

    static constexpr qint64 kResetWaitMs = 1000;
    static constexpr qint64 kSwitchListPreWaitMs = 1000;
    // The longest single wait on the port inside an exchange.
    static constexpr int kPollSliceMs = 50;
    static inline const QString kTitle = QStringLiteral("Kelvara");
    static inline const QString kNoSettingsMessage =
        QStringLiteral("You must configure the COM Port Settings before the computer can read any of the "
                       "Temperature Sensors.");
    static inline const QString kCheckPortMessage =
        QStringLiteral("Please check your COM Port Settings and cable connections.   Error #:");
    static inline const QString kExchangeProcedure = QStringLiteral("Port_Data");
    static inline const QString kReopenProcedure = QStringLiteral("Port_Reopen");

private:
    // Closes, waits, opens and resets; quiet sends a failed opening to the reporter instead of a box.
    std::optional<QString> openAndReset(const QString& resetCommand, bool quiet);
    void reportOnce(const QString& error, QStringList& reported);
    [[nodiscard]] QString received(const QString& raw) const;

    SerialPort& m_port;
    const base::Clock& m_clock;
    Pause& m_pause;
    base::UserDialogs& m_dialogs;
    ExchangeRules m_rules;
    base::ErrorReporter* m_reporter;
    LineSettings m_settings;
};

} // namespace kelvara::sensornet
