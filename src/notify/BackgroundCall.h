#pragma once

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

namespace kelvara::notify {

// Runs one blocking piece of work (a dial, a mail transfer) on a thread of its own and hands the end back
// to the thread that asked, so a dead line or server never holds the event loop up.
class BackgroundCall {
public:
    BackgroundCall();
    // Asks the running work to give up (it watches abandoned()) and waits for it; its then never runs.
    ~BackgroundCall();

    BackgroundCall(const BackgroundCall&) = delete;
    BackgroundCall& operator=(const BackgroundCall&) = delete;

    // One call at a time: the caller starts the next one from then or later.
    void run(std::function<void()> work, std::function<void()> then);
    // Lives on the asking thread: what the work posts to it runs there, before then.
    [[nodiscard]] QObject* home() const { return m_home.get(); }
    [[nodiscard]] bool busy() const { return m_worker != nullptr; }
    // Set while the owner goes: long work checks it and stops early.
    [[nodiscard]] const std::atomic<bool>& abandoned() const { return m_abandon; }

private:
    std::unique_ptr<QObject> m_home;
    std::unique_ptr<QThread> m_worker;
    std::atomic<bool> m_abandon{false};
};

} // namespace kelvara::notify
