// The serial port over a real pseudo-terminal whose far end the test holds: what readAll collects
// without a wait, that a wait brings the bytes in, and which of the driver's errors are failures.
#include "sensornet/QtSerialPort.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace kelvara;

namespace {

class QtSerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(master, 0);
        ASSERT_EQ(::grantpt(master), 0);
        ASSERT_EQ(::unlockpt(master), 0);
        sensornet::LineSettings settings;
        settings.portName = QString::fromLocal8Bit(::ptsname(master));
        const base::Result<void> opened = port.open(settings);
        ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
        // A second handle on the same terminal counts what the driver holds without taking it.
        observer = ::open(::ptsname(master), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(observer, 0);
    }
    void TearDown() override {
        port.close();
        if (observer >= 0)
            ::close(observer);
        if (master >= 0)
            ::close(master);
    }

    // Sends from the device's end and waits until the terminal's driver holds the bytes.
    bool deviceSends(const QByteArray& bytes) {
        if (::write(master, bytes.constData(), static_cast<size_t>(bytes.size())) != bytes.size())
            return false;
        const QDeadlineTimer deadline(5000);
        int held = 0;
        while (!deadline.hasExpired()) {
            if (::ioctl(observer, FIONREAD, &held) == 0 && held >= bytes.size())
                return true;
            QThread::msleep(1);
        }
        return false;
    }

    QByteArray deviceReceives() {
        QByteArray got(256, '\0');
        const QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired()) {
            const ssize_t n = ::read(master, got.data(), static_cast<size_t>(got.size()));
            if (n > 0)
                return got.left(n);
            QThread::msleep(1);
        }
        return {};
    }

    int master = -1;
    int observer = -1;
    sensornet::QtSerialPort port;
};

TEST_F(QtSerialPortTest, ReadAllCollectsWhatTheDeviceAlreadySentAndNothingElse) {
    EXPECT_TRUE(port.readAll().isEmpty()); // nothing there: back at once, empty
    ASSERT_TRUE(deviceSends("late\r"));
    EXPECT_EQ(port.readAll(), "late\r"); // a late answer waiting in the driver, taken without a wait
    EXPECT_TRUE(port.readAll().isEmpty());
    EXPECT_TRUE(port.takeError().isEmpty());
}

TEST_F(QtSerialPortTest, ACommandGoesOutWholeAndTheWaitBringsTheAnswerIn) {
    ASSERT_TRUE(port.write("aR\r"));
    EXPECT_EQ(deviceReceives(), "aR\r");
    ASSERT_TRUE(deviceSends("P\r"));
    EXPECT_TRUE(port.waitForReadyRead(5000));
    EXPECT_EQ(port.readAll(), "P\r");
    EXPECT_FALSE(port.waitForReadyRead(0)); // nothing more: no data, and no error either
    EXPECT_TRUE(port.takeError().isEmpty());
}

TEST_F(QtSerialPortTest, BytesTheEventLoopTookInComeBeforeNewerOnes) {
    ASSERT_TRUE(deviceSends("second\r"));
    // Serving events lets the port's own notifier take the bytes into its buffer.
    QCoreApplication::processEvents();
    ASSERT_TRUE(deviceSends("third\r"));
    QByteArray got;
    const QDeadlineTimer deadline(5000);
    while (!got.endsWith("third\r") && !deadline.hasExpired()) {
        port.waitForReadyRead(100);
        got += port.readAll();
    }
    EXPECT_EQ(got, "second\rthird\r");
}

TEST_F(QtSerialPortTest, AHungUpDeviceIsReportedAndNotReadableAgainAndAgain) {
    ::close(master); // the device goes away
    master = -1;
    int readable = 0;
    for (int i = 0; i < 5; ++i) {
        if (port.waitForReadyRead(20))
            ++readable;
        EXPECT_TRUE(port.readAll().isEmpty());
    }
    EXPECT_EQ(readable, 0);
    EXPECT_FALSE(port.takeError().isEmpty());
}

// The driver's own read notification can be served after the bytes were taken; its read then finds nothing
// and reports the error number an earlier call left behind, such as the wait a Ctrl+C interrupted. That is no
// failure; reported, it would show as an exchange error whenever a headless run is stopped with Ctrl+C.
TEST_F(QtSerialPortTest, AReadThatFindsNothingAfterAnInterruptedCallIsNoFailure) {
    int wake[2] = {-1, -1};
    ASSERT_EQ(::pipe(wake), 0);
    const auto closeWake = qScopeGuard([&wake] {
        ::close(wake[0]);
        ::close(wake[1]);
    });
    // Registered before the notifier of a port opened after it, so it is served first when both are ready
    // in one pass of the event loop.
    port.close();
    QSocketNotifier first(wake[0], QSocketNotifier::Read);
    sensornet::QtSerialPort later;
    QByteArray taken;
    QObject::connect(&first, &QSocketNotifier::activated, [&] {
        char byte = 0;
        ASSERT_EQ(::read(wake[0], &byte, 1), 1);
        taken += later.readAll();
        errno = EINTR; // what a wait the signal interrupted, and the driver repeated, leaves behind
    });
    sensornet::LineSettings settings;
    settings.portName = QString::fromLocal8Bit(::ptsname(master));
    ASSERT_TRUE(later.open(settings).ok());

    ASSERT_TRUE(deviceSends("P\r"));
    ASSERT_EQ(::write(wake[1], "x", 1), 1);
    QCoreApplication::processEvents(); // both are ready: ours takes the bytes, then the port's reads nothing
    EXPECT_EQ(taken, "P\r");
    EXPECT_TRUE(later.write("aR\r")); // the next command of the exchange, which looks at the driver's error
    EXPECT_EQ(deviceReceives(), "aR\r");
    EXPECT_EQ(later.takeError(), QString());
    EXPECT_FALSE(later.failed());
}

} // namespace
