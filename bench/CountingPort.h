#pragma once

#include "sensornet/SerialPort.h"

namespace kelvara::bench {

// Passes everything to a real port and counts the bytes that cross the line both ways.
class CountingPort final : public sensornet::SerialPort {
public:
    explicit CountingPort(sensornet::SerialPort& inner) : m_inner(inner) {}

    [[nodiscard]] base::Result<void> open(const sensornet::LineSettings& s) override {
        return m_inner.open(s);
    }
    void close() override { m_inner.close(); }
    [[nodiscard]] bool isOpen() const override { return m_inner.isOpen(); }
    bool write(const QByteArray& bytes) override {
        written += bytes.size();
        return m_inner.write(bytes);
    }
    QByteArray readAll() override {
        const QByteArray bytes = m_inner.readAll();
        read += bytes.size();
        return bytes;
    }
    bool waitForReadyRead(int ms) override { return m_inner.waitForReadyRead(ms); }
    QString takeError() override { return m_inner.takeError(); }
    [[nodiscard]] bool failed() const override { return m_inner.failed(); }

    qint64 written = 0;
    qint64 read = 0;

private:
    sensornet::SerialPort& m_inner;
};

} // namespace kelvara::bench
