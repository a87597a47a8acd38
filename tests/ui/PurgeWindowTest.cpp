// The purge window and the System menu's maintenance entries on a real site: the window's texts and archive
// box per side, the invalid date, the declined question, a purge that archives; both menu paths with their
// questions and messages, the timer running again afterwards.
#include "ui/PurgeWindow.h"

#include "WindowSeams.h"
#include "app/AppContext.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "store/Database.h"
#include "store/MonitorStore.h"
#include "support/SiteDatabases.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
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
struct Site {
    explicit Site(const QString& mode) {
        ctx.siteDir = site.path();
        ctx.DatabaseMode = mode;
        test::openSiteDatabases(ctx, site);
        if (!ctx.hasZoneSide())
            return;
        for (const QDate& day : {QDate(2026, 6, 30), QDate(2026, 7, 1)}) {
            store::MonitorRow row;
            row.RecDate = day;
            row.RecTime = QTime(9, 0);
            EXPECT_TRUE(store::MonitorStore(*ctx.databases.kvr).insert(row).ok());
        }
    }
    [[nodiscard]] std::size_t readings() const {
        return store::MonitorStore(*ctx.databases.kvr).loadAll()->size();
    }

    test::TempSite site;
    app::AppContext ctx;
    test::WindowSeams seams;
};

QStringList shownTexts(const QWidget& window) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts << label->text();
    for (const QGroupBox* box : window.findChildren<QGroupBox*>())
        texts << box->title();
    return texts;
}

QAction* systemEntry(ui::MainWindow& window, const QString& text) {
    for (QAction* menu : window.menuBar()->actions()) {
        if (menu->text() != QLatin1String("System") || !menu->menu())
            continue;
        for (QAction* entry : menu->menu()->actions())
            if (entry->text() == text)
                return entry;
    }
    return nullptr;
}

} // namespace

TEST(PurgeWindow, ShowsItsTextsAndOffersTheArchiveOnlyWithTheZoneSide) {
    for (const char* mode : {"KVR", "KVRThermo", "Thermo"}) {
        SCOPED_TRACE(mode);
        Site s(QString::fromLatin1(mode));
        ui::PurgeWindow window(s.ctx, s.seams.clock, s.seams.dialogs);
        EXPECT_EQ(window.windowTitle(), " Purge Data");
        const QStringList texts = shownTexts(window);
        for (const char* text :
             {"This procedure will delete all Data up to the date entered below.  ",
              "Check the box below if you wish to Archive the data prior to purge.", "Warning:",
              "If data was archived, the user can then view the purged data by selecting the History Reports "
              "option on the Main Menu.",
              "Please enter in the ending date you wish to purge from the database.", "Date Range"})
            EXPECT_TRUE(texts.contains(QString::fromLatin1(text))) << text;
        EXPECT_EQ(window.findChild<QDateEdit*>("DTTo")->date(), QDate(2026, 7, 1));
        auto* archive = window.findChild<QCheckBox*>("chkArchive");
        EXPECT_EQ(archive->text(), "Archive purged data into History Database");
        EXPECT_EQ(archive->isEnabled(), s.ctx.hasZoneSide());
        EXPECT_NE(window.findChild<QLabel*>("lblMsg"), nullptr);
        EXPECT_NE(window.findChild<QPushButton*>("cmdPurge"), nullptr);
    }
}

// A cleared date is refused before any question; a question answered No changes nothing and keeps the window.
TEST(PurgeWindow, AnInvalidDateOrADeclinedQuestionChangesNothing) {
    Site s("KVR");
    ui::PurgeWindow window(s.ctx, s.seams.clock, s.seams.dialogs);
    window.show();
    window.findChild<QCheckBox*>("chkArchive")->setChecked(true);
    auto* date = window.findChild<QDateEdit*>("DTTo");
    date->findChild<QLineEdit*>()->setText(QString());
    window.cmdPurge_Click();
    EXPECT_EQ(s.seams.dialogs.texts, QStringList{ui::PurgeWindow::kInvalidDateText});
    EXPECT_EQ(s.seams.dialogs.titles, QStringList{"Kelvara"});

    date->setDate(QDate(2026, 7, 1));
    s.seams.dialogs.answers = {false};
    window.cmdPurge_Click();
    EXPECT_EQ(s.seams.dialogs.texts.last(), ui::PurgeWindow::kQuestionText);
    EXPECT_EQ(s.seams.dialogs.kinds.last(), kQuestion);
    EXPECT_EQ(s.readings(), 2U);
    EXPECT_FALSE(QFile::exists(s.site.file("Archive.db")));
    EXPECT_TRUE(window.isVisible());
}

TEST(PurgeWindow, AnsweredYesArchivesDeletesUpToTheDateAndCloses) {
    Site s("KVR");
    ui::PurgeWindow window(s.ctx, s.seams.clock, s.seams.dialogs);
    window.show();
    window.findChild<QCheckBox*>("chkArchive")->setChecked(true);
    window.findChild<QDateEdit*>("DTTo")->setDate(QDate(2026, 6, 30));
    s.seams.dialogs.answers = {true};
    window.findChild<QPushButton*>("cmdPurge")->click();
    EXPECT_EQ(s.seams.dialogs.texts, QStringList{ui::PurgeWindow::kQuestionText});
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
    QAction* compact = systemEntry(window, "Compact and Repair Database");
    QAction* purge = systemEntry(window, "Purge Data");
    ASSERT_NE(compact, nullptr);
    ASSERT_NE(purge, nullptr);
    auto& dialogs = s.seams.dialogs;

    ino_t file = inode(kvr);
    dialogs.answers = {false};
    compact->trigger();
    EXPECT_EQ(dialogs.texts, QStringList{"Repair and Compact Database?"});
    EXPECT_EQ(dialogs.titles, QStringList{"Kelvara"});
    EXPECT_EQ(inode(kvr), file);
    EXPECT_TRUE(window.job().cycle().timerEnabled());

    dialogs.answers = {true};
    compact->trigger();
    EXPECT_EQ(dialogs.texts.mid(1), QStringList({"Repair and Compact Database?", "All Done."}));
    EXPECT_EQ(dialogs.kinds.last(), kInformation);
    EXPECT_EQ(dialogs.titles.last(), "Kelvara");
    EXPECT_NE(inode(kvr), file);
    EXPECT_EQ(window.findChild<QLabel*>("lblStatus")->text(), "Reading Temperatures");
    EXPECT_TRUE(s.ctx.databases.kvr->isOpen());
    EXPECT_EQ(s.readings(), 2U);
    EXPECT_TRUE(window.job().cycle().timerEnabled());

    file = inode(kvr);
    dialogs.texts.clear();
    bool purgeWindowSeen = false;
    QTimer::singleShot(0, [&] {
        if (auto* shown = qobject_cast<ui::PurgeWindow*>(QApplication::activeModalWidget())) {
            purgeWindowSeen = true;
            EXPECT_FALSE(window.job().cycle().timerEnabled());
            shown->reject();
        }
    });
    purge->trigger();
    EXPECT_TRUE(purgeWindowSeen);
    EXPECT_EQ(dialogs.texts, QStringList{"All Done."});
    EXPECT_NE(inode(kvr), file);
    EXPECT_TRUE(window.job().cycle().timerEnabled());
}
