#pragma once

#include "app/AppContext.h"
#include "app/ComPortSettings.h"
#include "app/SystemClock.h"
#include "app/UserSettings.h"
#include "sensornet/AdapterLink.h"
#include "sensornet/SystemSerialPort.h"
#include "store/Database.h"
#include "store/DatabaseKind.h"
#include "support/Ha5Commands.h"
#include "support/RecordedDialogs.h"
#include "support/RecordingPause.h"
#include "support/RecordingPort.h"
#include "support/SimProcess.h"
#include "support/TempSite.h"

#include <QDir>
#include <gtest/gtest.h>
#include <memory>

namespace kelvara::test {

// The KVR.INI of a site with four zones, with a line after DONE that a rewrite must keep.
inline const QByteArray kKvrIni = "Business Name=Test Foods\r\nTempType=C\r\nColdReadMins=1\r\nZones=4\r\n"
                                  "HotReadMins=1\r\nDONE\r\nnote kept after DONE\r\n";

// A site folder with both databases and KVR.INI, working in it as the program does, and a link through a
// recording port to the bus simulator running the given scenario.
class InstallBench : public ::testing::Test {
protected:
    // The command set is in place before a subclass builds its installation over the context.
    explicit InstallBench(const QByteArray& scenario) : sim(scenario) { ctx.commands = ha5Commands(); }

    void SetUp() override {
        ASSERT_TRUE(sim.started()) << sim.errorOutput().toStdString();
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(site.path()); // TempLog is opened in the working folder
        ctx.siteDir = site.path();
        ctx.DatabaseMode = QStringLiteral("KVRThermo");
        ctx.settings.Zones = 4;
        site.write(QStringLiteral("KVR.INI"), kKvrIni);
        ctx.databases.kvr = open(store::DatabaseKind::Kvr);
        ctx.databases.thermo = open(store::DatabaseKind::Thermo);
        settings.save(QStringLiteral("Properties"), QStringLiteral("Settings"),
                      QStringLiteral("115200,n,8,1"));
        settings.save(QStringLiteral("Properties"), QStringLiteral("PortName"), sim.ptyPath());
        ASSERT_EQ(link.configurePort(app::readLineSettings(settings)),
                  sensornet::ConfigureOutcome::Configured);
    }
    void TearDown() override {
        link.closePort();
        ctx.TempLogFile.reset();
        QDir::setCurrent(m_oldDir);
    }

    std::unique_ptr<store::Database> open(store::DatabaseKind kind) {
        const QString path = site.file(store::databaseFileName(kind));
        EXPECT_TRUE(store::createDatabase(path, kind).ok());
        auto db = std::make_unique<store::Database>(kind);
        EXPECT_TRUE(db->open(path).ok());
        return db;
    }

    // How many writes were exactly this command.
    [[nodiscard]] int sent(const QByteArray& command) const {
        return static_cast<int>(port.written.count(command));
    }
    // How many waits of exactly this length were asked for.
    [[nodiscard]] int waited(qint64 ms) const { return static_cast<int>(pause.requested.count(ms)); }

    // What the simulator says of a switch: "<rom> on" or "<rom> off".
    [[nodiscard]] bool lampOn(const QString& rom) { return sim.control("get " + rom).endsWith(" on"); }

    SimProcess sim;
    TempSite site;
    app::AppContext ctx;
    app::UserSettings settings{site.file(QStringLiteral("user.ini"))};
    app::SystemClock clock; // the exchanges' deadlines run on real time
    std::unique_ptr<sensornet::SerialPort> realPort = sensornet::makeSystemSerialPort();
    RecordingPort port{*realPort};
    RecordingPause pause;
    RecordedDialogs dialogs;
    sensornet::AdapterLink link{port, clock, pause, dialogs, sensornet::ExchangeRules::installation()};

private:
    QString m_oldDir;
};

} // namespace kelvara::test
