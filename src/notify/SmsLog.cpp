#include "notify/SmsLog.h"

#include <array>

namespace kelvara::notify {

namespace {

constexpr std::array<const char*, 32> kControlNames{"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL",
                                                    "BS",  "HT",  "LF",  "VT",  "FF",  "CR",  "SO",  "SI",
                                                    "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB",
                                                    "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};
constexpr unsigned char kDelete = 0x7F;

} // namespace

SmsLog::SmsLog(const QString& path, const base::Clock& clock) : m_clock(clock), m_file(path) {
    // Without its log the send still goes ahead; write() then writes nothing.
    if (!path.isEmpty() && !m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return;
}

QString SmsLog::shown(const QByteArray& bytes) {
    QString out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < kControlNames.size())
            out += QLatin1Char('<') + QLatin1String(kControlNames[b]) + QLatin1Char('>');
        else if (b == kDelete || (b >= 0x80 && b <= 0x9F))
            out += QStringLiteral("<%1>").arg(b, 2, 16, QLatin1Char('0'));
        else
            out += QChar(b);
    }
    return out;
}

void SmsLog::write(const QString& line) {
    if (!m_file.isOpen())
        return;
    const QString stamp = m_clock.now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    m_file.write((stamp + QLatin1Char(' ') + line + QLatin1Char('\n')).toUtf8());
    m_file.flush();
}

} // namespace kelvara::notify
