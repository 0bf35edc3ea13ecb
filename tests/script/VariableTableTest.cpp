#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "script/VariableTable.h"

using namespace wf;

namespace {
std::vector<double> list(const VariableTable& table, const std::string& text) { return table.evaluateList(text, 16); }
}  // namespace

TEST(Evaluators, SignsCarryOverToUnsignedItems) {
  VariableTable table;
  EXPECT_EQ(list(table, "1,-2,3"), (std::vector<double>{1, -2, -3}));
  EXPECT_EQ(list(table, "1,-2,+3"), (std::vector<double>{1, -2, 3}));
  EXPECT_EQ(list(table, "-1,2,3"), (std::vector<double>{-1, -2, -3}));
  EXPECT_EQ(list(table, "-+1,2"), (std::vector<double>{1, 2}));
  EXPECT_EQ(list(table, "4"), (std::vector<double>{4})) << "each evaluation starts with fresh signs";
}

TEST(Evaluators, SinAndCosTakeRadiansAndTwoLetterNames) {
  VariableTable table;
  EXPECT_EQ(list(table, "SIN1")[0], std::sin(1.0));
  EXPECT_EQ(list(table, "cos0.5")[0], std::cos(0.5));
  EXPECT_EQ(list(table, "coz0.5")[0], std::cos(0.5)) << "only two letters are compared";
  EXPECT_EQ(list(table, "-sin-1")[0], -std::sin(-1.0));
  // The inner sign sticks as well and only matters under a function.
  EXPECT_EQ(list(table, "sin-1,sin1")[1], std::sin(-1.0));
  EXPECT_EQ(list(table, "-2,sin1")[1], -std::sin(1.0));
  EXPECT_EQ(list(table, "si")[0], 0.0) << "a short item loses what it has";
}

TEST(Evaluators, VariablesAsOperands) {
  VariableTable table;
  table.addVariable(2.0, "Zeit");
  EXPECT_EQ(table.lookupVariable("zeit"), 0);
  EXPECT_EQ(list(table, "ZEIT,cosZeit,unbekannt,-zeit"), (std::vector<double>{2.0, std::cos(2.0), 0.0, -2.0}));
}

TEST(Evaluators, MatrixShapeFollowsTheItemCount) {
  VariableTable table;
  Matrix4 identity;
  EXPECT_EQ(table.evaluateMatrix("").m[0][0], 1.0);
  EXPECT_EQ(std::make_pair(table.evaluateMatrix("2").m[1][1], table.evaluateMatrix("2").m[3][3]),
            std::make_pair(2.0, 1.0));
  Matrix4 rot = table.evaluateMatrix("2,1");
  EXPECT_EQ(rot.m[2][2], 1.0) << "axis 2 is z";
  EXPECT_EQ(rot.m[0][1], std::sin(0.5 * 3.1415926535));
  EXPECT_EQ(table.evaluateMatrix("1,2,3").m[2][2], 3.0);
  Matrix4 t = table.evaluateMatrix("1,2,3,1");
  EXPECT_TRUE(t.m[0][3] == 1.0 && t.m[2][3] == 3.0) << "a translation";
  Matrix4 five = table.evaluateMatrix("1,2,3,4,5");
  EXPECT_TRUE(std::equal(&five.m[0][0], &five.m[0][0] + 16, &identity.m[0][0])) << "five items: identity";
  Matrix4 badAxis = table.evaluateMatrix("7,1");
  EXPECT_TRUE(badAxis.m[0][0] == 0.0 && badAxis.m[3][3] == 1.0);
  EXPECT_EQ(table.evaluateMatrix("-1,1").m[1][1], 0.0);
}

TEST(Evaluators, IntegersBooleansVectors) {
  VariableTable table;
  for (auto [text, value] : {std::pair{"", 0}, {"2.9", 2}, {"-2.9", -2}, {"7,9", 7}})
    EXPECT_EQ(table.evaluateInteger(text), value) << text;
  for (const char* yes : {"ja", "YES", "True", "wahr", "si", "2", "-1"}) EXPECT_TRUE(table.evaluateBoolean(yes)) << yes;
  for (const char* no : {"nein", "0", "", "falsch", "0.9"}) EXPECT_FALSE(table.evaluateBoolean(no)) << no;
  Vector4 v = table.evaluateVector("1,-2.5,3"), shortVec = table.evaluateVector("4");
  EXPECT_EQ(std::make_tuple(v.x, v.y, v.z, v.w), std::make_tuple(1.0, -2.5, 3.0, 0.0));
  EXPECT_EQ(std::make_tuple(shortVec.x, shortVec.y, shortVec.z), std::make_tuple(4.0, 0.0, 0.0));
}

TEST(Evaluators, VariableUpdatesUseTheFirstItem) {
  VariableTable table;
  table.addVariable(3.0, "a");
  table.multiplyVariable(0, "2,100");
  EXPECT_EQ(table.variable(0).value, 6.0);
  table.addToVariable(0, "-0.5");
  EXPECT_EQ(table.variable(0).value, 5.5);
  table.addToVariable(0, "a");
  EXPECT_EQ(table.variable(0).value, 11.0);
  for (int i = 1; i < 12; ++i) table.addVariable(i, "v" + std::to_string(i));  // the table holds ten
  EXPECT_EQ(table.count(), 10);
  EXPECT_TRUE(table.full());
}

TEST(Evaluators, LongItemsAreCut) {
  VariableTable table;
  std::string item = "1" + std::string(120, '0');
  EXPECT_EQ(list(table, item)[0], 1e98);
  EXPECT_EQ(list(table, std::string(40, ',')).size(), 16u);
}
