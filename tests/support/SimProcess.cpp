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

SimProcess::SimProcess(const QByteArray& scenarioJson, const QStringList& extraArguments) {
    const QString scenario = QDir(m_dir.path()).filePath(QStringLiteral("scenario.json"));
    QFile file(scenario);
    if (!file.open(QIODevice::WriteOnly) || file.write(scenarioJson) != scenarioJson.size())
        return;
    file.close();
    m_process.start(binary(), QStringList{QStringLiteral("--scenario"), scenario} + extraArguments);
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

int SimProcess::terminate() {
    m_process.terminate();
    if (!m_process.waitForFinished(kDeadlineMs))
        return -1;
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

} // namespace kelvara::test
