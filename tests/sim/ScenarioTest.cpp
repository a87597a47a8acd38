// Scenario files, temperature courses and the control commands that change a running scenario.
#include "SimHarness.h"
#include "sim/Course.h"

#include <QJsonDocument>
#include <gtest/gtest.h>
#include <set>

namespace kelvara::sim::test {

struct CourseCase {
    const char* name;
    const char* json;
    double seconds;
    double expected;
};

class Courses : public ::testing::TestWithParam<CourseCase> {};

TEST_P(Courses, GiveTheTemperatureAtATime) {
    const CourseCase& c = GetParam();
    QString error;
    const auto course = Course::fromJson(QJsonDocument::fromJson(c.json).object(), &error);
    ASSERT_TRUE(course) << error.toStdString();
    EXPECT_NEAR(course->valueAt(c.seconds), c.expected, 1e-9);
}

const char* const kRamp = R"({"kind": "ramp", "from": 20, "to": 80, "seconds": 60, "start": 30})";
// Steps given out of order.
const char* const kSteps =
    R"({"kind": "steps", "steps": [{"at": 60, "temperature": 9}, {"at": 10, "temperature": 3}]})";
const char* const kSine = R"({"kind": "sine", "mean": 5, "amplitude": 2, "period": 100})";

INSTANTIATE_TEST_SUITE_P(
    Kinds, Courses,
    ::testing::Values(CourseCase{"Constant", R"({"kind": "constant", "temperature": 4.5})", 1000, 4.5},
                      CourseCase{"RampBeforeStart", kRamp, 10, 20}, CourseCase{"RampHalfway", kRamp, 60, 50},
                      CourseCase{"RampHeldAtItsEnd", kRamp, 600, 80},
                      CourseCase{"StepsBeforeTheFirst", kSteps, 0, 3},
                      CourseCase{"StepsOnAStep", kSteps, 60, 9}, CourseCase{"StepsBetween", kSteps, 59.9, 3},
                      CourseCase{"SineAtAQuarterPeriod", kSine, 25, 7},
                      CourseCase{"SineWithPhase",
                                 R"({"kind": "sine", "mean": 5, "amplitude": 2, "period": 100, "phase": 90})",
                                 0, 7}),
    [](const ::testing::TestParamInfo<CourseCase>& info) { return std::string(info.param.name); });

TEST(Courses, NoiseStaysWithinItsAmplitude) {
    const Course course = Course::constant(10).withNoise(0.5);
    Random random(7);
    double lowest = 10;
    double highest = 10;
    for (int i = 0; i < 1000; ++i) {
        const double v = course.sample(0, random);
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
    }
    EXPECT_GE(lowest, 9.5);
    EXPECT_LE(highest, 10.5);
    EXPECT_LT(lowest, 9.9);
    EXPECT_GT(highest, 10.1);
}

TEST(ScenarioFile, WarnsAboutAnIdWhoseCrcIsWrongAndKeepsIt) {
    QString error;
    const auto scenario = Scenario::fromJson(R"({"devices": [{"rom": "000000000000A128"}]})", &error);
    ASSERT_TRUE(scenario);
    EXPECT_EQ(scenario->devices[0].rom.text(), "000000000000A128");
    ASSERT_EQ(scenario->warnings.size(), 1);
    EXPECT_TRUE(scenario->warnings[0].contains("750000000000A128"));
}

TEST(ScenarioFile, ShippedDemoLoadsWithValidIdsAndEveryModel) {
    QString error;
    const auto scenario = Scenario::fromFile(QStringLiteral(KELVARA_SIM_DEMO), &error);
    ASSERT_TRUE(scenario) << error.toStdString();
    EXPECT_TRUE(scenario->warnings.isEmpty()) << scenario->warnings.join(' ').toStdString();
    std::set<std::uint8_t> families;
    for (const DeviceConfig& device : scenario->devices)
        families.insert(device.rom.family());
    EXPECT_EQ(families, (std::set<std::uint8_t>{0x05, 0x10, 0x28, 0x30}));
}

struct RejectCase {
    const char* name;
    const char* json;
    const char* message;
};

class ScenarioRejects : public ::testing::TestWithParam<RejectCase> {};

TEST_P(ScenarioRejects, NamesWhatIsWrong) {
    QString error;
    EXPECT_FALSE(Scenario::fromJson(GetParam().json, &error));
    EXPECT_TRUE(error.contains(QLatin1String(GetParam().message))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, ScenarioRejects,
    ::testing::Values(
        RejectCase{"NotJson", "{devices", "not valid JSON"},
        RejectCase{"NoDevices", R"({"seed": 1})", "\"devices\""},
        RejectCase{"ShortRom", R"({"devices": [{"rom": "7500"}]})", "16 hexadecimal"},
        RejectCase{"TwiceTheSameRom",
                   R"({"devices": [{"rom": "750000000000A128"}, {"rom": "750000000000a128"}]})", "twice"},
        RejectCase{"UnknownType", R"({"devices": [{"rom": "E70000000000D130", "type": "Q"}]})",
                   "thermocouple type"},
        RejectCase{"UnknownFault", R"({"devices": [{"rom": "750000000000A128", "fault": "hot"}]})",
                   "unknown fault"},
        RejectCase{"DelayWithoutTime", R"({"devices": [{"rom": "750000000000A128", "fault": "delay"}]})",
                   "\"ms\""},
        RejectCase{"UnknownCourse",
                   R"({"devices": [{"rom": "750000000000A128", "course": {"kind": "zigzag"}}]})", "zigzag"},
        RejectCase{"BadAdapter", R"({"adapter": "sleepy", "devices": []})", "\"adapter\""},
        RejectCase{"NegativeConversionScale", R"({"conversionScale": -1, "devices": []})",
                   "conversionScale"}),
    [](const ::testing::TestParamInfo<RejectCase>& info) { return std::string(info.param.name); });

TEST(Control, ChangesAndReadsBackARunningScenario) {
    SimHarness sim(scenarioWith(R"({"rom": "750000000000A128", "temperature": 25.0625},
                                  {"rom": "610000000000C105", "on": false},
                                  {"rom": "E70000000000D130", "type": "K", "temperature": 100})"));
    // A switch the bus toggled, read back and set off again.
    EXPECT_EQ(sim.control("get 610000000000C105"), "610000000000C105 off");
    sim.send("aA610000000000C105\r");
    EXPECT_EQ(sim.control("get 610000000000c105"), "610000000000C105 on");
    EXPECT_EQ(sim.control("set 610000000000C105 off"), "ok");
    EXPECT_EQ(sim.send("aC,FF\r"), "\r");

    // A new temperature shows in the next conversion; a course follows the held clock.
    EXPECT_EQ(sim.control("set 750000000000A128 temperature -10.125"), "ok");
    EXPECT_EQ(sim.control("get 750000000000A128"), "750000000000A128 -10.125");
    EXPECT_EQ(sim.convertAndRead("750000000000A128").left(4), "5EFF");
    EXPECT_EQ(
        sim.control(R"(set 750000000000A128 course {"kind": "ramp", "from": 0, "to": 100, "seconds": 100})"),
        "ok");
    EXPECT_EQ(sim.control("time 25"), "ok");
    EXPECT_EQ(sim.control("time"), "25");
    EXPECT_EQ(sim.convertAndRead("750000000000A128").left(4), "9001");
    EXPECT_EQ(sim.control("time real"), "ok");

    EXPECT_EQ(sim.control("set E70000000000D130 coldjunction 20"), "ok");
    EXPECT_EQ(sim.control("get E70000000000D130"), "E70000000000D130 100 20");

    EXPECT_EQ(sim.control(R"(add {"rom": "0A0000000000E105", "on": true})"), "ok");
    EXPECT_EQ(sim.send("aC,FF\r"), "0A0000000000E105\r\r");
    EXPECT_EQ(sim.control("remove 0A0000000000E105"), "ok");
    EXPECT_EQ(sim.send("aC,FF\r"), "\r");

    // The valid id for any family and serial.
    EXPECT_EQ(sim.control("crc 000000000000A128"), "750000000000A128");
    EXPECT_EQ(sim.control("crc 750000000000A128"), "750000000000A128");
}

struct ControlError {
    const char* line;
    const char* message;
};

void PrintTo(const ControlError& e, std::ostream* os) {
    *os << e.line;
}

class ControlErrors : public ::testing::TestWithParam<ControlError> {};

TEST_P(ControlErrors, AnswerWithTheReason) {
    SimHarness sim(scenarioWith(R"({"rom": "750000000000A128"}, {"rom": "610000000000C105"})"));
    const QString reply = sim.control(GetParam().line);
    EXPECT_TRUE(reply.startsWith("error: ")) << reply.toStdString();
    EXPECT_TRUE(reply.contains(QLatin1String(GetParam().message))) << reply.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Lines, ControlErrors,
                         ::testing::Values(ControlError{"launch", "unknown command"},
                                           ControlError{"get 7500", "not a ROM id"},
                                           ControlError{"get 0A0000000000E105", "no device"},
                                           ControlError{"set 750000000000A128 on", "not a switch"},
                                           ControlError{"set 610000000000C105 temperature 3", "has no"},
                                           ControlError{"fault 750000000000A128 delay", "milliseconds"},
                                           ControlError{"fault 750000000000A128 garbled 2", "probability"},
                                           ControlError{"adapter asleep", "normal, silent or closed"}));

} // namespace kelvara::sim::test
