#pragma once

#include "sim/Scenario.h"

#include <QByteArray>
#include <cstdlib>

namespace kelvara::fuzz {

// A bus with one device of every family the simulator plays, built fresh for each input so a finding
// replays from its file alone.
inline const sim::Scenario& everyFamilyScenario() {
    static const sim::Scenario scenario = [] {
        const QByteArray json = R"({"seed": 1, "devices": [
            {"rom": "750000000000A128", "course": {"kind": "sine", "mean": 3, "amplitude": 1.5, "period": 900}},
            {"rom": "CB0000000000B110", "temperature": 21.5},
            {"rom": "1B0000000000A322", "temperature": -18},
            {"rom": "610000000000C105", "on": false},
            {"rom": "E70000000000D130", "type": "K", "coldJunction": 22, "temperature": 70}]})";
        QString error;
        auto parsed = sim::Scenario::fromJson(json, &error);
        if (!parsed)
            std::abort();
        return *parsed;
    }();
    return scenario;
}

} // namespace kelvara::fuzz
