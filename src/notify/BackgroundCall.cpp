#include "notify/BackgroundCall.h"

#include <QMetaObject>

namespace kelvara::notify {

BackgroundCall::BackgroundCall() : m_home(std::make_unique<QObject>()) {}

BackgroundCall::~BackgroundCall() {
    m_abandon = true;
    if (m_worker)
        m_worker->wait();
    // m_home goes after this, taking the end the worker may have posted with it.
}

void BackgroundCall::run(std::function<void()> work, std::function<void()> then) {
    // A thread of Qt's own, so a QProcess or a socket in the work has an event dispatcher.
    m_worker.reset(QThread::create([this, work = std::move(work), then = std::move(then)]() mutable {
        work();
        QMetaObject::invokeMethod(
            m_home.get(),
            [this, then = std::move(then)] {
                m_worker->wait();
                m_worker.reset();
                // Last: then may start the next call or end the owner.
                if (then)
                    then();
            },
            Qt::QueuedConnection);
    }));
    m_worker->start();
}

} // namespace kelvara::notify
