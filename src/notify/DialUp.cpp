#include "notify/DialUp.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <algorithm>

namespace kelvara::notify {

namespace {
constexpr int kCommandLimitMs = 30000;
}

QString DialUp::errorText(int result) {
    switch (result) {
    case 0:
        return QStringLiteral("Connected.");
    case -1:
        return QStringLiteral("This connection is already dialled.");
    case kNotAnEntry:
        return QStringLiteral("The dial-up entry is not a file of the peers folder.");
    case kCommandFailed:
        return QStringLiteral("The dial-up command failed.");
    case kLinkDeadline:
        return QStringLiteral("The dial-up link did not come up in time.");
    case kNoEntries:
        return QStringLiteral("There is no dial-up entry to dial.");
    default:
        return QStringLiteral("Dial-up error %1.").arg(result);
    }
}

DialUp::Config DialUp::Config::fromEnvironment() {
    Config config;
    const auto take = [](const char* name, QString& value) {
        const QString set = qEnvironmentVariable(name);
        if (!set.isEmpty())
            value = set;
    };
    take("KELVARA_PPP_PEERS", config.peersDir);
    take("KELVARA_PON", config.pon);
    take("KELVARA_POFF", config.poff);
    return config;
}

DialUp::DialUp(Config config) : m_config(std::move(config)) {}

DialUp::~DialUp() {
    if (dialled())
        HangUp();
}

bool DialUp::systemLinkUp() {
    const QDir net(QStringLiteral("/sys/class/net"));
    for (const QString& name : net.entryList({QStringLiteral("ppp*")}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile flags(net.filePath(name + QStringLiteral("/flags")));
        if (!flags.open(QIODevice::ReadOnly))
            continue;
        bool ok = false;
        const uint value = flags.readAll().trimmed().toUInt(&ok, 16);
        if (ok && (value & 0x1U) != 0) // IFF_UP
            return true;
    }
    return false;
}

QStringList DialUp::ListDUNs() const {
    QStringList names;
    const QDir peers(m_config.peersDir);
    for (const QFileInfo& info : peers.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (isEntry(info.fileName()))
            names.push_back(info.fileName());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool DialUp::isEntry(const QString& name) const {
    // Handed to pon as one argument: it must not read as an option or reach outside the folder.
    if (name.isEmpty() || name.startsWith(QLatin1Char('-')) || name.contains(QLatin1Char('/')) ||
        name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    const QFileInfo info(QDir(m_config.peersDir).filePath(name));
    return info.isFile() && !info.isSymLink();
}

int DialUp::runCommand(const QString& program, const QString& name) const {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, {name});
    if (!process.waitForFinished(kCommandLimitMs)) {
        process.kill();
        process.waitForFinished();
        return kCommandFailed;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? 0 : kCommandFailed;
}

bool DialUp::Connected() const {
    return m_config.linkUp && m_config.linkUp();
}

qint32 DialUp::StartDUN(const QString& name) {
    if (dialled() && Connected())
        return -1;
    if (!isEntry(name))
        return kNotAnEntry;
    // A link that is up already (the site's own) is used as it is: not dialled again, not hung up after.
    if (Connected())
        return 0;
    if (runCommand(m_config.pon, name) != 0)
        return kCommandFailed;
    QElapsedTimer waited;
    waited.start();
    while (!Connected()) {
        const bool abandoned = m_config.abandoned && m_config.abandoned->load();
        if (abandoned || waited.elapsed() >= m_config.deadlineMs) {
            // The attempt is ours: it stops rather than bring a link up later that nobody hangs up.
            (void)runCommand(m_config.poff, name);
            return kLinkDeadline;
        }
        QThread::msleep(static_cast<unsigned long>(m_config.pollMs));
    }
    m_dialled = name;
    Q_EMIT ConnectionMade();
    return 0;
}

qint32 DialUp::HangUp() {
    if (!dialled())
        return -1;
    const int result = runCommand(m_config.poff, m_dialled);
    m_dialled.clear();
    Q_EMIT ConnectionClosed();
    return result;
}

} // namespace kelvara::notify
