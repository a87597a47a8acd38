#include "sim/ModemMessage.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace kelvara::sim {

QByteArray ModemMessage::jsonLine() const {
    // QJsonObject sorts its keys; the order "via", "to", "text" reads better in a log, so it is written out.
    const auto quoted = [](const QString& value) {
        const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
        return array.mid(1, array.size() - 2);
    };
    return "{\"via\":" + quoted(via) + ",\"to\":" + quoted(to) + ",\"text\":" + quoted(text) + "}";
}

} // namespace kelvara::sim
