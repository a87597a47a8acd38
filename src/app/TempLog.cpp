#include "app/TempLog.h"

namespace kelvara::app {

std::unique_ptr<QFile> OpenTempLog() {
    auto file = std::make_unique<QFile>(QStringLiteral("TempLog"));
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append))
        return nullptr;
    return file;
}

} // namespace kelvara::app
