// The source folders are layers: a folder includes only the folders below it, and sideways only where the
// order below says so. The check runs over the real tree and, to show that it bites, over a planted one.
#include "support/QtPrinters.h"
#include "support/TempSite.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

// Bottom up. Folders on one step include each other only as kSideways allows.
const QMap<QString, int> kLayer{
    {"base", 0}, {"thermocouple", 1}, {"store", 2},   {"sensornet", 2}, {"app", 3}, {"monitoring", 4},
    {"cook", 4}, {"notify", 4},       {"install", 4}, {"reports", 4},   {"ui", 5},  {"main", 6},
};
// The dispatcher reads the zones' alarm state; the cook side lights lamps, logs and sounds through both.
const QSet<QString> kSideways{"notify>monitoring", "cook>monitoring", "cook>notify"};
// The bus simulator stands beside the program and shares only the thermocouple maths.
const QMap<QString, QSet<QString>> kTools{{"sim", {"thermocouple"}}};

bool allowed(const QString& from, const QString& to) {
    if (from == to)
        return true;
    if (kTools.contains(from))
        return kTools.value(from).contains(to);
    if (!kLayer.contains(from) || !kLayer.contains(to))
        return false;
    return kLayer.value(to) < kLayer.value(from) || kSideways.contains(from + ">" + to);
}

// "folder/File.cpp: includes other/Header.h" for every include of a project folder that the order forbids.
QStringList violations(const QString& root, const QStringList& trees) {
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s+\"([^/\"]+)/[^\"]+\""),
                                            QRegularExpression::MultilineOption);
    QStringList found;
    for (const QString& tree : trees) {
        const QDir base(QDir(root).filePath(tree));
        QDirIterator files(base.path(), {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = base.relativeFilePath(files.next());
            const QString from = path.section('/', 0, 0);
            QFile file(base.filePath(path));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(file.readAll());
            for (auto m = include.globalMatch(text); m.hasNext();) {
                const QRegularExpressionMatch hit = m.next();
                if (!allowed(from, hit.captured(1)))
                    found << path + ": includes " + hit.captured(0).section('"', 1, 1);
            }
        }
    }
    found.sort();
    return found;
}

TEST(IncludeOrder, EveryFolderIncludesOnlyWhatLiesBelowIt) {
    const QString root = QStringLiteral(KELVARA_SOURCE_ROOT);
    ASSERT_TRUE(QDir(root).exists("src/base")) << root.toStdString();
    EXPECT_EQ(violations(root, {"src", "tools"}), QStringList()) << "the order is written at the top of "
                                                                    "this test";
    // Every source folder has its place in the order.
    for (const QString& folder :
         QDir(QDir(root).filePath("src")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        EXPECT_TRUE(kLayer.contains(folder)) << folder.toStdString();
}

TEST(IncludeOrder, APlantedUpwardOrSidewaysIncludeIsFound) {
    kelvara::test::TempSite tree;
    QDir(tree.path()).mkpath("src/sensornet");
    QDir(tree.path()).mkpath("src/monitoring");
    QDir(tree.path()).mkpath("src/install");
    QDir(tree.path()).mkpath("tools/sim");
    tree.write("src/sensornet/Link.cpp", "#include \"sensornet/Link.h\"\n#include \"app/AppContext.h\"\n");
    tree.write("src/monitoring/Cycle.cpp",
               "#include \"store/Database.h\"\n#include \"install/LampTest.h\"\n");
    tree.write("src/install/Test.h", "#include \"monitoring/PanelLamps.h\"\n#include <QString>\n");
    tree.write("tools/sim/Bus.cpp", "#include \"sim/Bus.h\"\n#include \"store/Schema.h\"\n");
    EXPECT_EQ(violations(tree.path(), {"src", "tools"}),
              QStringList({"install/Test.h: includes monitoring/PanelLamps.h",
                           "monitoring/Cycle.cpp: includes install/LampTest.h",
                           "sensornet/Link.cpp: includes app/AppContext.h",
                           "sim/Bus.cpp: includes store/Schema.h"}));
}

} // namespace
