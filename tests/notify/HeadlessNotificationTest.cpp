// The real program without windows, on the simulated bus and two simulated modems: a zone above its limit
// reaches a GSM recipient and a UCP message centre's recipient, and the logs and counts say so.
#include "store/CallAlarmStore.h"
#include "store/Database.h"
#include "support/DemoSite.h"
#include "support/KelvaraProcess.h"

#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

const QByteArray kBus = R"({"devices": [
    {"rom": "1B0000000000A328", "temperature": 28, "zone": {"name": "Dry Store", "low": 10, "high": 25, "delay": 0}},
    {"rom": "610000000000C105", "on": false}]})";
const QByteArray kGsm = R"({"modem": "gsm"})";
const QByteArray kHayes =
    R"({"modem": "hayes", "numbers": {"5550200": {"centre": "ucp", "password": "secret"}}})";

// The modem's next accepted message; the first reading pass comes a tick after the start.
QJsonObject message(test::SimProcess& modem) {
    QDeadlineTimer limit(60000);
    QString line;
    while (line.isEmpty() && !limit.hasExpired())
        line = modem.nextLine();
    return QJsonDocument::fromJson(line.toUtf8()).object();
}

} // namespace

TEST(HeadlessNotification, AZoneAboveItsLimitReachesAGsmAndAUcpRecipient) {
    test::TempSite root;
    test::SimProcess bus(kBus);
    test::SimProcess gsm(kGsm, {}, test::SimProcess::File::Modem);
    test::SimProcess hayes(kHayes, {}, test::SimProcess::File::Modem);
    ASSERT_TRUE(bus.started() && gsm.started() && hayes.started());

    const QString site = test::createDemoSite(root, kBus);
    ASSERT_FALSE(site.isEmpty());
    {
        // The demo's recipient on the GSM modem, and a second one behind a UCP centre.
        store::Database db(store::DatabaseKind::Kvr);
        ASSERT_TRUE(db.open(site + "/KVR.db").ok());
        const store::CallAlarmStore list(db);
        auto rows = list.loadAll();
        ASSERT_TRUE(rows.ok() && rows->size() == 1U);
        store::CallAlarmRow mobile = rows->front();
        mobile.Device = gsm.ptyPath();
        ASSERT_TRUE(list.update(mobile).ok());
        store::CallAlarmRow centre = mobile;
        centre.CallID = 2;
        centre.SendType = "Provider";
        centre.Protocol = "UCP";
        centre.AccessNo = "5550200";
        centre.RecipientNo = "5550111";
        centre.Password = "secret";
        centre.Device = hayes.ptyPath();
        ASSERT_TRUE(list.insert(centre).ok());
    }
    test::pointAtPort(root, bus.ptyPath());

    test::KelvaraProcess kelvara(root.path());
    kelvara.start({"--site", site, "--headless"});
    const QString text = "Kelvara Dry Store  High Alarm  28C\r\n";
    EXPECT_EQ(message(gsm), (QJsonObject{{"via", "gsm"}, {"to", "5550100"}, {"text", text}}));
    EXPECT_EQ(message(hayes), (QJsonObject{{"via", "ucp"}, {"to", "5550111"}, {"text", text}}));

    ASSERT_TRUE(test::fileEventuallyEndsWith(site + "/SMTP.log", "DONE\r\n"))
        << kelvara.stdOut().toStdString();
    EXPECT_EQ(kelvara.terminate(), 0);
    EXPECT_FALSE(kelvara.stdErr().contains("QSocketNotifier"))
        << "the modem's port lives on a thread of Qt's";

    const QByteArray comms = test::TempSite::readFile(site + "/SMTP.log");
    EXPECT_EQ(comms.count("Send Successful!\r\n"), 2) << comms.toStdString();
    EXPECT_TRUE(comms.contains("Sending message to 5550111 , Please wait...\r\n"));
    EXPECT_FALSE(comms.contains("secret"));
    EXPECT_FALSE(test::TempSite::readFile(site + "/SMSLog.txt").contains("secret"));
    const QList<QByteArray> calls = test::TempSite::readFile(site + "/KVRComm.log").split('\n');
    EXPECT_EQ(calls.size(), 5) << "the titles, a line for each recipient";

    store::Database db(store::DatabaseKind::Kvr);
    ASSERT_TRUE(db.open(site + "/KVR.db").ok());
    const auto rows = store::CallAlarmStore(db).loadAll();
    ASSERT_TRUE(rows.ok());
    for (const store::CallAlarmRow& row : *rows) {
        EXPECT_EQ(row.Actual, 1) << row.RecipientNo.toStdString();
        EXPECT_EQ(row.Rooms, "1,");
    }
}
