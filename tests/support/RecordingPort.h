#pragma once

#include "sensornet/SerialPort.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace kelvara::test {

// Passes everything on to another port (a real one on the simulator, or a scripted one) and notes each
// opening and every command written, also as a line of a journal shared with a recording pause.
class RecordingPort final : public sensornet::SerialPort {
public:
    explicit RecordingPort(sensornet::SerialPort& inner, QStringList* journal = nullptr)
        : m_inner(inner), m_journal(journal) {}

    [[nodiscard]] base::Result<void> open(const sensornet::LineSettings& settings) override;
    void close() override { m_inner.close(); }
    [[nodiscard]] bool isOpen() const override { return m_inner.isOpen(); }
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override { return m_inner.readAll(); }
    bool waitForReadyRead(int ms) override { return m_inner.waitForReadyRead(ms); }
    QString takeError() override { return m_inner.takeError(); }
    [[nodiscard]] bool failed() const override { return m_inner.failed(); }

    // The journal line of a write: "send " and the command, its carriage returns shown as \r.
    [[nodiscard]] static QString journalLine(const QByteArray& bytes);

    QList<QByteArray> written;
    int openings = 0;

private:
    sensornet::SerialPort& m_inner;
    QStringList* m_journal;
};

} // namespace kelvara::test
