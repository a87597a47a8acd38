// Entry point: parses the command line and runs a site with or without windows, or creates one.
#include "app/AppContext.h"
#include "app/CommandLine.h"
#include "app/DemoSite.h"
#include "app/SiteCreator.h"
#include "main/ChartExport.h"
#include "main/HeadlessRun.h"
#include "main/Maintenance.h"
#include "main/ReportExport.h"
#include "main/WindowedRun.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The shipped defaults: KELVARA_DATA_DIR, else share/kelvara beside an installed binary, else the source
// tree.
QString dataDir() {
    const QString fromEnv = qEnvironmentVariable("KELVARA_DATA_DIR");
    if (!fromEnv.isEmpty())
        return fromEnv;
    const QString installed =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/kelvara"));
    if (QFileInfo::exists(installed + QStringLiteral("/SensorReader.ini")))
        return installed;
    return QStringLiteral(KELVARA_INSTALLED_DATA_DIR);
}

// Run outside a login session (as a service, from cron, in a container) the toolkit finds no runtime folder
// and warns about it on standard error at every start, between Kelvara's own messages. Give it a private
// one of this user's; if that cannot be had, the toolkit chooses as before.
void provideRuntimeDir() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QByteArray dir =
        QFile::encodeName(QDir::tempPath()) + "/kelvara-runtime-" + QByteArray::number(getuid());
    ::mkdir(dir.constData(), 0700);
    struct stat info {};
    if (::lstat(dir.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != getuid() ||
        ::chmod(dir.constData(), 0700) != 0)
        return;
    qputenv("XDG_RUNTIME_DIR", dir);
}

} // namespace

int main(int argc, char** argv) {
    using kelvara::app::CommandLine;
    std::unique_ptr<QCoreApplication> application;
    provideRuntimeDir();
    // An export draws with the toolkit's fonts and charts, which need the GUI application object, but never
    // a display: it may run on a server, or beside a running Kelvara.
    if (CommandLine::wantsOffscreen(argc, argv))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (CommandLine::wantsConsoleOnly(argc, argv))
        application = std::make_unique<QCoreApplication>(argc, argv);
    else
        application = std::make_unique<QApplication>(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kelvara"));
    QCoreApplication::setApplicationName(QStringLiteral("Kelvara"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.1.0"));

    QTextStream err(stderr);
    QTextStream out(stdout);
    const auto cl = CommandLine::parse(QCoreApplication::arguments());
    if (!cl) {
        err << cl.error() << "\n\n" << CommandLine::helpText();
        return 2;
    }

    switch (cl->action) {
    case CommandLine::Action::Help:
        out << CommandLine::helpText();
        return 0;
    case CommandLine::Action::CreateSite: {
        const kelvara::app::SiteCreator creator(dataDir());
        if (const auto created = creator.create(cl->siteDir, cl->sides); !created.ok()) {
            err << created.error() << Qt::endl;
            return 1;
        }
        if (!cl->demoScenario.isEmpty()) {
            if (const auto filled = kelvara::app::DemoSite::fill(cl->siteDir, cl->demoScenario);
                !filled.ok()) {
                err << filled.error() << Qt::endl;
                return 1;
            }
        }
        out << "Created a new site in " << QDir::toNativeSeparators(QDir(cl->siteDir).absolutePath())
            << Qt::endl;
        return 0;
    }
    case CommandLine::Action::Run:
    case CommandLine::Action::Maintain:
    case CommandLine::Action::Chart:
    case CommandLine::Action::Report:
        break;
    }

    if (!QDir(cl->siteDir).exists() || !QDir::setCurrent(cl->siteDir)) {
        err << "The site folder " << cl->siteDir << " does not exist." << Qt::endl;
        return 1;
    }
    if (cl->action == CommandLine::Action::Chart)
        return kelvara::main::runChartExport(QDir::currentPath(),
                                             {cl->from, cl->to, cl->zoneRooms, cl->pngFile, cl->csvFile});
    if (cl->action == CommandLine::Action::Report)
        return kelvara::main::runReportExport(
            QDir::currentPath(), dataDir(),
            {cl->reportTitle, cl->from, cl->to, cl->firstBatch, cl->lastBatch, cl->pdfFile});
    kelvara::app::AppContext ctx;
    ctx.siteDir = QDir::currentPath();
    ctx.dataDir = dataDir();
    if (cl->action == CommandLine::Action::Maintain)
        return kelvara::main::runMaintenance(ctx, {cl->purgeTo, cl->archive});
    if (cl->headless)
        return kelvara::main::runHeadless(ctx);
    return kelvara::main::runWindowed(ctx, {cl->screenshotFile, cl->screenshotAfterSeconds});
}
