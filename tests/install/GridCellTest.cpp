// Typed grid cells: which values each column kind takes, and that a refused edit leaves the row alone,
// whether it is typed into the grid or set by code.
#include "install/GridModel.h"

#include <gtest/gtest.h>
#include <ostream>

using namespace kelvara;
using install::CellKind;

namespace {

struct ParseCase {
    CellKind kind;
    QVariant value;
    QVariant expected; // invalid: refused
};

// Names each case in test listings by its kind and value.
void PrintTo(const ParseCase& c, std::ostream* os) {
    static const char* const kinds[] = {"Text", "Integer", "Number", "Flag", "ReadOnly"};
    *os << kinds[static_cast<int>(c.kind)] << " '" << c.value.toString().toStdString() << "'";
}

class ParseCellTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseCellTest, TakesOnlyValuesOfTheColumnsKind) {
    const ParseCase& c = GetParam();
    const std::optional<QVariant> value = install::parseCell(c.kind, c.value, 20);
    if (!c.expected.isValid()) {
        EXPECT_FALSE(value.has_value());
        return;
    }
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(*value, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ParseCellTest,
    ::testing::Values(ParseCase{CellKind::Integer, " 15 ", 15}, ParseCase{CellKind::Integer, "-3", -3},
                      ParseCase{CellKind::Integer, "abc", {}}, ParseCase{CellKind::Integer, "2.5", {}},
                      ParseCase{CellKind::Integer, "", {}}, ParseCase{CellKind::Integer, true, {}},
                      ParseCase{CellKind::Number, "-1,5", -1.5}, ParseCase{CellKind::Number, "38.25", 38.25},
                      ParseCase{CellKind::Number, 7, 7.0}, ParseCase{CellKind::Number, "warm", {}},
                      ParseCase{CellKind::Number, "inf", {}}, ParseCase{CellKind::Flag, "TRUE", true},
                      ParseCase{CellKind::Flag, "-1", true}, ParseCase{CellKind::Flag, "no", false},
                      ParseCase{CellKind::Flag, false, false}, ParseCase{CellKind::Flag, "maybe", {}},
                      ParseCase{CellKind::Text, "Walk-in Cooler", QStringLiteral("Walk-in Cooler")},
                      ParseCase{CellKind::Text, "A name far longer than twenty", {}},
                      ParseCase{CellKind::ReadOnly, "1", {}}));

TEST(GridModel, AnEditOfTheWrongKindOrARefusedOneLeavesTheRowAlone) {
    std::vector<double> highs{40.0};
    bool storeRefuses = false;
    install::GridModel model(
        [&] { return static_cast<int>(highs.size()); },
        {{"High", CellKind::Number, 0, [&](int r) { return QVariant(highs[std::size_t(r)]); },
          [&](int r, const QVariant& v) {
              if (storeRefuses)
                  return false;
              highs[std::size_t(r)] = v.toDouble();
              return true;
          }},
         {"Serial #", CellKind::ReadOnly, 0, [](int) { return QVariant("A1"); }, {}}});
    EXPECT_FALSE(model.setData(model.index(0, 0), "hot"));
    EXPECT_FALSE(model.setData(model.index(0, 1), "B2"));
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
    storeRefuses = true;
    EXPECT_FALSE(model.setData(model.index(0, 0), "38.5"));
    EXPECT_EQ(highs[0], 40.0);
    storeRefuses = false;
    EXPECT_TRUE(model.setData(model.index(0, 0), "38,5"));
    EXPECT_EQ(highs[0], 38.5);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, install::GridModel::KindRole).toInt(),
              int(CellKind::Number));
}

} // namespace
