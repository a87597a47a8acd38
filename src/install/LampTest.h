#pragma once

#include "sensornet/AdapterCommands.h"

#include <QString>
#include <QStringList>

namespace kelvara::app {
class UserSettings;
}

namespace kelvara::sensornet {
class AdapterLink;
}

namespace kelvara::install {

// The lamp tests of the panel setup windows: each lamp switch is addressed a set number of times with a
// second's pause after each, so the user can watch it blink. Asks nothing; the window asks first.
class LampTest {
public:
    LampTest(sensornet::AdapterLink& link, sensornet::AdapterCommands commands);

    // The alarm panel, one lamp after the other in the order given: a bus reset exchange, then four
    // switchings per lamp, which leave every lamp as it was. Reads the port settings first. False when the
    // port could not be opened (nothing was sent).
    bool alarmPanel(const app::UserSettings& settings, const QStringList& lampSerials);
    // One alarm-panel lamp, switched five times, so it ends the other way round.
    bool alarmLamp(const app::UserSettings& settings, const QString& lampSerial);
    // The cook cycle panel: the reset, then six sends per lamp, each followed by a second's pause and reading
    // what came back.
    bool cookPanel(const QStringList& lampSerials);
    // One cook-panel lamp, six sends.
    bool cookLamp(const QString& lampSerial);

    // How many times the last test addressed a lamp.
    [[nodiscard]] int switchings() const { return m_switchings; }
    // The adapter's last answer of the last test.
    [[nodiscard]] const QString& lastAnswer() const { return m_answer; }

    static constexpr int kPanelSwitchings = 4;
    static constexpr int kSingleLampSwitchings = 5;
    static constexpr int kCookSwitchings = 6;
    static constexpr qint64 kSwitchPauseMs = 1000;

private:
    bool openForAlarmPanel(const app::UserSettings& settings);
    void exchangeLamp(const QString& lampSerial, int times);
    void sendLamp(const QString& lampSerial, int times);
    [[nodiscard]] QString lampCommand(const QString& lampSerial) const;

    sensornet::AdapterLink& m_link;
    sensornet::AdapterCommands m_commands;
    int m_switchings = 0;
    QString m_answer;
};

} // namespace kelvara::install
