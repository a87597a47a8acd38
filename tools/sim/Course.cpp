#include "sim/Course.h"

#include <QJsonArray>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace kelvara::sim {

namespace {

bool fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

// Reads a required number key; reports the key when it is missing or not a number.
bool number(const QJsonObject& object, const char* key, double* out, QString* error) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isDouble())
        return fail(error, QStringLiteral("course needs a number \"%1\"").arg(QLatin1String(key)));
    *out = value.toDouble();
    return true;
}

double optionalNumber(const QJsonObject& object, const char* key, double fallback) {
    return object.value(QLatin1String(key)).toDouble(fallback);
}

} // namespace

Course Course::constant(double value) {
    Course c;
    c.m_kind = Kind::Constant;
    c.m_a = value;
    return c;
}

Course Course::ramp(double from, double to, double seconds, double start) {
    Course c;
    c.m_kind = Kind::Ramp;
    c.m_a = from;
    c.m_b = to;
    c.m_c = seconds;
    c.m_d = start;
    return c;
}

Course Course::steps(std::vector<Step> steps) {
    Course c;
    c.m_kind = Kind::Steps;
    std::stable_sort(steps.begin(), steps.end(), [](const Step& l, const Step& r) { return l.at < r.at; });
    c.m_steps = std::move(steps);
    return c;
}

Course Course::sine(double mean, double amplitude, double period, double phaseDegrees) {
    Course c;
    c.m_kind = Kind::Sine;
    c.m_a = mean;
    c.m_b = amplitude;
    c.m_c = period;
    c.m_d = phaseDegrees;
    return c;
}

Course Course::withNoise(double amplitude) const {
    Course c = *this;
    c.m_noise = std::abs(amplitude);
    return c;
}

std::optional<Course> Course::fromJson(const QJsonValue& value, QString* error) {
    if (value.isDouble())
        return constant(value.toDouble());
    if (!value.isObject()) {
        fail(error, QStringLiteral("a course is a number or an object"));
        return std::nullopt;
    }
    const QJsonObject o = value.toObject();
    const QString kind = o.value(QLatin1String("kind")).toString();
    Course course;
    if (kind == QLatin1String("constant")) {
        double v = 0;
        if (!number(o, "temperature", &v, error))
            return std::nullopt;
        course = constant(v);
    } else if (kind == QLatin1String("ramp")) {
        double from = 0, to = 0, seconds = 0;
        if (!number(o, "from", &from, error) || !number(o, "to", &to, error) ||
            !number(o, "seconds", &seconds, error))
            return std::nullopt;
        course = ramp(from, to, seconds, optionalNumber(o, "start", 0.0));
    } else if (kind == QLatin1String("steps")) {
        const QJsonArray array = o.value(QLatin1String("steps")).toArray();
        std::vector<Step> steps;
        for (const QJsonValue& entry : array) {
            const QJsonObject s = entry.toObject();
            Step step;
            if (!number(s, "at", &step.at, error) || !number(s, "temperature", &step.value, error))
                return std::nullopt;
            steps.push_back(step);
        }
        if (steps.empty()) {
            fail(error, QStringLiteral("a steps course needs at least one step"));
            return std::nullopt;
        }
        course = Course::steps(std::move(steps));
    } else if (kind == QLatin1String("sine")) {
        double mean = 0, amplitude = 0, period = 0;
        if (!number(o, "mean", &mean, error) || !number(o, "amplitude", &amplitude, error) ||
            !number(o, "period", &period, error))
            return std::nullopt;
        if (period <= 0) {
            fail(error, QStringLiteral("a sine course needs a positive period"));
            return std::nullopt;
        }
        course = sine(mean, amplitude, period, optionalNumber(o, "phase", 0.0));
    } else {
        fail(error, QStringLiteral("unknown course kind \"%1\"").arg(kind));
        return std::nullopt;
    }
    return course.withNoise(optionalNumber(o, "noise", 0.0));
}

double Course::valueAt(double seconds) const {
    switch (m_kind) {
    case Kind::Constant:
        return m_a;
    case Kind::Ramp:
        if (seconds <= m_d)
            return m_a;
        if (m_c <= 0 || seconds >= m_d + m_c)
            return m_b;
        return m_a + (m_b - m_a) * (seconds - m_d) / m_c;
    case Kind::Steps: {
        double value = m_steps.front().value;
        for (const Step& step : m_steps) {
            if (step.at > seconds)
                break;
            value = step.value;
        }
        return value;
    }
    case Kind::Sine:
        return m_a + m_b * std::sin(2.0 * std::numbers::pi * (seconds / m_c + m_d / 360.0));
    }
    return m_a;
}

double Course::sample(double seconds, Random& random) const {
    const double value = valueAt(seconds);
    if (m_noise <= 0)
        return value;
    return value + (2.0 * random.unit() - 1.0) * m_noise;
}

} // namespace kelvara::sim
