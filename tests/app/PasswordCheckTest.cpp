// The login's password decision and where each kind of site keeps its password.
#include "app/PasswordCheck.h"

#include "app/AppContext.h"
#include "store/CookSettingsStore.h"
#include "store/SystemStore.h"
#include "support/SiteDatabases.h"

#include <gtest/gtest.h>

using namespace kelvara;

namespace {

struct Attempt {
    std::optional<QString> stored;
    QString typed;
    bool accepted;
};

void PrintTo(const Attempt& a, std::ostream* os) {
    *os << "stored=" << (a.stored ? '"' + a.stored->toStdString() + '"' : std::string("null")) << " typed=\""
        << a.typed.toStdString() << '"';
}

class PasswordDecision : public ::testing::TestWithParam<Attempt> {};

TEST_P(PasswordDecision, FollowsTheStoredPassword) {
    const Attempt& a = GetParam();
    EXPECT_EQ(app::passwordAccepted(a.stored, a.typed), a.accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PasswordDecision,
    ::testing::Values(
        // Letter case is ignored on both sides.
        Attempt{"Frost9", "Frost9", true}, Attempt{"Frost9", "frost9", true},
        Attempt{"Frost9", "FROST9", true}, Attempt{"frost9", "fRoSt9", true},
        // Anything else is refused, including a part of the password or the password with extra spaces.
        Attempt{"Frost9", "Frost", false}, Attempt{"Frost9", "Frost9 ", false}, Attempt{"Frost9", "", false},
        Attempt{"Frost9", "Frost8", false},
        // The service password opens every site, in any letter case.
        Attempt{"Frost9", "QTW418", true}, Attempt{"Frost9", "qtw418", true},
        Attempt{"Frost9", "QTW4180", false},
        // No password set: every entry is accepted, an empty one too.
        Attempt{std::nullopt, "", true}, Attempt{std::nullopt, "anything", true},
        // A blank stored password (the cook side's placeholder row) counts as none.
        Attempt{"", "whatever", true}, Attempt{" ", "", true}, Attempt{"  ", "x", true},
        // Letters outside ASCII compare without case as well.
        Attempt{QStringLiteral("Kälte"), QStringLiteral("KÄLTE"), true}));

// Sites built from real database files, the zone one with its System row, the cook one with the placeholder
// row start-up adds.
class StoredPasswordTest : public ::testing::Test {
protected:
    StoredPasswordTest() {
        ctx.DatabaseMode = "KVRThermo";
        test::openSiteDatabases(ctx, site);
    }

    void setPasswords(const QString& zone, const QString& cook) {
        store::SystemStore system(*ctx.databases.kvr);
        auto row = system.load();
        ASSERT_TRUE(row);
        row->Password = zone;
        ASSERT_TRUE(system.update(*row).ok());
        store::CookSettingsStore settings(*ctx.databases.thermo);
        auto cookRow = settings.load();
        ASSERT_TRUE(cookRow);
        cookRow->Password = cook;
        ASSERT_TRUE(settings.update(*cookRow).ok());
    }

    test::TempSite site;
    app::AppContext ctx;
};

TEST_F(StoredPasswordTest, ZoneSitesReadTheSystemRowAndCookOnlySitesTheSettingsRow) {
    setPasswords("Zone1", "Cook1");
    for (const auto& [mode, expected] :
         {std::pair{"KVR", "Zone1"}, {"KVRThermo", "Zone1"}, {"Thermo", "Cook1"}}) {
        ctx.DatabaseMode = mode;
        const app::StoredPassword stored = app::readStoredPassword(ctx);
        ASSERT_TRUE(stored.ok()) << mode;
        EXPECT_EQ(*stored, std::optional<QString>(expected)) << mode;
    }
}

TEST_F(StoredPasswordTest, AMissingRowOrDatabaseLeavesOnlyTheServicePassword) {
    store::SystemStore system(*ctx.databases.kvr);
    ASSERT_TRUE(system.remove(system.load()->id).ok());
    ctx.DatabaseMode = "KVR";
    const app::StoredPassword noRow = app::readStoredPassword(ctx);
    EXPECT_FALSE(noRow.ok());
    EXPECT_FALSE(app::passwordAccepted(noRow, ""));
    EXPECT_FALSE(app::passwordAccepted(noRow, "anything"));
    EXPECT_TRUE(app::passwordAccepted(noRow, "qtw418"));

    ctx.DatabaseMode = "Thermo";
    ctx.databases.thermo.reset();
    EXPECT_FALSE(app::readStoredPassword(ctx).ok());
}

} // namespace
