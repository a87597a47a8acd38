#include "support/DemoSite.h"

#include "support/KelvaraProcess.h"

#include <QDeadlineTimer>
#include <QThread>
#include <gtest/gtest.h>

namespace kelvara::test {

namespace {
constexpr int kLimitMs = 60000;
}

QString createDemoSite(const TempSite& root, const QByteArray& scenario, const QString& sides) {
    root.write("scenario.json", scenario);
    const QString site = root.file("site");
    KelvaraProcess create(root.path());
    if (create.runToEnd({"--create-site", site, "--sides", sides, "--demo", root.file("scenario.json")}) !=
        0) {
        ADD_FAILURE() << "no demo site: " << create.stdErr().toStdString();
        return {};
    }
    return site;
}

void pointAtPort(const TempSite& root, const QString& portName) {
    root.write("Kelvara/Kelvara.ini",
               "[Properties]\nSettings=115200,n,8,1\nPortName=" + portName.toUtf8() + "\n");
}

bool eventually(SimProcess& sim, const QString& command, const QString& answer) {
    QDeadlineTimer limit(kLimitMs);
    while (!limit.hasExpired()) {
        if (sim.control(command) == answer)
            return true;
        QThread::msleep(200);
    }
    return false;
}

bool fileEventuallyEndsWith(const QString& path, const QByteArray& end) {
    QDeadlineTimer limit(kLimitMs);
    while (!limit.hasExpired()) {
        if (TempSite::readFile(path).endsWith(end))
            return true;
        QThread::msleep(200);
    }
    return false;
}

} // namespace kelvara::test
