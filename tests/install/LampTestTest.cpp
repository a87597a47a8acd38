// The lamp tests of both panels over a scripted adapter: which commands go out, with a second's pause after
// each switching, and that a test without a lamp or without a port sends nothing.
#include "install/LampTest.h"

#include "app/ComPortSettings.h"
#include "app/UserSettings.h"
#include "support/RecordingPort.h"
#include "support/SiteBench.h"

#include <functional>
#include <gtest/gtest.h>
#include <ostream>

using namespace kelvara;

namespace {

const QString kLamps[] = {"610000000000C105", "620000000000D205", "630000000000E305"};

// Closing, a second's wait, opening and the adapter reset with its second.
const QStringList kAdapterReset{"pause 1000", "send aR\\r", "pause 1000"};

// One of the four tests, run with the port settings the alarm panel's tests read.
using Run = std::function<bool(install::LampTest&, const app::UserSettings&)>;

struct LampCase {
    const char* name;
    Run run;
    bool portOpens;
    QStringList expected; // the journal of sends and pauses
};

void PrintTo(const LampCase& c, std::ostream* os) {
    *os << c.name;
}

// Each lamp switched `times` times, a second's pause after each.
QStringList switchings(const QStringList& serials, int times) {
    QStringList lines;
    for (const QString& serial : serials) {
        for (int i = 0; i < times; ++i)
            lines << "send aA" + serial + "\\r"
                  << "pause 1000";
    }
    return lines;
}

class LampTestCase : public ::testing::TestWithParam<LampCase>, protected test::ScriptedAdapter {
protected:
    LampTestCase() : ScriptedAdapter(sensornet::ExchangeRules::panelSetup()) {
        settings.save("Properties", "Settings", "115200,n,8,1");
        settings.save("Properties", "PortName", "/dev/scripted");
        port.on("aR\r", "P\r", 5);
        // The sends in the order they went out, each pause in its place among them.
        port.duringPause = [this] {
            takeSends();
            journal << QStringLiteral("pause %1").arg(port.pauses.last());
        };
    }
    void takeSends() {
        for (; m_sends < port.written.size(); ++m_sends)
            journal << test::RecordingPort::journalLine(port.written[m_sends]);
    }

    test::TempSite site;
    app::UserSettings settings{site.file("user.ini")};
    QStringList journal;

private:
    qsizetype m_sends = 0;
};

TEST_P(LampTestCase, SendsEachLampItsSwitchingsASecondApart) {
    const LampCase& c = GetParam();
    if (!c.portOpens)
        port.failOpen(sensornet::PortFailure::NotFound);
    // The cook sensor window takes the port settings when it loads.
    ASSERT_EQ(link.configurePort(app::readLineSettings(settings)), sensornet::ConfigureOutcome::Configured);
    install::LampTest lampTest(link, test::ha5Commands());
    const bool tested = c.run(lampTest, settings);
    takeSends();

    EXPECT_EQ(journal, c.expected);
    const qsizetype switched = c.expected.filter("send aA").size();
    EXPECT_EQ(tested, switched > 0);
    EXPECT_EQ(lampTest.switchings(), switched);
    EXPECT_FALSE(port.isOpen());
    if (c.portOpens) {
        EXPECT_TRUE(dialogs.texts.isEmpty()) << dialogs.texts.join('\n').toStdString();
    } else {
        EXPECT_EQ(dialogs.texts, QStringList{sensornet::AdapterLink::kCheckPortMessage + "8002"});
    }
}

// The alarm panel's lamps four times each (as they were), one alarm lamp five times (the other way round),
// the cook lamps six times; a zone without a lamp switch is passed over rather than addressing nobody.
INSTANTIATE_TEST_SUITE_P(
    Cases, LampTestCase,
    ::testing::Values(
        LampCase{"AlarmPanel",
                 [](auto& test, auto& settings) {
                     return test.alarmPanel(settings, {kLamps[0], QString(), kLamps[1], kLamps[2]});
                 },
                 true,
                 kAdapterReset + QStringList{"send aR\\r"} +
                     switchings({kLamps[0], kLamps[1], kLamps[2]}, 4)},
        LampCase{"AlarmLamp", [](auto& test, auto& settings) { return test.alarmLamp(settings, kLamps[1]); },
                 true, kAdapterReset + QStringList{"send aR\\r"} + switchings({kLamps[1]}, 5)},
        LampCase{"CookPanel",
                 [](auto& test, auto&) {
                     return test.cookPanel({kLamps[0], kLamps[2]});
                 },
                 true,
                 kAdapterReset + QStringList{"send aR\\r", "pause 1000"} +
                     switchings({kLamps[0], kLamps[2]}, 6)},
        LampCase{"CookLamp", [](auto& test, auto&) { return test.cookLamp(kLamps[2]); }, true,
                 kAdapterReset + switchings({kLamps[2]}, 6)},
        LampCase{"AlarmLampWithoutASwitch",
                 [](auto& test, auto& settings) { return test.alarmLamp(settings, {}); },
                 true,
                 {}},
        LampCase{"CookLampWithoutASwitch", [](auto& test, auto&) { return test.cookLamp("  "); }, true, {}},
        LampCase{"APortThatWillNotOpen",
                 [](auto& test, auto& settings) { return test.alarmPanel(settings, {kLamps[0]}); },
                 false,
                 {"pause 1000"}}));

} // namespace
