#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace kelvara::test {

// The real kelvara binary run as a child process, with its own per-user settings folder.
class KelvaraProcess {
public:
    explicit KelvaraProcess(const QString& configHome);
    ~KelvaraProcess();

    // An environment variable for the runs started from here on.
    void setEnvironment(const QString& name, const QString& value);
    void start(const QStringList& arguments);
    // Runs to the end (or kills it after the generous limit); returns the exit code, -1 when killed.
    int runToEnd(const QStringList& arguments, int limitMs = 60000);
    // Waits until standard error holds the text; false when the process ended or the limit passed first.
    bool waitForStderr(const QString& text, int limitMs = 60000);
    // from: only output after this many characters (the size of an earlier stdOut()) counts.
    bool waitForStdout(const QString& text, int limitMs = 60000, qsizetype from = 0);
    // Sends SIGTERM and waits for the end; returns the exit code.
    int terminate(int limitMs = 60000);
    // Cuts it with SIGKILL, as a crash or a killed service would, and waits for the end.
    void kill();

    [[nodiscard]] bool running() const { return m_process.state() != QProcess::NotRunning; }
    [[nodiscard]] QString stdErr();
    [[nodiscard]] QString stdOut();

    static QString binary();

private:
    bool waitFor(QByteArray& buffer, QProcess::ProcessChannel channel, const QString& text, int limitMs,
                 qsizetype from = 0);
    QProcess m_process;
    QByteArray m_err;
    QByteArray m_out;
};

} // namespace kelvara::test
