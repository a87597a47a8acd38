#include "support/SimProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

namespace kelvara::test {

namespace {
constexpr int kDeadlineMs = 10000;
}

QString SimProcess::binary() {
    return qEnvironmentVariable("KELVARA_SIM");
}

SimProcess::SimProcess(const QByteArray& fileJson, const QStringList& extraArguments, File kind) {
    const QString path = QDir(m_dir.path()).filePath(QStringLiteral("scenario.json"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(fileJson) != fileJson.size())
        return;
    file.close();
    const QString option = kind == File::Modem ? QStringLiteral("--modem") : QStringLiteral("--scenario");
    m_process.start(binary(), QStringList{option, path} + extraArguments);
    if (!m_process.waitForStarted(kDeadlineMs))
        return;
    m_path = readLine();
}

SimProcess::~SimProcess() {
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(kDeadlineMs);
    }
}

QString SimProcess::readLine() {
    QElapsedTimer timer;
    timer.start();
    while (!m_process.canReadLine() && timer.elapsed() < kDeadlineMs) {
        if (!m_process.waitForReadyRead(100) && m_process.state() == QProcess::NotRunning)
            return {};
    }
    return QString::fromUtf8(m_process.readLine()).trimmed();
}

QString SimProcess::control(const QString& line) {
    m_process.write(line.toUtf8() + '\n');
    return readLine();
}

int SimProcess::exitCode() {
    if (m_process.state() != QProcess::NotRunning && !m_process.waitForFinished(kDeadlineMs))
        return -1;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

int SimProcess::terminate() {
    m_process.terminate();
    if (!m_process.waitForFinished(kDeadlineMs))
        return -1;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

} // namespace kelvara::test
