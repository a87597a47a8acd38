#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <optional>

namespace kelvara::test {

// A real mail server (aiosmtpd, through support/smtp_server.py) on 127.0.0.1 and a free port, for the life
// of the object; it reports every message it took.
class SmtpServer {
public:
    struct Options {
        bool starttls = false; // offer STARTTLS with the test certificate of 127.0.0.1
        QString login;         // "user:password": insist on this login
        bool refuse = false;   // refuse every recipient with a 550

        [[nodiscard]] static Options starttlsWith(const QString& login = {}) {
            Options o;
            o.starttls = true;
            o.login = login;
            return o;
        }
        [[nodiscard]] static Options refusing() {
            Options o;
            o.refuse = true;
            return o;
        }
    };
    struct Received {
        QString from;
        QStringList to;
        bool tls = false;
        QString login;
        QByteArray data; // the message as it came, headers and body
    };

    explicit SmtpServer(const Options& options);
    ~SmtpServer();

    [[nodiscard]] bool started() const { return m_port != 0; }
    [[nodiscard]] int port() const { return m_port; }
    // "127.0.0.1:<port>", as the SMTPName setting takes it.
    [[nodiscard]] QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    // The next message taken, or none within the limit.
    std::optional<Received> next(int limitMs = 30000);
    [[nodiscard]] QByteArray errorOutput() { return m_process.readAllStandardError(); }

    // The authority that signed the test server's certificate.
    [[nodiscard]] static QString caFile();

private:
    QProcess m_process;
    int m_port = 0;
};

} // namespace kelvara::test
