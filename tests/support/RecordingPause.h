#pragma once

#include "sensornet/EventLoopPause.h"
#include "sensornet/Pause.h"

#include <QList>
#include <QStringList>
#include <algorithm>

namespace kelvara::test {

// Notes every wait the code asks for (also in a journal shared with a recording port) but only waits a few
// tens of milliseconds in a local event loop, long enough for a simulator's answer to come in.
class RecordingPause final : public sensornet::Pause {
public:
    explicit RecordingPause(QStringList* journal = nullptr, qint64 shortWaitMs = 50)
        : m_journal(journal), m_shortWaitMs(shortWaitMs) {}

    void wait(qint64 ms) override {
        requested << ms;
        if (m_journal)
            *m_journal << QStringLiteral("pause %1").arg(ms);
        m_real.wait(std::min(ms, m_shortWaitMs));
    }

    QList<qint64> requested;

private:
    QStringList* m_journal;
    qint64 m_shortWaitMs;
    sensornet::EventLoopPause m_real;
};

} // namespace kelvara::test
