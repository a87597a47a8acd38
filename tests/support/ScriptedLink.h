#pragma once

#include "sensornet/AdapterLink.h"
#include "support/ScriptedPort.h"

#include <gtest/gtest.h>

namespace kelvara::test {

// Opens the link on a scripted port whose adapter answers the reset, then forgets what the opening wrote and
// waited for, so the test sees only its own exchanges.
inline void openScriptedLink(sensornet::AdapterLink& link, ScriptedPort& port) {
    port.on("aR\r", "P\r", 5);
    EXPECT_TRUE(link.resetAdapter("aR\r").has_value());
    port.written.clear();
    port.pauses.clear();
}

} // namespace kelvara::test
