// The dial-up link with shell scripts in place of pon and poff and a file standing for the link: what is
// dialled, what is hung up, and the entries listed. (A mail whose dial fails is HeadlessMailTest's.)
#include "notify/DialUp.h"

#include "support/TempSite.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kelvara;
using notify::DialUp;

namespace {

class DialUpTest : public ::testing::Test {
protected:
    DialUpTest() {
        QDir().mkpath(dir.file("peers"));
        dir.write("peers/provider", "");
        script("poff", "rm -f \"$DIR/link\"");
    }

    // A command script that notes its call, then does what it is told.
    void script(const QString& name, const QString& body) {
        const QString path = dir.file(name);
        dir.write(name, ("#!/bin/sh\nDIR='" + dir.path() + "'\necho \"" + name + " $1\" >> \"$DIR/calls\"\n" +
                         body + "\n")
                            .toUtf8());
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    DialUp::Config config(int deadlineMs = 10000) {
        DialUp::Config c;
        c.peersDir = dir.file("peers");
        c.pon = dir.file("pon");
        c.poff = dir.file("poff");
        c.linkUp = [path = dir.file("link")] { return QFile::exists(path); };
        c.deadlineMs = deadlineMs;
        c.pollMs = 10;
        return c;
    }

    QString calls() const { return QString::fromUtf8(dir.read("calls")).trimmed(); }

    test::TempSite dir;
};

} // namespace

TEST_F(DialUpTest, ADialBringsTheLinkUpAndTheHangUpTakesItDown) {
    // pon returns at once; the link comes up a little later, as pppd's does.
    script("pon", "( sleep 0.3; touch \"$DIR/link\" ) &");
    DialUp link(config());
    int made = 0;
    int closed = 0;
    QObject::connect(&link, &DialUp::ConnectionMade, [&] { ++made; });
    QObject::connect(&link, &DialUp::ConnectionClosed, [&] { ++closed; });

    EXPECT_EQ(link.HangUp(), -1) << "nothing dialled yet";
    EXPECT_EQ(link.StartDUN("provider"), 0);
    EXPECT_TRUE(link.Connected());
    EXPECT_EQ(link.StartDUN("provider"), -1) << "this object holds a link already";
    EXPECT_EQ(link.HangUp(), 0);
    EXPECT_FALSE(link.Connected());
    EXPECT_EQ(made, 1);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(calls(), "pon provider\npoff provider");
}

TEST_F(DialUpTest, AFailedDialHangsUpNothingAndALateLinkStopsItsOwnAttempt) {
    script("pon", "exit 1");
    {
        DialUp link(config());
        EXPECT_EQ(link.StartDUN("provider"), DialUp::kCommandFailed);
        EXPECT_FALSE(link.dialled());
    }
    EXPECT_EQ(calls(), "pon provider") << "no hang-up after a dial that never started";

    QFile::remove(dir.file("calls"));
    script("pon", "true");
    {
        DialUp link(config(200));
        EXPECT_EQ(link.StartDUN("provider"), DialUp::kLinkDeadline);
        EXPECT_EQ(link.HangUp(), -1);
    }
    EXPECT_EQ(calls(), "pon provider\npoff provider") << "the attempt that is ours is stopped, once";
}

TEST_F(DialUpTest, ALinkAlreadyUpIsUsedAndLeftUp) {
    script("pon", "touch \"$DIR/link\"");
    dir.write("link", "");
    {
        DialUp link(config());
        EXPECT_EQ(link.StartDUN("provider"), 0);
        EXPECT_EQ(link.HangUp(), -1);
    }
    EXPECT_EQ(calls(), "") << "neither dialled nor hung up";
    EXPECT_TRUE(QFile::exists(dir.file("link")));
}

TEST_F(DialUpTest, OnlyPlainFilesOfThePeersFolderAreEntries) {
    script("pon", "touch \"$DIR/link\"");
    const QString longest(255, QLatin1Char('n')); // the longest name a folder holds
    dir.write("peers/" + longest, "");
    dir.write("peers/-option", "");
    dir.write("peers/alpha", "");
    QDir().mkpath(dir.file("peers/folder"));
    QFile::link(dir.file("peers/alpha"), dir.file("peers/linked"));
    dir.write("outside", "");

    DialUp link(config());
    EXPECT_EQ(link.ListDUNs(), QStringList({"alpha", longest, "provider"}));
    for (const QString name : {"../outside", "-option", "folder", "linked", "missing", "", "."})
        EXPECT_EQ(link.StartDUN(name), DialUp::kNotAnEntry) << name.toStdString();
    EXPECT_EQ(calls(), "") << "a refused name never reaches pon";
    EXPECT_EQ(link.StartDUN("a; touch hacked"), DialUp::kNotAnEntry);
    EXPECT_FALSE(QFile::exists(dir.file("hacked")));

    DialUp empty([&] {
        DialUp::Config c = config();
        c.peersDir = dir.file("no-such-folder");
        return c;
    }());
    EXPECT_TRUE(empty.ListDUNs().isEmpty());
}
