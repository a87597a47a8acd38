#pragma once

#include "notify/SmsGateway.h"

#include <deque>
#include <vector>

namespace kelvara::test {

// A gateway whose sends end when the test says so, in the order they were started.
class FakeSmsGateway final : public notify::SmsGateway {
public:
    void send(const notify::SmsRequest& request, Done done) override {
        requests.push_back(request);
        m_pending.push_back(std::move(done));
    }
    [[nodiscard]] QStringList devices() const override { return {}; }

    [[nodiscard]] std::size_t pending() const { return m_pending.size(); }
    // Ends the oldest send that is going with this result (0: sent).
    void finish(int result = 0, const QString& providerResponse = {}) {
        Done done = std::move(m_pending.front());
        m_pending.pop_front();
        done(notify::SmsOutcome{result, QStringLiteral("error %1").arg(result), providerResponse});
    }
    void finishAll(int result = 0) {
        while (!m_pending.empty())
            finish(result);
    }

    std::vector<notify::SmsRequest> requests;

private:
    std::deque<Done> m_pending;
};

} // namespace kelvara::test
