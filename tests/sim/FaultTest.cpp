// Injected faults as a client sees them on the wire.
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

TEST(Faults, AbsentDeviceLeavesTheSearchAndReadsAllOnes) {
    SimHarness sim(faulty(R"("absent")"));
    EXPECT_EQ(sim.send("aS,FF\r"), "610000000000C105\r\r");
    // The adapter echoes what it sent whether or not anybody listened.
    EXPECT_EQ(sim.send("aA" + kRom + "\r"), kRom + "\r");
    EXPECT_EQ(sim.convertAndRead(kRom), "FFFFFFFFFFFFFFFFFF");
}

TEST(Faults, AbsentLastDeviceLeavesNoPresencePulse) {
    SimHarness sim(scenarioWith(R"({"rom": "750000000000A128", "fault": "absent"})"));
    EXPECT_EQ(sim.send("aR\r"), "N\r");
    EXPECT_EQ(sim.send("aS\r"), "\r");
}

TEST(Faults, AllFDeviceIsFoundButDrivesNoData) {
    SimHarness sim(faulty(R"("allf")"));
    EXPECT_EQ(sim.send("aF28\r"), kRom + "\r");
    EXPECT_EQ(sim.convertAndRead(kRom), "FFFFFFFFFFFFFFFFFF");
}

TEST(Faults, PowerOnFaultLeavesEightyFiveDegreesAfterAConversion) {
    SimHarness sixteenth(faulty(R"("poweron")"));
    EXPECT_EQ(sixteenth.convertAndRead(kRom).left(4), "5005");
    SimHarness half(scenarioWith(R"({"rom": "D90000000000B210", "temperature": 20, "fault": "poweron"})"));
    EXPECT_EQ(half.convertAndRead("D90000000000B210").left(4), "AA00");
}

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

TEST(Faults, TheSameSeedGarblesTheSameWay) {
    const QByteArray scenario = R"({"seed": 42, "devices": [{"rom": "750000000000A128", "temperature": 25,
                                    "fault": {"kind": "garbled", "probability": 0.5}}]})";
    SimHarness first(scenario);
    SimHarness second(scenario);
    QByteArray a;
    QByteArray b;
    for (int i = 0; i < 50; ++i) {
        a += first.convertAndRead(kRom);
        b += second.convertAndRead(kRom);
    }
    EXPECT_EQ(a, b);
}

TEST(Faults, OddsDecideEachAnswerOnItsOwn) {
    SimHarness sim(faulty(R"({"kind": "garbled", "probability": 0.5})"));
    int whole = 0;
    int damaged = 0;
    for (int i = 0; i < 100; ++i)
        (sim.send("aA" + kRom + "\r") == kRom + "\r" ? whole : damaged)++;
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
}

TEST(Faults, FaultWindowFollowsTheScenarioClock) {
    SimHarness sim(faulty(R"({"kind": "absent", "from": 10, "until": 20})"));
    const auto found = [&] { return sim.send("aF28\r") == kRom + "\r"; };
    sim.sim().freezeTime(5);
    EXPECT_TRUE(found());
    sim.sim().freezeTime(10);
    EXPECT_FALSE(found());
    sim.sim().freezeTime(19.9);
    EXPECT_FALSE(found());
    sim.sim().freezeTime(20);
    EXPECT_TRUE(found());
}

TEST(Faults, SilentAdapterTakesCommandsAndAnswersNone) {
    SimHarness sim(R"({"adapter": "silent", "devices": [{"rom": "610000000000C105"}]})");
    EXPECT_EQ(sim.send("aR\raA610000000000C105\raS\r"), "");
    sim.sim().adapter().setMode(AdapterMode::Normal);
    EXPECT_EQ(sim.send("aR\r"), "P\r");
    // Nothing reached the bus while it was silent.
    EXPECT_EQ(sim.send("aC,FF\r"), "\r");
}

} // namespace kelvara::sim::test
