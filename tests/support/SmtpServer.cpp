#include "support/SmtpServer.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kelvara::test {

namespace {
const QString kMailData = QStringLiteral(KELVARA_TEST_MAIL_DATA);
}

QString SmtpServer::caFile() {
    return kMailData + QStringLiteral("/MailTestCA.pem");
}

SmtpServer::SmtpServer(const Options& options) {
    QStringList arguments{QStringLiteral(KELVARA_TEST_SMTP_SERVER)};
    if (options.starttls)
        arguments << QStringLiteral("--tls") << kMailData + QStringLiteral("/mailserver.pem")
                  << kMailData + QStringLiteral("/mailserver.key");
    if (!options.login.isEmpty())
        arguments << QStringLiteral("--login") << options.login;
    if (options.refuse)
        arguments << QStringLiteral("--refuse");
    m_process.start(QStringLiteral(KELVARA_TEST_PYTHON), arguments);
    QDeadlineTimer limit(30000);
    while (!limit.hasExpired() && m_process.state() != QProcess::NotRunning) {
        if (!m_process.canReadLine() && !m_process.waitForReadyRead(1000))
            continue;
        const QByteArray line = m_process.readLine().trimmed();
        if (line.startsWith("PORT ")) {
            m_port = line.mid(5).toInt();
            return;
        }
    }
}

SmtpServer::~SmtpServer() {
    m_process.kill();
    m_process.waitForFinished();
}

std::optional<SmtpServer::Received> SmtpServer::next(int limitMs) {
    QDeadlineTimer limit(limitMs);
    QJsonObject record;
    // Only the message records count; anything else the server prints is passed over.
    while (record.isEmpty()) {
        while (!m_process.canReadLine()) {
            if (limit.hasExpired() || m_process.state() == QProcess::NotRunning)
                return std::nullopt;
            m_process.waitForReadyRead(200);
        }
        record = QJsonDocument::fromJson(m_process.readLine()).object();
    }
    Received received;
    received.from = record.value(QStringLiteral("from")).toString();
    for (const QJsonValue& to : record.value(QStringLiteral("to")).toArray())
        received.to << to.toString();
    received.tls = record.value(QStringLiteral("tls")).toBool();
    received.login = record.value(QStringLiteral("login")).toString();
    received.data = QByteArray::fromBase64(record.value(QStringLiteral("data")).toString().toLatin1());
    return received;
}

} // namespace kelvara::test
