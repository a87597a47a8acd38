#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace kelvara::test {

// The real kelvara-sim binary (KELVARA_SIM, else the one built with the tests) started on a scenario (or a
// modem file) written to a temporary folder; reads the pseudo-terminal's path from its first output line and
// speaks its control channel.
class SimProcess {
public:
    // What the file describes: the adapter's bus (--scenario) or a modem (--modem).
    enum class File { Scenario, Modem };

    SimProcess(const QByteArray& fileJson, const QStringList& extraArguments = {},
               File kind = File::Scenario);
    ~SimProcess();

    [[nodiscard]] bool started() const { return !m_path.isEmpty(); }
    [[nodiscard]] QString ptyPath() const { return m_path; }
    [[nodiscard]] QString folder() const { return m_dir.path(); }
    // One control command, one reply line (empty when none came within a generous deadline).
    QString control(const QString& line);
    // The next line on standard output (a modem's accepted message), empty when none came.
    QString nextLine() { return readLine(); }
    // Waits for the simulator to end by itself; its exit code, or -1 if it did not end normally.
    int exitCode();
    // Asks the simulator to stop as a service manager would; its exit code, or -1 if it did not stop.
    int terminate();
    [[nodiscard]] QByteArray errorOutput() { return m_process.readAllStandardError(); }

    [[nodiscard]] static QString binary();

private:
    QString readLine();

    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_path;
};

} // namespace kelvara::test
