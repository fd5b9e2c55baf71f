#include <gtest/gtest.h>

#include "compare/CompareRadar.h"
#include "compare/CompareTable.h"

namespace tolmek {
namespace {

CompareItem WithValues(const std::string& label, std::optional<double> fvfm,
                       std::optional<double> vj, std::optional<double> pi) {
  CompareItem item;
  item.Label = label;
  item.Jip.Values[kJipFvFm] = fvfm;
  item.Jip.Values[kJipVj] = vj;
  item.Jip.Values[kJipPIAbs] = pi;
  item.Jip.Reasons[kJipVj] = "needs Fj";
  return item;
}

const std::vector<JipParameter> kParameters = {kJipFvFm, kJipVj, kJipPIAbs};

TEST(CompareRadar, RatiosToTheReferenceAndTheValuesLeftOut) {
  const std::vector<CompareItem> items = {WithValues("ref", 0.8, 0.5, 0),
                                          WithValues("other", 0.4, std::nullopt, 2)};
  const RadarTable table = ComputeRadar(items, 0, kParameters, false);
  ASSERT_EQ(table.Rows.size(), 2u);
  using Ratios = std::vector<std::optional<double>>;
  EXPECT_EQ(table.Rows[0].Ratios, (Ratios{1.0, 1.0, std::nullopt}));
  EXPECT_EQ(table.Rows[1].Ratios, (Ratios{0.5, std::nullopt, std::nullopt}));
  EXPECT_EQ(table.Excluded,
            (std::vector<CompareExclusion>{{"ref PI_abs", "the reference's value is 0"},
                                           {"other Vj", "needs Fj"},
                                           {"other PI_abs", "the reference's value is 0"}}));
  EXPECT_EQ(RadarTableText(table), "name\tFv/Fm\tVj\tPI_abs\r\nref\t1\t1\t\r\nother\t0.5\t\t\r\n");
}

TEST(CompareRadar, GroupsAreComparedByTheirMeanValues) {
  const std::vector<CompareItem> items = {WithValues("a1", 0.8, 0.5, 1),
                                          WithValues("b1", 0.35, 0.5, 1),
                                          WithValues("a2", 0.6, std::nullopt, 1)};
  const RadarTable table = ComputeRadar(items, 2, kParameters, true);
  ASSERT_EQ(table.Rows.size(), 2u);
  EXPECT_EQ(table.Rows[0].Label, "a");
  EXPECT_DOUBLE_EQ(*table.Rows[1].Ratios[0], 0.5);  // 0.35 / mean(0.8, 0.6)
  EXPECT_DOUBLE_EQ(*table.Rows[1].Ratios[1], 1);    // a2's missing Vj leaves a1's
  EXPECT_TRUE(table.Excluded.empty());
}

TEST(CompareTable, TwoColumnsPerCurveAndEmptyCellsPastAShorterCurve) {
  CurveSet set;
  set.Curves = {{"c1", {0.01, 2}, {0.5, 1.234567891}, {}}, {"c2", {1}, {-2}, {}}};
  set.Reference = 1;
  EXPECT_EQ(CompareTableText(set, CompareColumnName(set, Quantity::OP, false)),
            "c1 t (ms)\tc1 op\tc2 t (ms)\tc2 op\r\n"
            "0.01\t0.5\t1\t-2\r\n"
            "2\t1.234568\t\t\r\n");
  EXPECT_EQ(CompareColumnName(set, Quantity::JI, true), "ji - c2");
}

}  // namespace
}  // namespace tolmek
