#include "notify/ModemSmsGateway.h"

#include "app/SystemClock.h"
#include "notify/ModemSend.h"
#include "notify/SmsError.h"
#include "sensornet/PortLists.h"
#include "sensornet/SystemSerialPort.h"

#include <QMetaObject>
#include <QThread>

namespace kelvara::notify {

sensornet::PortFactory ModemSmsGateway::defaultPorts() {
    return [] { return sensornet::makeSystemSerialPort(); };
}

ModemSmsGateway::ClockFactory ModemSmsGateway::defaultClocks() {
    return []() -> std::unique_ptr<base::Clock> { return std::make_unique<app::SystemClock>(); };
}

ModemSmsGateway::ModemSmsGateway(sensornet::PortFactory ports, ClockFactory clocks)
    : m_ports(std::move(ports)), m_clocks(std::move(clocks)), m_home(std::make_unique<QObject>()) {}

ModemSmsGateway::~ModemSmsGateway() {
    m_abandon = true;
    if (m_worker)
        m_worker->wait();
    // m_home goes after this, taking the outcome the worker may have posted with it.
}

void ModemSmsGateway::send(const SmsRequest& request, Done done) {
    m_waiting.push_back({request, std::move(done)});
    if (!m_running)
        startNext();
}

QStringList ModemSmsGateway::devices() const {
    return sensornet::systemSerialPorts();
}

void ModemSmsGateway::startNext() {
    m_running = std::move(m_waiting.front());
    m_waiting.pop_front();
    // A thread of Qt's own, as the serial port watches its device through the thread's event dispatcher.
    m_worker.reset(QThread::create([this, request = m_running->request] {
        SmsOutcome outcome;
        const std::unique_ptr<base::Clock> clock = m_clocks();
        if (std::unique_ptr<sensornet::SerialPort> port = m_ports())
            outcome = ModemSend(*port, *clock, &m_abandon).run(request);
        else
            outcome = {kSmsPortNotOpened, smsErrorText(kSmsPortNotOpened), {}};
        QMetaObject::invokeMethod(
            m_home.get(), [this, outcome] { finished(outcome); }, Qt::QueuedConnection);
    }));
    m_worker->start();
}

void ModemSmsGateway::finished(const SmsOutcome& outcome) {
    m_worker->wait();
    const Done done = std::move(m_running->done);
    m_running.reset();
    if (!m_waiting.empty())
        startNext();
    // Last: the caller may end this gateway from within done.
    if (done)
        done(outcome);
}

} // namespace kelvara::notify
