// The site settings file as a user or a broken disk may leave it.
#include "FuzzInput.h"
#include "app/KvrIniFile.h"

#include <QMap>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using kelvara::app::KvrIniFile;
    const QByteArray bytes = kelvara::fuzz::bytesOf(data, size);
    (void)KvrIniFile::parse(bytes);
    // A rewritten file must read back: the writers keep every other line as it was.
    (void)KvrIniFile::parse(KvrIniFile::withZones(bytes, 7));
    (void)KvrIniFile::parse(
        KvrIniFile::withValues(bytes, {{QStringLiteral("TempType"), QStringLiteral("F")}}));
    return 0;
}
