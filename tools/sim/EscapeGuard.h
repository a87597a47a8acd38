#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace kelvara::sim {

// Spots the escape from data mode: a second of silence, "+++", and another second of silence. Plus signs
// that may start an escape are held back; when more data follows they go on to the far end after all.
class EscapeGuard {
public:
    static constexpr double kGuardSeconds = 1.0;
    // The silence before the escape may look this much shorter: the time a byte is stamped with is when the
    // simulator got round to reading it.
    static constexpr double kSlackSeconds = 0.1;

    // A data call starts (or resumes) at `nowSeconds`; that counts as the last byte seen.
    void start(double nowSeconds);
    // The caller's bytes; returns those that go on to the far end.
    [[nodiscard]] QByteArray take(QByteArrayView bytes, double nowSeconds);
    // When the escape is complete if nothing else comes.
    [[nodiscard]] std::optional<double> completesAt() const;
    // The escape is complete at `nowSeconds`; then the guard starts over.
    [[nodiscard]] bool escaped(double nowSeconds);

private:
    double m_last = 0.0;
    int m_plus = 0;
};

} // namespace kelvara::sim
