// The adapter's command file, which sites edit by hand for other adapters.
#include "FuzzInput.h"
#include "app/SensorReaderIniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)kelvara::app::SensorReaderIniFile::parse(kelvara::fuzz::bytesOf(data, size));
    return 0;
}
