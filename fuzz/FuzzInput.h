#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstddef>
#include <cstdint>

namespace kelvara::fuzz {

// The fuzzer's bytes as Qt sees a file's or a device's bytes: copied, never converted.
inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Text as the adapter and the settings files arrive: one byte, one character.
inline QString latin1Of(const std::uint8_t* data, std::size_t size) {
    return QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// Several inputs in one: the parts between line feeds, so one case can carry a command and its answer.
inline QList<QByteArray> partsOf(const std::uint8_t* data, std::size_t size) {
    return bytesOf(data, size).split('\n');
}

} // namespace kelvara::fuzz
