// Injected faults that chance, time and the control channel decide, as a client sees them on the wire.
#include "SimHarness.h"

#include <gtest/gtest.h>

namespace kelvara::sim::test {

namespace {
const QByteArray kRom = "750000000000A128";

QByteArray faulty(const QByteArray& fault) {
    return scenarioWith(R"({"rom": "750000000000A128", "temperature": 25.0625, "fault": )" + fault +
                        R"(}, {"rom": "610000000000C105"})");
}
} // namespace

TEST(Faults, GarbledAnswerKeepsItsLengthAndLosesOneCharacter) {
    SimHarness clean(faulty(R"({"kind": "garbled", "probability": 0})"));
    SimHarness garbled(faulty(R"("garbled")"));
    for (const QByteArray& command : {"aA" + kRom + "\r", QByteArray("aW0144\r"), QByteArray("M"),
                                      QByteArray("aW0ABEFFFFFFFFFFFFFFFFFF\r")}) {
        const QByteArray expected = clean.send(command);
        const QByteArray got = garbled.send(command);
        ASSERT_EQ(got.size(), expected.size());
        int differences = 0;
        for (qsizetype i = 0; i < got.size(); ++i)
            differences += got[i] != expected[i] ? 1 : 0;
        EXPECT_EQ(differences, 1) << command.constData() << " gave " << got.constData();
        EXPECT_TRUE(got.endsWith('\r'));
    }
    // Answers about other devices stay whole.
    EXPECT_EQ(garbled.send("aA610000000000C105\r"), "610000000000C105\r");
}

TEST(Faults, OddsDecideEachAnswerOnItsOwnAndTheSameSeedDecidesAlike) {
    const QByteArray scenario = R"({"seed": 42, "devices": [{"rom": "750000000000A128", "temperature": 25,
                                    "fault": {"kind": "garbled", "probability": 0.5}}]})";
    SimHarness first(scenario);
    SimHarness second(scenario);
    int whole = 0;
    int damaged = 0;
    for (int i = 0; i < 100; ++i) {
        const QByteArray answer = first.send("aA" + kRom + "\r");
        (answer == kRom + "\r" ? whole : damaged)++;
        EXPECT_EQ(second.send("aA" + kRom + "\r"), answer) << i;
    }
    EXPECT_GT(whole, 0);
    EXPECT_GT(damaged, 0);
}

TEST(Faults, DelayedDeviceMakesItsAnswersLateButNotTheReset) {
    SimHarness sim(faulty(R"({"kind": "delay", "ms": 2500})"));
    const auto reset = sim.sim().feed("aR\r");
    ASSERT_EQ(reset.size(), 1u);
    EXPECT_EQ(reset[0].delayMs, 0);
    const auto select = sim.sim().feed("aA" + kRom + "\r");
    ASSERT_EQ(select.size(), 1u);
    EXPECT_EQ(select[0].delayMs, 2500);
    EXPECT_EQ(select[0].bytes, kRom + "\r");
    // The control channel sets another delay.
    EXPECT_EQ(sim.control("fault 750000000000A128 delay 1500"), "ok");
    EXPECT_EQ(sim.sim().feed("aA" + kRom + "\r").at(0).delayMs, 1500);
}

TEST(Faults, FaultWindowFollowsTheScenarioClock) {
    SimHarness sim(faulty(R"({"kind": "absent", "from": 10, "until": 20})"));
    for (const auto& [time, present] :
         {std::pair{"time 5", true}, {"time 10", false}, {"time 19.9", false}, {"time 20", true}}) {
        EXPECT_EQ(sim.control(time), "ok");
        EXPECT_EQ(sim.send("aF28\r"), present ? kRom + "\r" : "\r") << time;
    }
}

TEST(Faults, ControlledFaultsAndASilentAdapterComeAndGo) {
    SimHarness sim(
        R"({"adapter": "silent", "devices": [{"rom": "750000000000A128"}, {"rom": "610000000000C105"}]})");
    EXPECT_EQ(sim.send("aR\raA610000000000C105\raS\r"), "");
    EXPECT_EQ(sim.control("adapter normal"), "ok");
    EXPECT_EQ(sim.send("aR\r"), "P\r");
    // Nothing reached the bus while it was silent.
    EXPECT_EQ(sim.send("aC,FF\r"), "\r");

    EXPECT_EQ(sim.control("fault 750000000000A128 absent"), "ok");
    EXPECT_EQ(sim.send("aF28\r"), "\r");
    EXPECT_EQ(sim.control("fault 750000000000A128 none"), "ok");
    EXPECT_EQ(sim.send("aF28\r"), kRom + "\r");
}

} // namespace kelvara::sim::test
