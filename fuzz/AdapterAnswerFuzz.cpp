// What the adapter sends back: the first line is the command written, the rest its answer as the port
// delivered it (carriage returns, checksums, cut lines and noise included).
#include "FuzzInput.h"
#include "sensornet/AdapterProtocol.h"
#include "sensornet/TemperatureDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvara::sensornet;
    const QString input = kelvara::fuzz::latin1Of(data, size);
    const qsizetype split = input.indexOf(QLatin1Char('\n'));
    const QString command = split < 0 ? QString() : input.left(split);
    const QString raw = split < 0 ? input : input.mid(split + 1);

    (void)protocol::blockShape(command);
    const QString answer =
        protocol::cleanAnswer(protocol::withoutWriteEcho(protocol::withoutLineChecksums(raw), command));
    (void)decoding::checkTemperatureAnswer(answer);
    for (const QString family : {QStringLiteral("10"), QStringLiteral("28")}) {
        (void)decoding::decodeTemperature(answer, family);
        (void)decoding::isPowerOnValue(answer, family);
    }
    (void)decoding::dallasCrc8(raw.toLatin1());
    return 0;
}
