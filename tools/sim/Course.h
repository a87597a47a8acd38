#pragma once

#include "sim/Random.h"

#include <QJsonValue>
#include <QString>
#include <optional>
#include <vector>

namespace kelvara::sim {

// A temperature as a function of the scenario clock (seconds): constant, ramp, steps or sine, with optional
// uniform noise drawn from the scenario's generator.
class Course {
public:
    enum class Kind { Constant, Ramp, Steps, Sine };
    struct Step {
        double at = 0.0;
        double value = 0.0;
    };

    Course() = default;
    [[nodiscard]] static Course constant(double value);
    // From `from` until `start`, then linear to `to` over `seconds`, then held.
    [[nodiscard]] static Course ramp(double from, double to, double seconds, double start = 0.0);
    // Each step's value holds from its time on; before the first step the first value holds.
    [[nodiscard]] static Course steps(std::vector<Step> steps);
    [[nodiscard]] static Course sine(double mean, double amplitude, double period, double phaseDegrees = 0.0);
    [[nodiscard]] Course withNoise(double amplitude) const;

    // A number is a constant course; an object names its "kind" (see the simulator's README).
    [[nodiscard]] static std::optional<Course> fromJson(const QJsonValue& value, QString* error);

    [[nodiscard]] Kind kind() const { return m_kind; }
    [[nodiscard]] double valueAt(double seconds) const;
    // The value with noise; draws from the generator only when the course has noise.
    [[nodiscard]] double sample(double seconds, Random& random) const;

private:
    Kind m_kind = Kind::Constant;
    double m_a = 0.0; // constant value, ramp start value, sine mean
    double m_b = 0.0; // ramp end value, sine amplitude
    double m_c = 0.0; // ramp duration, sine period
    double m_d = 0.0; // ramp start time, sine phase in degrees
    double m_noise = 0.0;
    std::vector<Step> m_steps;
};

} // namespace kelvara::sim
