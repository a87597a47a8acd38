#pragma once

#include "sim/Course.h"
#include "sim/Environment.h"
#include "sim/FaultPlan.h"
#include "sim/RomId.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace kelvara::sim {

// One slave on the simulated 1-Wire bus. The base class runs the ROM layer bit by bit (Read ROM, Match ROM,
// Skip ROM, Search ROM and Conditional Search); a subclass answers the function commands of its data sheet
// once the device is selected.
class Device {
public:
    explicit Device(const RomId& rom) : m_rom(rom) {}
    virtual ~Device() = default;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    [[nodiscard]] const RomId& rom() const { return m_rom; }
    [[nodiscard]] FaultPlan& faults() { return m_faults; }
    [[nodiscard]] const FaultPlan& faults() const { return m_faults; }

    // Time has passed: a device finishes what it had under way by the caller's elapsed seconds.
    virtual void advance(const Environment& env) { (void)env; }
    // A reset pulse: the device answers with its presence pulse and waits for a ROM command.
    void resetPulse();
    // Off the bus: the device ignores every slot until the next reset it sees.
    void sleep();
    // The level this device puts on the line in the coming time slot (true: it leaves the line high).
    [[nodiscard]] bool drive() const;
    // The level the time slot carried, after every device and the master had their say.
    void sample(bool level, Environment& env);
    // Picked by Match, Skip, Search or Read ROM and now listening to function commands.
    [[nodiscard]] bool selected() const { return m_phase == Phase::Function; }

    // One line for the control channel: the device's state without its ROM id.
    [[nodiscard]] virtual QString describe(double now) const = 0;
    // Takes part in a Conditional Search.
    [[nodiscard]] virtual bool conditionMet() const { return false; }
    // Setters for the control channel; false when the device has no such property.
    virtual bool setCourse(const Course& course);
    virtual bool setColdJunction(const Course& course);
    virtual bool setOutput(bool on);

protected:
    enum class Selection { Match, Skip, Search, ReadRom };
    virtual void onReset() {}
    virtual void onSelected(Selection how, Environment& env);
    // A byte the master wrote while the device listens for function commands and their data.
    virtual void onFunctionByte(std::uint8_t byte, Environment& env) = 0;

    // Bytes to put on the read slots that follow, least significant bit first; afterwards the device
    // leaves the line high until the next reset.
    void send(const QByteArray& bytes);
    // Every following read slot carries this level until the next reset (conversion done, power mode,
    // switch output level).
    void sendLevel(bool level);
    // The command is complete: ignore the rest until the next reset.
    void finish();

private:
    enum class Phase { Asleep, RomCommand, MatchRom, SearchRom, ReadRom, Function };
    void enterFunction(Selection how, Environment& env);
    void romCommand(std::uint8_t command, Environment& env);

    RomId m_rom;
    FaultPlan m_faults;
    Phase m_phase = Phase::Asleep;
    int m_bit = 0;        // ROM bit under way in Match, Search and Read ROM
    int m_searchStep = 0; // within one search bit: 0 the bit, 1 its complement, 2 the master's choice
    std::uint8_t m_shift = 0;
    int m_shiftCount = 0;
    QByteArray m_tx;
    qsizetype m_txBit = 0;
    std::optional<bool> m_level;
    bool m_finished = false;
    bool m_mute = false; // all-F fault struck for this selection
};

} // namespace kelvara::sim
