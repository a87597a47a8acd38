// The port settings a user types or a stored settings file holds: "Settings", "CommPort", "Handshaking".
#include "FuzzInput.h"
#include "sensornet/LineSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvara::sensornet;
    for (const QByteArray& part : kelvara::fuzz::partsOf(data, size)) {
        const QString text = QString::fromUtf8(part);
        (void)parseLineParameters(text);
        (void)parsePortNumber(text);
        (void)parseHandshaking(text);
    }
    return 0;
}
