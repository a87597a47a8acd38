// The purge window and the System menu's maintenance entries on a real site: the archive box per side, the
// invalid date, the declined question, a purge that archives; both menu paths with their questions and
// messages, the timer running again afterwards.
#include "ui/PurgeWindow.h"

#include "MenuEntry.h"
#include "WindowSeams.h"
#include "app/AppContext.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "store/Database.h"
#include "store/MonitorStore.h"
#include "support/ModalDialog.h"
#include "support/SiteDatabases.h"
#include "support/ZoneRows.h"
#include "ui/MainWindow.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kelvara;

namespace {

constexpr int kQuestion = test::RecordedDialogs::kQuestion;
constexpr int kInformation = static_cast<int>(base::UserDialogs::Kind::Information);

ino_t inode(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

// A site of the given sides; the zone side holds a reading on 30 June and one on 1 July 2026 (today).
struct Site : test::WindowSite {
    explicit Site(const QString& mode) : WindowSite(mode) {
        if (!ctx.hasZoneSide())
            return;
        for (const QDate& day : {QDate(2026, 6, 30), QDate(2026, 7, 1)})
            test::addReading(*ctx.databases.kvr, day, QTime(9, 0), {});
    }
    [[nodiscard]] std::size_t readings() const {
        return store::MonitorStore(*ctx.databases.kvr).loadAll()->size();
    }
};

} // namespace

TEST(PurgeWindow, OpensOnTodayAndOffersTheArchiveOnlyWithTheZoneSide) {
    for (const char* mode : {"KVR", "KVRThermo", "Thermo"}) {
        Site s(QString::fromLatin1(mode));
        ui::PurgeWindow window(s.ctx, s.seams.clock, s.seams.dialogs);
        EXPECT_EQ(window.findChild<QDateEdit*>("DTTo")->date(), QDate(2026, 7, 1)) << mode;
        EXPECT_EQ(window.findChild<QCheckBox*>("chkArchive")->isEnabled(), s.ctx.hasZoneSide()) << mode;
    }
}

// A cleared date is refused before any question; a question answered No changes nothing and keeps the
// window; Yes archives, deletes up to the date and closes it.
TEST(PurgeWindow, PurgesOnlyAValidDateAnsweredYes) {
    Site s("KVR");
    auto& dialogs = s.seams.dialogs;
    ui::PurgeWindow window(s.ctx, s.seams.clock, dialogs);
    window.show();
    window.findChild<QCheckBox*>("chkArchive")->setChecked(true);
    auto* date = window.findChild<QDateEdit*>("DTTo");
    date->findChild<QLineEdit*>()->setText(QString());
    window.cmdPurge_Click();
    EXPECT_EQ(dialogs.texts, QStringList{ui::PurgeWindow::kInvalidDateText});

    date->setDate(QDate(2026, 6, 30));
    dialogs.answers = {false, true};
    window.cmdPurge_Click();
    EXPECT_EQ(dialogs.kindOf(ui::PurgeWindow::kQuestionText), kQuestion);
    EXPECT_EQ(s.readings(), 2U);
    EXPECT_FALSE(QFile::exists(s.site.file("Archive.db")));
    EXPECT_TRUE(window.isVisible());

    window.findChild<QPushButton*>("cmdPurge")->click();
    EXPECT_EQ(dialogs.texts.count(ui::PurgeWindow::kQuestionText), 2);
    EXPECT_EQ(s.readings(), 1U);
    store::Database archive(store::DatabaseKind::Archive);
    ASSERT_TRUE(archive.open(s.site.file("Archive.db")).ok());
    EXPECT_EQ(store::MonitorStore(archive).loadAll()->size(), 1U);
    EXPECT_EQ(window.findChild<QLabel*>("lblMsg")->text(), ui::PurgeWindow::kPurgingText);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_FALSE(window.isVisible());
}

// "Compact and Repair Database" asks first and compacts only on Yes; "Purge Data" compacts without asking
// once its window closes. The timer runs again after each, whatever was answered.
TEST(PurgeWindow, TheSystemMenuAsksCompactsAndStartsTheTimerAgain) {
    Site s("KVR");
    s.seams.settings.save("Properties", "Settings", "115200,n,8,1");
    ui::MainWindow window(s.ctx, s.seams.seams());
    window.startMonitoring();
    ASSERT_TRUE(s.seams.dialogs.texts.isEmpty()) << s.seams.dialogs.texts.join('\n').toStdString();
    const QString kvr = s.site.file("KVR.db");
    QAction* compact = test::menuEntry(window, "Compact and Repair Database");
    QAction* purge = test::menuEntry(window, "Purge Data");
    ASSERT_NE(compact, nullptr);
    ASSERT_NE(purge, nullptr);
    auto& dialogs = s.seams.dialogs;

    ino_t file = inode(kvr);
    dialogs.answers = {false};
    compact->trigger();
    EXPECT_EQ(dialogs.texts, QStringList{"Repair and Compact Database?"});
    EXPECT_EQ(inode(kvr), file);
    EXPECT_TRUE(window.job().cycle().timerEnabled());

    dialogs.answers = {true};
    compact->trigger();
    EXPECT_EQ(dialogs.texts.mid(1), QStringList({"Repair and Compact Database?", "All Done."}));
    EXPECT_EQ(dialogs.kinds.last(), kInformation);
    EXPECT_NE(inode(kvr), file);
    EXPECT_EQ(window.findChild<QLabel*>("lblStatus")->text(), "Reading Temperatures");
    EXPECT_TRUE(s.ctx.databases.kvr->isOpen());
    EXPECT_EQ(s.readings(), 2U);
    EXPECT_TRUE(window.job().cycle().timerEnabled());

    file = inode(kvr);
    dialogs.texts.clear();
    EXPECT_TRUE(test::answerModal<ui::PurgeWindow>([&] { purge->trigger(); },
                                                   [&](ui::PurgeWindow& shown) {
                                                       EXPECT_FALSE(window.job().cycle().timerEnabled());
                                                       shown.reject();
                                                   }));
    EXPECT_EQ(dialogs.texts, QStringList{"All Done."});
    EXPECT_NE(inode(kvr), file);
    EXPECT_TRUE(window.job().cycle().timerEnabled());
}
