#include "install/SensorInstallation.h"

#include "app/TempLog.h"
#include "store/Transaction.h"

#include <QLatin1Char>

namespace kelvara::install {

using State = InstallOutcome::State;

namespace {

// The answer as it came, its carriage returns made visible, then the ROM id taken from it.
QString activityEntry(const sensornet::FoundDevice& device) {
    return QString(device.rawAnswer).replace(QLatin1Char('\r'), QStringLiteral("<CR>")) +
           QStringLiteral("  ") + device.romId;
}

} // namespace

SensorInstallation::SensorInstallation(app::AppContext& ctx, sensornet::AdapterLink& link,
                                       base::UserDialogs& dialogs, Side side)
    : m_ctx(ctx), m_link(link), m_bus(link, ctx.commands), m_dialogs(dialogs), m_side(std::move(side)) {}

bool SensorInstallation::openAdapter() {
    m_link.resetAdapter(m_ctx.commands.ResetCmd);
    if (!m_ctx.TempLogFile)
        m_ctx.TempLogFile = app::OpenTempLog();
    return m_link.isOpen();
}

InstallOutcome SensorInstallation::read() {
    InstallOutcome outcome;
    if (!openAdapter()) {
        outcome.state = State::PortNotOpen;
        return outcome;
    }
    clearSensors();
    m_bus.enumerate(m_side.sensorSearch, [&](const sensornet::FoundDevice& device) {
        m_activity << activityEntry(device);
        if (!m_side.sensorFamilies.contains(device.family()))
            return true;
        if (const base::Result<void> done = addSensor(device.romId); !done)
            outcome.problems.push_back({std::nullopt, done.error()});
        return true;
    });
    if (!outcome.problems.empty()) {
        // A sensor whose stored settings could not be looked up would be saved with the defaults over them.
        clearSensors();
        outcome.state = State::Failed;
    } else if (sensorCount() == 0) {
        m_dialogs.information(kTitle, kReadError);
        outcome.state = State::NothingFound;
    }
    m_link.closePort();
    return outcome;
}

InstallOutcome SensorInstallation::save() {
    InstallOutcome outcome;
    if (!m_dialogs.question(kTitle, m_side.saveQuestion, true)) {
        outcome.state = State::Cancelled;
        return outcome;
    }
    if (database() == nullptr) {
        outcome.state = State::Failed;
        outcome.problems.push_back({std::nullopt, QStringLiteral("The database is not open.")});
        return outcome;
    }
    // Settings of a sensor that is not on the bus now are deleted only when the user agrees to it by name.
    const base::Result<QStringList> dropped = droppedSensors();
    if (!dropped) {
        outcome.state = State::Failed;
        outcome.problems.push_back({std::nullopt, dropped.error()});
        return outcome;
    }
    if (!dropped->isEmpty()) {
        const QString text =
            m_side.droppedQuestion + QStringLiteral("\n\n") + dropped->join(QLatin1Char('\n'));
        if (!m_dialogs.question(kTitle, text, false)) {
            outcome.state = State::Cancelled;
            return outcome;
        }
    }
    if (const base::Result<void> done = inTransaction([this] { return writeSensors(); }); !done) {
        outcome.state = State::Failed;
        outcome.problems.push_back({std::nullopt, done.error()});
        return outcome;
    }
    outcome.problems = afterSensorsSaved();
    return outcome;
}

bool SensorInstallation::offerPanelSetup() {
    if (m_dialogs.question(kTitle, m_side.panelQuestion, true))
        return true;
    m_dialogs.information(kTitle, m_side.restartAdvice);
    return false;
}

QString SensorInstallation::switchFamily() const {
    const QString& command = m_ctx.commands.AlarmSensorCmd;
    return command.size() >= 3 ? command.mid(command.size() - 3, 2) : QString();
}

InstallOutcome SensorInstallation::panelSetup() {
    InstallOutcome outcome;
    m_lamps.clear();
    if (!openAdapter()) {
        outcome.state = State::PortNotOpen;
        return outcome;
    }
    const QString family = switchFamily();
    m_bus.enumerate(sensornet::DeviceSearch::AlarmSwitches, [&](const sensornet::FoundDevice& device) {
        m_activity << activityEntry(device);
        if (device.family() != family)
            return true;
        const base::Result<int> number = lampNumber(device.romId);
        if (!number)
            outcome.problems.push_back({std::nullopt, number.error()});
        m_lamps.push_back({number ? *number : 0, device.romId});
        return m_side.lampLimit == 0 || static_cast<int>(m_lamps.size()) < m_side.lampLimit;
    });
    // The user now takes his time over the numbers; the lamp test opens the port again.
    m_link.closePort();
    return outcome;
}

InstallOutcome SensorInstallation::panelSave() {
    InstallOutcome outcome;
    if (database() == nullptr) {
        outcome.state = State::Failed;
        outcome.problems.push_back({std::nullopt, QStringLiteral("The database is not open.")});
        return outcome;
    }
    if (const base::Result<void> done = inTransaction([this] { return writePanel(); }); !done) {
        outcome.state = State::Failed;
        outcome.problems.push_back({std::nullopt, done.error()});
    }
    return outcome;
}

bool SensorInstallation::offerPanelTest() {
    if (!m_dialogs.question(kTitle, m_side.testQuestion, true))
        return false;
    panelTest();
    return true;
}

void SensorInstallation::panelTest() {
    m_link.resetAdapter(m_ctx.commands.ResetCmd);
    if (!m_link.isOpen())
        return;
    if (!m_side.resetBeforeEachSend)
        m_bus.busReset();
    for (const LampRow& lamp : m_lamps) {
        for (int send = 0; send < m_side.sendsPerLamp; ++send) {
            if (m_side.resetBeforeEachSend)
                m_bus.busReset();
            m_bus.toggleSwitch(lamp.AlarmSerialNo);
            m_link.pause(kLampSendPauseMs);
        }
    }
    m_link.closePort();
}

base::Result<void> SensorInstallation::inTransaction(const std::function<base::Result<void>()>& write) {
    store::Transaction transaction(*database());
    if (!transaction.begun().ok())
        return transaction.begun();
    if (base::Result<void> done = write(); !done)
        return done; // the transaction rolls back as it goes out of scope
    return transaction.commit();
}

SensorInstallation::RowMatch SensorInstallation::matchRows(const QStringList& stored,
                                                           const QStringList& working) {
    RowMatch match;
    std::vector<bool> claimed(static_cast<std::size_t>(stored.size()), false);
    for (const QString& romId : working) {
        std::optional<std::size_t> found;
        for (qsizetype i = 0; i < stored.size(); ++i) {
            const auto index = static_cast<std::size_t>(i);
            if (!claimed[index] && stored[i].compare(romId, Qt::CaseInsensitive) == 0) {
                claimed[index] = true;
                found = index;
                break;
            }
        }
        match.storedFor.push_back(found);
    }
    for (std::size_t i = 0; i < claimed.size(); ++i) {
        if (!claimed[i])
            match.unclaimed.push_back(i);
    }
    return match;
}

} // namespace kelvara::install
