// The product catalogue window: an empty catalogue, duplicates anywhere, renames, deleting the last product.
#include "ui/ProductsWindow.h"

#include "app/AppContext.h"
#include "store/ProductsStore.h"
#include "support/RecordedDialogs.h"
#include "support/SiteBench.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

class ProductsWindowTest : public ::testing::Test, protected test::SiteContext {
protected:
    ProductsWindowTest() : SiteContext(QStringLiteral("Thermo")) {}

    void add(const QString& name, double desired) {
        EXPECT_TRUE(products().insert({.Description = name, .CookHours = 1, .DesiredTemp = desired}).ok());
    }
    [[nodiscard]] store::ProductsStore products() const {
        return store::ProductsStore(*ctx.databases.thermo);
    }
    [[nodiscard]] QStringList names() const {
        QStringList n;
        for (const auto& p : products().loadAll().value())
            n << p.Description;
        return n;
    }
    static QLineEdit* field(const QWidget& w, const char* name) { return w.findChild<QLineEdit*>(name); }

    test::RecordedDialogs dialogs;
};

} // namespace

TEST_F(ProductsWindowTest, AnEmptyCatalogueOpensOnANewProductAndSaveAddsIt) {
    ui::ProductsWindow window(*ctx.databases.thermo, dialogs);
    EXPECT_FALSE(window.findChild<QLineEdit*>("txtProduct")->isHidden());
    EXPECT_TRUE(window.findChild<QComboBox*>("dbProduct")->isHidden());
    EXPECT_FALSE(window.button("Delete")->isEnabled());
    int pos = 0;
    QString apostrophe = "Shepherd's";
    EXPECT_EQ(field(window, "txtProduct")->validator()->validate(apostrophe, pos), QValidator::Invalid)
        << "an apostrophe is not taken into a new name";

    window.button("Save")->click();
    EXPECT_EQ(dialogs.texts.last(), "Product Description can not be blank.");
    EXPECT_TRUE(names().isEmpty());

    field(window, "txtProduct")->setText("Chili");
    field(window, "txtDesiredTemp")->setText("74");
    window.button("Save")->click();
    EXPECT_EQ(names(), QStringList{"Chili"});
    EXPECT_TRUE(window.findChild<QLineEdit*>("txtProduct")->isHidden());
    EXPECT_EQ(window.findChild<QComboBox*>("dbProduct")->currentText(), "Chili");
}

TEST_F(ProductsWindowTest, ADuplicateNewNameOrRenameIsRefusedAndNothingIsWritten) {
    add("Apple Pie", 90);
    add("Beef Stew", 70);
    add("Zucchini Bake", 80);
    ui::ProductsWindow window(*ctx.databases.thermo, dialogs);
    window.button("New")->click();
    field(window, "txtProduct")->setText("zucchini bake"); // the last in order, another letter case
    window.button("Save")->click();
    EXPECT_EQ(dialogs.texts.last(), "The requested record is already on file.");
    EXPECT_EQ(names().size(), 3);

    window.button("Cancel")->click(); // back on the first product
    auto* chooser = window.findChild<QComboBox*>("dbProduct");
    ASSERT_EQ(chooser->currentText(), "Apple Pie");
    for (const char* refused : {"Beef Stew", " "}) {
        chooser->setEditText(QString::fromLatin1(refused));
        window.button("Save")->click();
    }
    EXPECT_EQ(dialogs.texts.mid(1), (QStringList{"The requested record is already on file.",
                                                 "Product Description can not be blank."}));
    chooser->setEditText("Apple Crumble");
    window.button("Save")->click();
    EXPECT_EQ(names(), (QStringList{"Apple Crumble", "Beef Stew", "Zucchini Bake"}));
}

TEST_F(ProductsWindowTest, NavigationStopsAtBothEndsAndDeletingTheLastProductStartsANewOne) {
    add("Apple Pie", 90);
    add("Beef Stew", 70);
    ui::ProductsWindow window(*ctx.databases.thermo, dialogs);
    auto* chooser = window.findChild<QComboBox*>("dbProduct");
    window.button("Previous")->click();
    EXPECT_EQ(dialogs.texts.last(), "Beginning of file reached");
    window.button("Next")->click();
    window.button("Next")->click();
    EXPECT_EQ(chooser->currentText(), "Beef Stew");
    EXPECT_EQ(field(window, "txtDesiredTemp")->text(), "70");

    dialogs.answers = {true, true};
    window.button("Delete")->click();
    EXPECT_EQ(chooser->currentText(), "Apple Pie");
    window.button("Delete")->click();
    EXPECT_TRUE(names().isEmpty());
    EXPECT_FALSE(window.findChild<QLineEdit*>("txtProduct")->isHidden());

    // Exit while entering a new product discards it without a question.
    field(window, "txtProduct")->setText("Half typed");
    window.button("Exit")->click();
    EXPECT_TRUE(names().isEmpty());
    EXPECT_EQ(dialogs.texts.size(), 3);
}
