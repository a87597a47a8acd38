#pragma once

#include "notify/BackgroundCall.h"
#include "notify/MailTransport.h"

#include <deque>
#include <memory>
#include <optional>

namespace kelvara::notify {

// Hands mail to the server with libcurl's SMTP: STARTTLS when the server offers it (or TLS from the start),
// certificates verified, a login when asked. Each transfer runs on a worker thread of its own, one at a
// time, bounded by its limits; its events come back on the thread the transport was made in.
class CurlMailTransport final : public MailTransport {
public:
    struct Limits {
        int connectMs = 30000;    // to reach the server and finish the TLS handshake
        int wholeMailMs = 120000; // the whole transfer
    };

    CurlMailTransport() : CurlMailTransport(Limits()) {}
    explicit CurlMailTransport(Limits limits);
    // Abandons a running transfer (its done never runs) and waits for its thread.
    ~CurlMailTransport() override;

    CurlMailTransport(const CurlMailTransport&) = delete;
    CurlMailTransport& operator=(const CurlMailTransport&) = delete;

    void send(const MailJob& job, Events events) override;

private:
    struct Queued {
        MailJob job;
        Events events;
    };
    void startNext();

    Limits m_limits;
    std::deque<Queued> m_waiting;
    std::optional<Queued> m_running;
    // Last: it goes first, so a transfer still running ends before the queue does.
    std::unique_ptr<BackgroundCall> m_call;
};

} // namespace kelvara::notify
