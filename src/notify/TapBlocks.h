#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace kelvara::notify::tap {

inline constexpr char kStx = 0x02;
inline constexpr char kEtx = 0x03;
inline constexpr char kEot = 0x04;
inline constexpr char kAck = 0x06;
inline constexpr char kNak = 0x15;
inline constexpr char kRs = 0x1E;
inline constexpr char kEsc = 0x1B;
// The most characters of a block, from its STX to the CR after its checksum.
inline constexpr int kBlockLength = 250;

// The three checksum characters of a block's bytes from STX to ETX, both included.
[[nodiscard]] QByteArray checksum(const QByteArray& stxToEtx);

// The blocks that carry the fields to the pager: whole fields per block, a field too long for any block cut
// into block-sized pieces. Control characters are removed from the fields. Fails with kSmsTooLong (as the
// code) when more than kMostParts blocks are needed.
[[nodiscard]] base::Result<QList<QByteArray>> buildBlocks(const QString& pagerId, const QStringList& fields);

// The log-on: ESC "PG1", the password, CR.
[[nodiscard]] QByteArray logOn(const QString& password);

} // namespace kelvara::notify::tap
