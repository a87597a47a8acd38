#pragma once

#include "sim/AdapterMode.h"
#include "sim/Answer.h"
#include "sim/Bus.h"
#include "sim/BusSearch.h"
#include "sim/CommandParser.h"
#include "sim/Environment.h"

#include <QByteArrayView>
#include <optional>
#include <vector>

namespace kelvara::sim {

// The serial bus adapter in front of the simulated 1-Wire line: takes framed ASCII commands, drives the line
// as a bus master and formats the answers (ROM ids most significant byte first, bytes as upper-case hex,
// every line ended by a carriage return).
class Adapter {
public:
    // Answer to a command it cannot take: malformed, unknown, or with a wrong checksum.
    static constexpr char kError[] = "E\r";

    Adapter(Bus& bus, Environment& env) : m_bus(bus), m_env(env) {}

    // Answers carry their own checksum before each carriage return (not the reset, bit and error answers).
    void setChecksumAnswers(bool on) { m_checksum = on; }
    void setMode(AdapterMode mode) { m_mode = mode; }
    [[nodiscard]] AdapterMode mode() const { return m_mode; }

    [[nodiscard]] std::vector<Answer> feed(QByteArrayView bytes);
    // The client closed the port: a half-received command is dropped.
    void clientGone() { m_parser.clear(); }

private:
    [[nodiscard]] QByteArray line(const QByteArray& content) const;
    [[nodiscard]] QByteArray select(const RomId& rom);
    [[nodiscard]] QByteArray searchAnswer(std::optional<RomId> found, std::vector<Device*>& involved);
    [[nodiscard]] std::optional<Answer> execute(const Command& command);
    void applyFaults(Answer& answer, const std::vector<Device*>& involved);

    Bus& m_bus;
    Environment& m_env;
    CommandParser m_parser;
    BusSearch m_search;
    std::optional<RomId> m_remembered;
    bool m_checksum = false;
    AdapterMode m_mode = AdapterMode::Normal;
};

} // namespace kelvara::sim
