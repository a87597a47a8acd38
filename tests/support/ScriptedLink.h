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
    // Fresh lists rather than cleared ones: an emptied list keeps its storage, and comparing it with a
    // never-allocated one hands a null pointer to memcmp inside Qt.
    port.written = {};
    port.pauses = {};
}

} // namespace kelvara::test
