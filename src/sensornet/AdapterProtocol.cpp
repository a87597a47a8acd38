#include "sensornet/AdapterProtocol.h"

#include <algorithm>

namespace kelvara::sensornet::protocol {

QString cleanAnswer(const QString& answer) {
    QString cleaned = answer;
    cleaned.remove(kCarriageReturn);
    return cleaned.size() < 4 ? kErrorAnswer : cleaned;
}

BlockShape blockShape(const QString& command) {
    if (command.size() < 4 || command.at(0) != QLatin1Char('a'))
        return {};
    const QChar letter = command.at(1);
    if (letter != QLatin1Char('W') && letter != QLatin1Char('J'))
        return {};
    bool isHex = false;
    const int count = command.mid(2, 2).toInt(&isHex, 16);
    if (!isHex)
        return {};
    BlockShape shape;
    int i = 0;
    for (; i < count; ++i) {
        const QString byte = command.mid(4 + 2 * i, 2);
        if (byte.size() < 2 || byte == QLatin1String("FF"))
            break;
        shape.written += byte;
    }
    shape.readSlots = count - i;
    return shape;
}

QString withoutWriteEcho(const QString& answer, const QString& command) {
    const BlockShape shape = blockShape(command);
    if (shape.written.isEmpty() || !answer.startsWith(shape.written))
        return answer;
    const qsizetype end = answer.indexOf(kCarriageReturn);
    const qsizetype dataLength = end < 0 ? answer.size() : end;
    if (dataLength == 2 * shape.readSlots)
        return answer;
    return answer.mid(shape.written.size());
}

QString withoutLineChecksums(const QString& answer) {
    QString out;
    out.reserve(answer.size());
    qsizetype start = 0;
    for (qsizetype end = answer.indexOf(kCarriageReturn); end >= 0;
         start = end + 1, end = answer.indexOf(kCarriageReturn, start)) {
        const QStringView line = QStringView(answer).sliced(start, end - start);
        if (line.size() > 1) {
            const QStringView digits = line.last(2);
            const bool isHex = std::all_of(digits.begin(), digits.end(), [](QChar c) {
                return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
            });
            const int sent = isHex ? digits.toInt(nullptr, 16) : -1;
            int sum = 0;
            for (const QChar c : line.chopped(2))
                sum += c.unicode();
            if (line.size() > 2 && isHex && sent == sum % 256)
                out += line.chopped(2);
        } else {
            out += line;
        }
        out += kCarriageReturn;
    }
    out += QStringView(answer).sliced(start);
    return out;
}

} // namespace kelvara::sensornet::protocol
