#pragma once

#include "sim/ControlCommands.h"
#include "sim/Scenario.h"
#include "sim/Simulator.h"
#include "support/QtPrinters.h"

#include <QByteArray>
#include <QByteArrayView>
#include <gtest/gtest.h>
#include <memory>

namespace kelvara::sim::test {

// A simulator built from scenario JSON, spoken to as a client would: commands in, the answers' bytes out.
class SimHarness {
public:
    explicit SimHarness(const QByteArray& json) {
        QString error;
        const auto scenario = Scenario::fromJson(json, &error);
        if (!scenario)
            ADD_FAILURE() << "scenario rejected: " << error.toStdString();
        m_sim = std::make_unique<Simulator>(scenario.value_or(Scenario{}));
    }

    // Every answer the command (or commands) produced, concatenated.
    QByteArray send(QByteArrayView bytes) {
        QByteArray all;
        for (const Answer& answer : m_sim->feed(bytes))
            all += answer.bytes;
        return all;
    }

    // The scratchpad answer of a freshly converted sensor, without the echo of its command byte.
    QByteArray convertAndRead(const QByteArray& rom) {
        send("aA" + rom + "\r");
        send("aW0144\r");
        send("M");
        const QByteArray answer = send("aW0ABEFFFFFFFFFFFFFFFFFF\r");
        return answer.startsWith("BE") ? answer.mid(2, 18) : answer;
    }

    // One line of the control language, and its reply.
    QString control(const char* line) { return ControlCommands(*m_sim).execute(QString::fromLatin1(line)); }

    Simulator& sim() { return *m_sim; }

private:
    std::unique_ptr<Simulator> m_sim;
};

// A scenario with the given device objects.
inline QByteArray scenarioWith(const QByteArray& devices) {
    return R"({"devices": [)" + devices + "]}";
}

} // namespace kelvara::sim::test
