#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>

namespace kelvara::notify {

// The dial-up link through pppd: the entries are the peers folder's files, a dial is "pon NAME" (which
// returns at once) followed by a wait for the link, a hang-up is "poff NAME". Every call blocks, so the
// caller runs it away from the event loop. One object dials at most one link and hangs up only that one.
class DialUp final : public QObject {
    Q_OBJECT
public:
    struct Config {
        QString peersDir = QStringLiteral("/etc/ppp/peers");
        QString pon = QStringLiteral("pon");
        QString poff = QStringLiteral("poff");
        // Whether a dial-up link is up on this computer; by default any ppp interface that is up.
        std::function<bool()> linkUp = systemLinkUp;
        int deadlineMs = 90000; // from "pon" to the link
        int pollMs = 250;
        // Set when the owner goes: a wait for the link stops at once.
        const std::atomic<bool>* abandoned = nullptr;

        // The defaults, with the peers folder and the two commands taken from KELVARA_PPP_PEERS,
        // KELVARA_PON and KELVARA_POFF where they are set (a site whose pppd lives elsewhere).
        [[nodiscard]] static Config fromEnvironment();
    };

    // Result numbers of a dial and a hang-up besides 0 (done) and -1 (this object holds no link / one
    // already).
    enum Error : int {
        kNotAnEntry = 701,    // the name is not a plain file of the peers folder
        kCommandFailed = 702, // pon or poff could not run or ended in failure
        kLinkDeadline = 703,  // the link did not come up in time
        kNoEntries = 704,     // nothing to dial
    };
    [[nodiscard]] static QString errorText(int result);

    DialUp() : DialUp(Config()) {}
    explicit DialUp(Config config);
    // Hangs up the link this object dialled; a link that was up already is left alone.
    ~DialUp() override;

    [[nodiscard]] QStringList ListDUNs() const;
    // 0 when the link is up: dialled here, or found up already (and then left up afterwards).
    [[nodiscard]] qint32 StartDUN(const QString& name);
    // Hangs up what this object dialled; -1 when it dialled nothing.
    qint32 HangUp();
    [[nodiscard]] bool Connected() const;
    [[nodiscard]] bool dialled() const { return !m_dialled.isEmpty(); }

    [[nodiscard]] static bool systemLinkUp();

Q_SIGNALS:
    void ConnectionMade();
    void ConnectionClosed();

private:
    [[nodiscard]] bool isEntry(const QString& name) const;
    [[nodiscard]] int runCommand(const QString& program, const QString& name) const;

    Config m_config;
    QString m_dialled; // the entry this object brought up; empty when none
};

} // namespace kelvara::notify
