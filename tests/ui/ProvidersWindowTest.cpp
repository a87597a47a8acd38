// The access providers window: its modes, the blank name, the moves at either end, Delete's question and
// Exit with a new provider.
#include "ui/ProvidersWindow.h"

#include "store/ProviderStore.h"
#include "support/RecordedDialogs.h"
#include "support/SiteBench.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace kelvara;
using ui::ProvidersWindow;

namespace {

class ProvidersWindowTest : public ::testing::Test, protected test::SiteContext {
protected:
    void add(const QString& name, const QString& accessNo) {
        ASSERT_TRUE(store()
                        .insert({.Provider = name, .AccessNo = accessNo, .Speed = "9600", .Protocol = "UCP"})
                        .ok());
    }
    [[nodiscard]] store::ProviderStore store() const { return store::ProviderStore(*ctx.databases.kvr); }
    [[nodiscard]] QStringList names() const {
        QStringList list;
        for (const auto& row : *store().loadAll())
            list << row.Provider;
        return list;
    }

    std::unique_ptr<ProvidersWindow> open() {
        auto window = std::make_unique<ProvidersWindow>(*ctx.databases.kvr, dialogs, QStringList{});
        QObject::connect(window.get(), &ProvidersWindow::beeped, [this] { ++beeps; });
        return window;
    }
    static QLineEdit* field(QWidget& w, const char* name) { return w.findChild<QLineEdit*>(name); }
    static QAction* tool(QWidget& w, const char* key) { return w.findChild<QAction*>(key); }
    static QString shownName(QWidget& w) { return w.findChild<QComboBox*>("cboProvider")->currentText(); }

    test::RecordedDialogs dialogs;
    int beeps = 0;
};

} // namespace

TEST_F(ProvidersWindowTest, AnEmptyTableOpensForANewProviderThatNeedsAName) {
    auto w = open();
    EXPECT_TRUE(w->entryMode());
    EXPECT_FALSE(tool(*w, "New")->isEnabled());
    EXPECT_FALSE(tool(*w, "Next")->isEnabled());
    EXPECT_TRUE(tool(*w, "Cancel")->isEnabled());
    EXPECT_FALSE(w->findChild<QAction*>("mnuProviderListing")->isEnabled());
    EXPECT_EQ(field(*w, "txtPassword")->echoMode(), QLineEdit::Password);

    field(*w, "txtAccessNo")->setText("5550200");
    tool(*w, "Save")->trigger();
    EXPECT_EQ(dialogs.texts, QStringList{ProvidersWindow::kBlankName});
    EXPECT_TRUE(w->entryMode()) << "the new row stays open";
    EXPECT_TRUE(names().isEmpty());

    field(*w, "txtProvider")->setText("Paging 'North'");
    tool(*w, "Save")->trigger();
    EXPECT_FALSE(w->entryMode());
    EXPECT_TRUE(tool(*w, "New")->isEnabled());
    EXPECT_FALSE(tool(*w, "Cancel")->isEnabled());
    EXPECT_EQ(names(), QStringList{"Paging 'North'"});
    const auto found = store().findByName("Paging 'North'");
    ASSERT_TRUE(found.ok() && found->has_value()) << "a quote in the name is a name like any other";
    EXPECT_EQ((*found)->AccessNo, "5550200");
}

TEST_F(ProvidersWindowTest, MovesStopAtEitherEndWithABeepAndEditsAreKeptWhenARowIsLeft) {
    add("Alpha", "1");
    add("Beta", "2");
    add("Gamma", "3");
    auto w = open();
    EXPECT_FALSE(w->entryMode());
    EXPECT_EQ(shownName(*w), "Alpha");

    tool(*w, "Previous")->trigger();
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(dialogs.texts, QStringList{ProvidersWindow::kBeginning});
    EXPECT_EQ(shownName(*w), "Alpha");

    field(*w, "txtAccessNo")->setText("9,5550100");
    tool(*w, "Next")->trigger();
    EXPECT_EQ(shownName(*w), "Beta");
    EXPECT_EQ(field(*w, "txtAccessNo")->text(), "2");
    EXPECT_EQ((*store().findByName("Alpha"))->AccessNo, "9,5550100") << "kept when the row was left";

    tool(*w, "Last")->trigger();
    tool(*w, "Next")->trigger();
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(dialogs.texts.size(), 1) << "no message at the end";
    EXPECT_EQ(shownName(*w), "Gamma");
    tool(*w, "First")->trigger();
    EXPECT_EQ(shownName(*w), "Alpha");
}

TEST_F(ProvidersWindowTest, DeleteAsksAndTheLastDeletionLeavesEntryMode) {
    add("Alpha", "1");
    add("Beta", "2");
    auto w = open();
    dialogs.answers = {false, true, true};
    tool(*w, "Delete")->trigger();
    EXPECT_EQ(names(), QStringList({"Alpha", "Beta"})) << "No changes nothing";
    tool(*w, "Delete")->trigger();
    EXPECT_EQ(names(), QStringList{"Beta"});
    EXPECT_EQ(shownName(*w), "Beta");
    tool(*w, "Delete")->trigger();
    EXPECT_TRUE(names().isEmpty());
    EXPECT_TRUE(w->entryMode());
    EXPECT_EQ(dialogs.texts.count(ProvidersWindow::kDeleteQuestion), 3);
}

TEST_F(ProvidersWindowTest, ExitStoresANamedNewProviderAndCancelDropsOne) {
    add("Alpha", "1");
    {
        auto w = open();
        tool(*w, "New")->trigger();
        EXPECT_TRUE(w->entryMode());
        field(*w, "txtProvider")->setText("Dropped");
        tool(*w, "Cancel")->trigger();
        EXPECT_FALSE(w->entryMode());
        EXPECT_EQ(shownName(*w), "Alpha");
        tool(*w, "New")->trigger();
        field(*w, "txtProvider")->setText("Kept");
        tool(*w, "Exit")->trigger();
    }
    EXPECT_EQ(names(), QStringList({"Alpha", "Kept"}));
    {
        auto w = open();
        tool(*w, "New")->trigger();
        tool(*w, "Exit")->trigger();
    }
    EXPECT_EQ(names(), QStringList({"Alpha", "Kept"})) << "a new row without a name is not stored";
    EXPECT_TRUE(dialogs.texts.isEmpty());
}
