// The generated conversion table file: rows, stored voltages and NULLs, indexes, permissions and failures.
#include "store/ThermoTypesTable.h"

#include "support/TempSite.h"
#include "thermocouple/ThermocoupleReference.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

using namespace kelvara;

namespace {

// A connection of the test's own on one file, removed with the object.
class Connection {
public:
    explicit Connection(const QString& fileName) : m_name(QUuid::createUuid().toString()) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(fileName);
        db.open();
    }
    ~Connection() { QSqlDatabase::removeDatabase(m_name); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    [[nodiscard]] QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

    // Each row of a query with bound values, as its columns joined by "|".
    [[nodiscard]] QStringList rows(const QString& sql, const QVariantList& values = {}) const {
        QSqlQuery query(db());
        query.prepare(sql);
        for (const QVariant& value : values)
            query.addBindValue(value);
        if (!query.exec())
            ADD_FAILURE() << query.lastError().text().toStdString();
        QStringList result;
        while (query.next()) {
            QStringList columns;
            for (int i = 0; i < query.record().count(); ++i)
                columns << query.value(i).toString();
            result << columns.join(QLatin1Char('|'));
        }
        return result;
    }

private:
    QString m_name;
};

class ThermoTypesFile : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_site = std::make_unique<test::TempSite>();
        s_error = store::createThermoTypesDatabase(fileName());
    }
    static void TearDownTestSuite() { s_site.reset(); }
    void SetUp() override { ASSERT_TRUE(s_error.ok()) << s_error.error().toStdString(); }

    static QString fileName() { return s_site->file(QStringLiteral("ThermoTypes.db")); }

    static inline std::unique_ptr<test::TempSite> s_site;
    static inline base::Result<void> s_error;
};

TEST_F(ThermoTypesFile, HoldsOneRowPerDegreeAndAnIndexNamedLikeEachColumn) {
    const Connection connection(fileName());
    EXPECT_EQ(connection.rows("SELECT COUNT(*), COUNT(DISTINCT Temperature), MIN(Temperature), "
                              "MAX(Temperature) FROM ThermoTypes"),
              QStringList{"2091|2091|-270|1820"});
    const QStringList indexes = connection.rows(
        "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = 'ThermoTypes' ORDER BY name");
    EXPECT_EQ(indexes, QStringList({"B", "E", "J", "K", "N", "R", "S", "T", "Temperature"}));
    for (const QString& index : indexes)
        EXPECT_EQ(connection.rows("SELECT name FROM pragma_index_info(?)", {index}), QStringList{index});
}

TEST_F(ThermoTypesFile, IsReadableAndWritableByTheOwnerOnly) {
    const QFile::Permissions permissions = QFile::permissions(fileName());
    EXPECT_TRUE(permissions.testFlags(QFile::ReadOwner | QFile::WriteOwner));
    EXPECT_FALSE(permissions & (QFile::ExeOwner | QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                QFile::ReadOther | QFile::WriteOther | QFile::ExeOther));
}

struct StoredValue {
    int celsius;
    char type;
    std::optional<double> tableMillivolts; // none: outside the type's range, so NULL
};

std::ostream& operator<<(std::ostream& out, const StoredValue& value) {
    return out << value.type << " at " << value.celsius << " C";
}

class ThermoTypesFileValue : public ThermoTypesFile, public testing::WithParamInterface<StoredValue> {};

TEST_P(ThermoTypesFileValue, IsTheReferenceVoltageOrNull) {
    const StoredValue expected = GetParam();
    const Connection connection(fileName());
    QSqlQuery query(connection.db());
    query.prepare(QStringLiteral("SELECT \"%1\", typeof(\"%1\") FROM ThermoTypes WHERE Temperature = ?")
                      .arg(QLatin1Char(expected.type)));
    query.addBindValue(expected.celsius);
    ASSERT_TRUE(query.exec() && query.next()) << query.lastError().text().toStdString();
    if (!expected.tableMillivolts) {
        EXPECT_TRUE(query.value(0).isNull());
        return;
    }
    EXPECT_EQ(query.value(1).toString(), "real");
    EXPECT_NEAR(query.value(0).toDouble(), *expected.tableMillivolts * 1000.0, 1.0);
    // Fractions of a microvolt survive storage.
    EXPECT_NEAR(query.value(0).toDouble(),
                *thermocouple::referenceEmfMicrovolts(expected.type, expected.celsius), 0.001);
}

INSTANTIATE_TEST_SUITE_P(Rows, ThermoTypesFileValue,
                         testing::Values(StoredValue{100, 'K', 4.096}, StoredValue{-270, 'K', -6.458},
                                         StoredValue{-210, 'J', -8.095}, StoredValue{1820, 'B', 13.820},
                                         StoredValue{20, 'B', -0.003}, StoredValue{-270, 'E', -9.835},
                                         StoredValue{1300, 'N', 47.513}, StoredValue{-50, 'R', -0.226},
                                         StoredValue{1768, 'S', 18.693}, StoredValue{400, 'T', 20.872},
                                         StoredValue{-1, 'B', {}}, StoredValue{-211, 'J', {}},
                                         StoredValue{1373, 'K', {}}, StoredValue{-51, 'R', {}},
                                         StoredValue{1769, 'S', {}}, StoredValue{401, 'T', {}},
                                         StoredValue{1820, 'E', {}}));

TEST(ThermoTypesDatabase, ReplacesAnExistingFileWhole) {
    test::TempSite site;
    site.write(QStringLiteral("ThermoTypes.db"), "left over, not a database");
    ASSERT_TRUE(store::createThermoTypesDatabase(site.file(QStringLiteral("ThermoTypes.db"))).ok());
    const Connection connection(site.file(QStringLiteral("ThermoTypes.db")));
    EXPECT_EQ(connection.rows("SELECT COUNT(*) FROM ThermoTypes"), QStringList{"2091"});
    EXPECT_EQ(QDir(site.path()).entryList(QDir::Files), QStringList{"ThermoTypes.db"});
}

TEST(ThermoTypesDatabase, ReportsAFolderThatDoesNotExist) {
    test::TempSite site;
    const QString path = site.file(QStringLiteral("missing/ThermoTypes.db"));
    const auto error = store::createThermoTypesDatabase(path);
    ASSERT_FALSE(error.ok());
    EXPECT_FALSE(error.error().isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

TEST(ThermoTypesTable, LeavesNothingBehindWhenALaterStepFails) {
    test::TempSite site;
    const Connection connection(site.file(QStringLiteral("scratch.db")));
    // An index already named like the K column's index makes the write fail after its rows are in.
    QSqlQuery setup(connection.db());
    ASSERT_TRUE(setup.exec("CREATE TABLE Other (x INTEGER)"));
    ASSERT_TRUE(setup.exec("CREATE INDEX \"K\" ON Other (x)"));

    const auto error = store::writeThermoTypesTable(connection.db());
    ASSERT_FALSE(error.ok());
    EXPECT_TRUE(error.error().contains(QStringLiteral("already exists"))) << error.error().toStdString();
    EXPECT_TRUE(connection.rows("SELECT name FROM sqlite_master WHERE name = 'ThermoTypes'").isEmpty());
    // The failed write ended its transaction, so a new one can begin.
    QSqlDatabase db = connection.db();
    EXPECT_TRUE(db.transaction());
    db.rollback();
}

} // namespace
