#include "notify/CurlMailTransport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <cstring>
#include <curl/curl.h>
#include <mutex>

namespace kelvara::notify {

namespace {

// libcurl's global set-up, once for the process before the first transfer.
void initialiseCurl() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// What one transfer shares with libcurl's callbacks on the worker thread.
struct Transfer {
    QByteArray message;
    qsizetype sent = 0;
    int lastPercent = -1;
    const std::atomic<bool>* abandoned = nullptr;
    // Posts an event to the asking thread.
    std::function<void(std::function<void()>)> post;
    MailTransport::Events* events = nullptr;
};

size_t readMessage(char* buffer, size_t size, size_t count, void* data) {
    auto* transfer = static_cast<Transfer*>(data);
    const qsizetype room = static_cast<qsizetype>(size * count);
    const qsizetype length = std::min(room, transfer->message.size() - transfer->sent);
    std::memcpy(buffer, transfer->message.constData() + transfer->sent, static_cast<size_t>(length));
    transfer->sent += length;
    return static_cast<size_t>(length);
}

int progress(void* data, curl_off_t, curl_off_t, curl_off_t uploadTotal, curl_off_t uploaded) {
    auto* transfer = static_cast<Transfer*>(data);
    if (transfer->abandoned->load())
        return 1;
    if (uploadTotal > 0) {
        const int percent = static_cast<int>(uploaded * 100 / uploadTotal);
        if (percent != transfer->lastPercent) {
            transfer->lastPercent = percent;
            transfer->post([events = transfer->events, percent] {
                if (events->progress)
                    events->progress(percent);
            });
        }
    }
    return 0;
}

// The server's replies become status lines. What the client says is never passed on: the login is in it.
int trace(CURL*, curl_infotype type, char* data, size_t size, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    if (type != CURLINFO_HEADER_IN)
        return 0;
    const QString line = QString::fromUtf8(data, static_cast<qsizetype>(size)).trimmed();
    if (!line.isEmpty()) {
        transfer->post([events = transfer->events, line] {
            if (events->status)
                events->status(line);
        });
    }
    return 0;
}

QString explanation(CURLcode code, const char* details, const MailServer& server) {
    switch (code) {
    case CURLE_USE_SSL_FAILED:
        return QStringLiteral(
                   "The mail server %1 offers no encrypted connection, and the login is never sent "
                   "in clear to another machine.")
            .arg(server.host);
    case CURLE_OPERATION_TIMEDOUT:
        return QStringLiteral("The mail server %1 did not answer in time.").arg(server.host);
    case CURLE_ABORTED_BY_CALLBACK:
        return QStringLiteral("The send was abandoned.");
    default:
        break;
    }
    const QString words =
        details && *details ? QString::fromUtf8(details) : QString::fromUtf8(curl_easy_strerror(code));
    return words.trimmed();
}

base::Result<void> transfer(const MailJob& job, const CurlMailTransport::Limits& limits, Transfer& state) {
    initialiseCurl();
    CURL* curl = curl_easy_init();
    if (!curl)
        return base::fail(QStringLiteral("The mail library could not start."));
    char details[CURL_ERROR_SIZE] = {};
    const QByteArray url = job.server.url().toUtf8();
    const QByteArray from = ('<' + job.from + '>').toUtf8();
    const QByteArray to = ('<' + job.to + '>').toUtf8();
    const QByteArray user = job.server.loginId.toUtf8();
    const QByteArray password = job.server.password.toUtf8();
    const QByteArray caFile = QFile::encodeName(job.server.caFile);
    const QString connecting = QStringLiteral("Connecting to %1...").arg(job.server.url());
    state.post([events = state.events, connecting] {
        if (events->status)
            events->status(connecting);
    });
    curl_slist* recipients = curl_slist_append(nullptr, to.constData());

    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, details);
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients);
    curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(state.message.size()));
    curl_easy_setopt(curl, CURLOPT_READFUNCTION, readMessage);
    curl_easy_setopt(curl, CURLOPT_READDATA, &state);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &state);
    curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, trace);
    curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &state);
    curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectMs));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.wholeMailMs));
    // STARTTLS whenever the server offers it; insisted on when a login would otherwise go out in clear.
    curl_easy_setopt(curl, CURLOPT_USE_SSL,
                     static_cast<long>(job.server.tlsRequired ? CURLUSESSL_ALL : CURLUSESSL_TRY));
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!job.server.caFile.isEmpty() && QFileInfo::exists(job.server.caFile)) {
        // The site's authority beside the system's folder of certificates.
        curl_easy_setopt(curl, CURLOPT_CAINFO, caFile.constData());
        if (QFileInfo(QStringLiteral("/etc/ssl/certs")).isDir())
            curl_easy_setopt(curl, CURLOPT_CAPATH, "/etc/ssl/certs");
    }
    if (job.server.login) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, password.constData());
    }

    const CURLcode code = curl_easy_perform(curl);
    curl_slist_free_all(recipients);
    curl_easy_cleanup(curl);
    if (code != CURLE_OK)
        return base::fail(explanation(code, details, job.server), static_cast<int>(code));
    return {};
}

} // namespace

CurlMailTransport::CurlMailTransport(Limits limits)
    : m_limits(limits), m_call(std::make_unique<BackgroundCall>()) {}

CurlMailTransport::~CurlMailTransport() {
    m_call.reset();
}

void CurlMailTransport::send(const MailJob& job, Events events) {
    m_waiting.push_back({job, std::move(events)});
    if (!m_running)
        startNext();
}

void CurlMailTransport::startNext() {
    m_running = std::move(m_waiting.front());
    m_waiting.pop_front();
    auto outcome = std::make_shared<base::Result<void>>();
    auto state = std::make_shared<Transfer>();
    state->message = m_running->job.message;
    state->abandoned = &m_call->abandoned();
    state->events = &m_running->events;
    // The events reach the caller in order, before the end, and only while the transport is there.
    state->post = [home = m_call->home()](std::function<void()> event) {
        QMetaObject::invokeMethod(
            home, [event = std::move(event)] { event(); }, Qt::QueuedConnection);
    };
    const MailJob job = m_running->job;
    const Limits limits = m_limits;
    m_call->run([job, limits, state, outcome] { *outcome = transfer(job, limits, *state); },
                [this, outcome] {
                    Events events = std::move(m_running->events);
                    m_running.reset();
                    if (!m_waiting.empty())
                        startNext();
                    // Last: the caller may end this transport from within done.
                    if (events.done)
                        events.done(*outcome);
                });
}

} // namespace kelvara::notify
