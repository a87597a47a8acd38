// Typed grid cells: which texts each column kind takes, and that a refused edit leaves the cell alone.
#include "ui/TypedCellDelegate.h"

#include "support/RecordedDialogs.h"

#include <QLineEdit>
#include <QStandardItemModel>
#include <QTableView>
#include <gtest/gtest.h>
#include <ostream>

using namespace kelvara;
using ui::CellKind;

namespace {

struct ParseCase {
    CellKind kind;
    const char* text;
    QVariant expected; // invalid: refused
};

// Names each case in test listings by its kind and text.
void PrintTo(const ParseCase& c, std::ostream* os) {
    static const char* const kinds[] = {"Text", "Integer", "Number", "Flag", "ReadOnly"};
    *os << kinds[static_cast<int>(c.kind)] << " '" << c.text << "'";
}

class ParseCellTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCellTest, TakesOnlyTextsOfTheColumnsKind) {
    const ParseCase& c = GetParam();
    const std::optional<QVariant> value = ui::parseCell(c.kind, QString::fromUtf8(c.text), 20);
    if (!c.expected.isValid()) {
        EXPECT_FALSE(value.has_value()) << c.text;
        return;
    }
    ASSERT_TRUE(value.has_value()) << c.text;
    EXPECT_EQ(*value, c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ParseCellTest,
    ::testing::Values(
        ParseCase{CellKind::Integer, " 15 ", QVariant(15)}, ParseCase{CellKind::Integer, "-3", QVariant(-3)},
        ParseCase{CellKind::Integer, "abc", QVariant()}, ParseCase{CellKind::Integer, "2.5", QVariant()},
        ParseCase{CellKind::Integer, "", QVariant()}, ParseCase{CellKind::Number, "-1,5", QVariant(-1.5)},
        ParseCase{CellKind::Number, "38.25", QVariant(38.25)},
        ParseCase{CellKind::Number, "warm", QVariant()}, ParseCase{CellKind::Flag, "TRUE", QVariant(true)},
        ParseCase{CellKind::Flag, "-1", QVariant(true)}, ParseCase{CellKind::Flag, "no", QVariant(false)},
        ParseCase{CellKind::Flag, "maybe", QVariant()},
        ParseCase{CellKind::Text, "Walk-in Cooler", QVariant(QStringLiteral("Walk-in Cooler"))},
        ParseCase{CellKind::Text, "A name far longer than twenty", QVariant()},
        ParseCase{CellKind::ReadOnly, "1", QVariant()}));

TEST(TypedCellDelegateTest, RefusedEditKeepsTheOldValueAndSaysWhichColumn) {
    QStandardItemModel model(1, 2);
    model.setHorizontalHeaderLabels({QStringLiteral("Zone"), QStringLiteral("High")});
    model.setData(model.index(0, 1), 40.0);
    test::RecordedDialogs dialogs;
    ui::TypedCellDelegate delegate(dialogs);
    delegate.setColumnKind(1, CellKind::Number);
    delegate.setColumnKind(0, CellKind::ReadOnly);

    QTableView view;
    view.setModel(&model);
    EXPECT_EQ(delegate.createEditor(&view, {}, model.index(0, 0)), nullptr);

    QLineEdit editor;
    editor.setText(QStringLiteral("hot"));
    delegate.setModelData(&editor, &model, model.index(0, 1));
    EXPECT_EQ(model.data(model.index(0, 1)).toDouble(), 40.0);
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_TRUE(dialogs.texts.front().contains(QStringLiteral("\"High\"")))
        << dialogs.texts.front().toStdString();

    editor.setText(QStringLiteral("38.5"));
    delegate.setModelData(&editor, &model, model.index(0, 1));
    EXPECT_EQ(model.data(model.index(0, 1)).toDouble(), 38.5);
    EXPECT_EQ(dialogs.texts.size(), 1);
}

} // namespace
