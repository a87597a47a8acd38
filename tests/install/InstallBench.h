#pragma once

#include "support/SiteBench.h"

#include <QDir>
#include <gtest/gtest.h>
#include <utility>

namespace kelvara::test {

// The KVR.INI of a site with four zones, with a line after DONE that a rewrite must keep.
inline const QByteArray kKvrIni = "Business Name=Test Foods\r\nTempType=C\r\nColdReadMins=1\r\nZones=4\r\n"
                                  "HotReadMins=1\r\nDONE\r\nnote kept after DONE\r\n";

// A site with both sides' databases and KVR.INI, worked in as the program does (the TempLog is opened in the
// working folder), and an installation link over a scripted adapter that answers every reset.
class InstallBench : public ::testing::Test, protected SiteContext, protected ScriptedAdapter {
protected:
    InstallBench()
        : SiteContext(QStringLiteral("KVRThermo")), ScriptedAdapter(sensornet::ExchangeRules::installation()),
          m_oldDir(QDir::currentPath()) {
        QDir::setCurrent(site.path());
        ctx.settings.Zones = 4;
        site.write(QStringLiteral("KVR.INI"), kKvrIni);
        port.on("aR\r", "P\r", 5);
    }
    ~InstallBench() override {
        ctx.TempLogFile.reset();
        QDir::setCurrent(m_oldDir);
    }

    // The next search that starts with this command finds these devices in this order.
    void onSearch(const QByteArray& command, const QStringList& romIds) {
        for (qsizetype i = 0; i < romIds.size(); ++i)
            port.on(i == 0 ? command : "as\r", romIds[i].toLatin1() + "\r", 10);
        port.on(romIds.isEmpty() ? command : "as\r", "\r", 10);
    }
    // The commands written since the last look, which forgets them.
    QList<QByteArray> takeWritten() { return std::exchange(port.written, {}); }

private:
    QString m_oldDir;
};

// The address command of a device, as many times as the device is addressed.
inline QList<QByteArray> addressed(const QString& romId, int times) {
    return QList<QByteArray>(times, "aA" + romId.toLatin1() + "\r");
}

} // namespace kelvara::test
