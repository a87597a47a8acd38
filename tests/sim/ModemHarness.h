#pragma once

#include "sim/Modem.h"
#include "sim/ModemScenario.h"
#include "sim/TapCentre.h"
#include "sim/UcpCentre.h"
#include "support/QtPrinters.h"

#include <QByteArray>
#include <QByteArrayView>
#include <gtest/gtest.h>
#include <memory>

namespace kelvara::sim::test {

// A modem built from a modem file's JSON, spoken to as a driver would: bytes in at a given second, the
// answers' bytes out.
class ModemHarness {
public:
    explicit ModemHarness(const QByteArray& json) {
        QString error;
        const auto scenario = ModemScenario::fromJson(json, &error);
        if (!scenario)
            ADD_FAILURE() << "modem file rejected: " << error.toStdString();
        m_modem = std::make_unique<Modem>(scenario.value_or(ModemScenario{}));
    }

    // Every answer to the bytes, concatenated; `at` is the second they arrive (later than the last by
    // default).
    QByteArray send(QByteArrayView bytes, std::optional<double> at = std::nullopt) {
        m_now = at.value_or(m_now + 0.01);
        return joined(m_modem->feed(bytes, m_now));
    }
    // What the modem says when nothing comes until `at`.
    QByteArray idle(double at) {
        m_now = at;
        return joined(m_modem->due(m_now));
    }
    // Echo off, then a dial; the dial's result.
    QByteArray dial(const QByteArray& number) {
        send("ATE0\r");
        return send("ATDT" + number + "\r");
    }

    Modem& modem() { return *m_modem; }
    [[nodiscard]] double now() const { return m_now; }

private:
    static QByteArray joined(const std::vector<Answer>& answers) {
        QByteArray all;
        for (const Answer& answer : answers)
            all += answer.bytes;
        return all;
    }

    std::unique_ptr<Modem> m_modem;
    double m_now = 0.0;
};

// A Hayes modem with a centre or pager behind each number, as in the example modem file.
inline const QByteArray kHayes = R"({"modem": "hayes", "dialSeconds": 0.5, "numbers": {
    "5550100": {"centre": "tap", "password": "secret"},
    "5550200": {"centre": "ucp", "password": ""},
    "5550300": {"pager": true},
    "5550400": {"fault": "busy"}}})";

inline QByteArray result(const QByteArray& text) {
    return "\r\n" + text + "\r\n";
}

// A block from STX to the CR after its checksum.
inline QByteArray tapBlock(const QByteArray& pager, const QList<QByteArray>& fields) {
    QByteArray block = "\x02" + pager + "\r";
    for (const QByteArray& field : fields)
        block += field + "\r";
    block += "\x03";
    return block + TapCentre::checksum(block) + "\r";
}

} // namespace kelvara::sim::test
