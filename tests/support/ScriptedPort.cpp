#include "support/ScriptedPort.h"

#include "support/RecordingPort.h"

#include <algorithm>

namespace kelvara::test {

namespace {
constexpr int kSpinLimit = 1000;

class ForwardingPause final : public sensornet::Pause {
public:
    explicit ForwardingPause(sensornet::Pause& inner) : m_inner(inner) {}
    void wait(qint64 ms) override { m_inner.wait(ms); }

private:
    sensornet::Pause& m_inner;
};
} // namespace

std::unique_ptr<sensornet::SerialPort> ScriptedPort::handle() {
    return std::make_unique<RecordingPort>(*this);
}

std::unique_ptr<sensornet::Pause> ScriptedPort::pauseHandle() {
    return std::make_unique<ForwardingPause>(*this);
}

sensornet::PortFactory ScriptedPort::portFactory() {
    return [this] { return handle(); };
}

sensornet::PauseFactory ScriptedPort::pauseFactory() {
    return [this] { return pauseHandle(); };
}

void ScriptedPort::on(const QByteArray& command, const QByteArray& reply, qint64 afterMs) {
    on(command, std::vector<Chunk>{{reply, afterMs}});
}

void ScriptedPort::on(const QByteArray& command, std::vector<Chunk> reply) {
    Replies& r = m_replies[command];
    if (r.lastUsed && r.queue.size() == 1)
        r.queue.clear();
    r.queue.push_back(std::move(reply));
    r.lastUsed = false;
}

void ScriptedPort::failOpen(sensornet::PortFailure failure, const QString& text) {
    m_openFailure = failure;
    m_openFailureText = text;
}

base::Result<void> ScriptedPort::open(const sensornet::LineSettings& settings) {
    openings << settings;
    if (m_open)
        return sensornet::portFailure(sensornet::PortFailure::AlreadyOpen, QStringLiteral("already open"));
    if (m_openFailure != sensornet::PortFailure::None)
        return sensornet::portFailure(m_openFailure, m_openFailureText);
    m_open = true;
    return {};
}

void ScriptedPort::close() {
    m_open = false;
    m_failed = false;
    m_pending.clear();
    m_arrived.clear();
}

bool ScriptedPort::write(const QByteArray& bytes) {
    if (!m_open) {
        m_error = QStringLiteral("The port is not open.");
        return false;
    }
    written << bytes;
    const auto it = m_replies.find(bytes);
    if (it == m_replies.end() || it->queue.empty())
        return true;
    schedule(it->queue.front());
    if (it->queue.size() > 1)
        it->queue.pop_front();
    else
        it->lastUsed = true;
    return true;
}

void ScriptedPort::schedule(const std::vector<Chunk>& reply) {
    const qint64 now = m_clock.monotonicMs();
    for (const Chunk& c : reply)
        m_pending.push_back({c.bytes, now + c.afterMs});
    std::stable_sort(m_pending.begin(), m_pending.end(),
                     [](const Pending& a, const Pending& b) { return a.dueMs < b.dueMs; });
}

void ScriptedPort::collectDue() {
    const qint64 now = m_clock.monotonicMs();
    while (!m_pending.empty() && m_pending.front().dueMs <= now) {
        m_arrived += m_pending.front().bytes;
        m_pending.erase(m_pending.begin());
    }
}

QByteArray ScriptedPort::readAll() {
    if (!m_open)
        return {};
    if (++m_readsWithoutWait > kSpinLimit) {
        // Push the clock on so the reader's deadline ends the loop, and let the test know.
        spinDetected = true;
        m_clock.advance(1000);
    }
    if (!m_brokenWith.isEmpty()) {
        m_error = m_brokenWith;
        m_failed = true;
        return {}; // nothing comes from a device that is gone
    }
    collectDue();
    QByteArray out;
    out.swap(m_arrived);
    return out;
}

bool ScriptedPort::waitForReadyRead(int ms) {
    ++waits;
    m_readsWithoutWait = 0;
    if (!m_open)
        return false;
    if (!m_brokenWith.isEmpty()) {
        m_error = m_brokenWith;
        m_failed = true;
        m_clock.advance(ms);
        return false;
    }
    const qint64 now = m_clock.monotonicMs();
    if (!m_pending.empty() && m_pending.front().dueMs <= now + ms) {
        m_clock.advance(std::max<qint64>(0, m_pending.front().dueMs - now));
        collectDue();
        return true;
    }
    m_clock.advance(ms);
    return false;
}

QString ScriptedPort::takeError() {
    QString e;
    e.swap(m_error);
    return e;
}

void ScriptedPort::wait(qint64 ms) {
    pauses << ms;
    m_readsWithoutWait = 0;
    m_clock.advance(ms);
    if (duringPause)
        duringPause();
}

} // namespace kelvara::test
