#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace kelvara::test {

// Names the built program, the simulator and the shipped defaults in the environment
// (KELVARA_BINARY, KELVARA_SIM, KELVARA_DATA_DIR) unless the caller already set them.
inline void setUpTestEnvironment() {
    if (qEnvironmentVariableIsEmpty("KELVARA_BINARY"))
        qputenv("KELVARA_BINARY", KELVARA_TEST_BINARY);
    if (qEnvironmentVariableIsEmpty("KELVARA_SIM"))
        qputenv("KELVARA_SIM", KELVARA_TEST_SIM);
    if (qEnvironmentVariableIsEmpty("KELVARA_DATA_DIR"))
        qputenv("KELVARA_DATA_DIR", KELVARA_TEST_DATA_DIR);
}

} // namespace kelvara::test
