#include "support/KelvaraProcess.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <csignal>

namespace kelvara::test {

KelvaraProcess::KelvaraProcess(const QString& configHome) {
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_process.setProcessEnvironment(env);
}

KelvaraProcess::~KelvaraProcess() {
    if (running()) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

QString KelvaraProcess::binary() {
    return qEnvironmentVariable("KELVARA_BINARY");
}

void KelvaraProcess::setEnvironment(const QString& name, const QString& value) {
    auto env = m_process.processEnvironment();
    env.insert(name, value);
    m_process.setProcessEnvironment(env);
}

void KelvaraProcess::start(const QStringList& arguments) {
    m_process.start(binary(), arguments);
    m_process.waitForStarted(30000);
}

int KelvaraProcess::runToEnd(const QStringList& arguments, int limitMs) {
    start(arguments);
    if (!m_process.waitForFinished(limitMs)) {
        m_process.kill();
        m_process.waitForFinished(10000);
        return -1;
    }
    m_err += m_process.readAllStandardError();
    m_out += m_process.readAllStandardOutput();
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

bool KelvaraProcess::waitFor(QByteArray& buffer, QProcess::ProcessChannel channel, const QString& text,
                             int limitMs, qsizetype from) {
    QDeadlineTimer deadline(limitMs);
    for (;;) {
        m_err += m_process.readAllStandardError();
        m_out += m_process.readAllStandardOutput();
        if (QString::fromUtf8(buffer).indexOf(text, from) >= 0)
            return true;
        if (!running() || deadline.hasExpired())
            return false;
        m_process.setReadChannel(channel);
        m_process.waitForReadyRead(200);
    }
}

bool KelvaraProcess::waitForStderr(const QString& text, int limitMs) {
    return waitFor(m_err, QProcess::StandardError, text, limitMs);
}

bool KelvaraProcess::waitForStdout(const QString& text, int limitMs, qsizetype from) {
    return waitFor(m_out, QProcess::StandardOutput, text, limitMs, from);
}

int KelvaraProcess::terminate(int limitMs) {
    ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
    if (!m_process.waitForFinished(limitMs))
        return -1;
    m_err += m_process.readAllStandardError();
    m_out += m_process.readAllStandardOutput();
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

void KelvaraProcess::kill() {
    m_process.kill(); // SIGKILL
    m_process.waitForFinished(10000);
    m_err += m_process.readAllStandardError();
    m_out += m_process.readAllStandardOutput();
}

QString KelvaraProcess::stdErr() {
    m_err += m_process.readAllStandardError();
    return QString::fromUtf8(m_err);
}

QString KelvaraProcess::stdOut() {
    m_out += m_process.readAllStandardOutput();
    return QString::fromUtf8(m_out);
}

} // namespace kelvara::test
