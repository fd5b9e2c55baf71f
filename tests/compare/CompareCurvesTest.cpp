#include <gtest/gtest.h>

#include <cmath>

#include "app/LoadSequence.h"
#include "compare/CompareCurves.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

// A measurement of the given samples with the Fm point at fmPoint (0: not set).
CompareItem Item(const std::string& name, const std::vector<double>& times,
                 const std::vector<double>& pf, int fmPoint, std::vector<double> df = {}) {
  Measurement m;
  m.TimeValues = m.PFValues = m.DFValues = std::vector<float>(times.size() + 1, 0.0f);
  for (size_t i = 0; i < times.size(); ++i) {
    m.TimeValues[i + 1] = static_cast<float>(times[i]);
    m.PFValues[i + 1] = static_cast<float>(pf[i]);
    m.DFValues[i + 1] = i < df.size() ? static_cast<float>(df[i]) : 0.0f;
  }
  m.PointCount = static_cast<int32_t>(times.size());
  m.PFPoints[kSlotFm] = static_cast<int16_t>(fmPoint);
  return MakeCompareItem(m, "/data/" + name + ".tmk");
}

// Fo 100, FK 200 at 0.3 ms, FJ 300 at 2 ms, FI 400 at 30 ms, Fm 500 at 300 ms.
CompareItem Steps(const std::string& name = "leaf1") {
  return Item(name, {0.01, 0.3, 2, 30, 300}, {100, 200, 300, 400, 500}, 5, {0, 2, 4, 1, 0});
}

double ValueAt2ms(Quantity quantity) {
  const NormalizedCurve normalized = Normalize(Steps(), quantity);
  EXPECT_TRUE(normalized.Curve) << QuantityKey(quantity) << ": " << normalized.Reason;
  return normalized.Curve ? normalized.Curve->Value[2] : NAN;
}

TEST(CompareQuantities, EachNormalizesBetweenItsSteps) {
  const CompareItem item = Steps();
  EXPECT_EQ(item.Label, "leaf1");
  EXPECT_EQ(*item.Steps[kStepK].Time, 0.3f);
  EXPECT_EQ(*item.Steps[kStepP].Time, 300);
  EXPECT_EQ(Normalize(item, Quantity::OP).Curve->Value,
            (std::vector<double>{0, 0.25, 0.5, 0.75, 1}));
  // F = 300 at 2 ms.
  EXPECT_DOUBLE_EQ(ValueAt2ms(Quantity::None), 300);
  EXPECT_DOUBLE_EQ(ValueAt2ms(Quantity::Fo), 3);
  EXPECT_DOUBLE_EQ(ValueAt2ms(Quantity::OK), 2);
  EXPECT_DOUBLE_EQ(ValueAt2ms(Quantity::OJ), 1);
  EXPECT_DOUBLE_EQ(ValueAt2ms(Quantity::JI), 0);
  EXPECT_DOUBLE_EQ(ValueAt2ms(Quantity::IP), -1);
  EXPECT_EQ(Normalize(item, Quantity::DF).Curve->Value, (std::vector<double>{0, 2, 4, 1, 0}));
  EXPECT_EQ(Normalize(item, Quantity::DFMax).Curve->Value,
            (std::vector<double>{0, 0.5, 1, 0.25, 0}));
  for (Quantity quantity : kQuantities) EXPECT_EQ(ParseQuantity(QuantityKey(quantity)), quantity);
  EXPECT_FALSE(ParseQuantity("OP"));
}

TEST(CompareQuantities, ThoseThatCannotBeComputedAreLeftOutWithTheirReason) {
  const CompareItem shortCurve = Item("short", {0.01, 0.3, 2}, {100, 200, 300}, 3);
  EXPECT_TRUE(Normalize(shortCurve, Quantity::OP).Curve);
  for (Quantity quantity : {Quantity::JI, Quantity::IP}) {
    const NormalizedCurve normalized = Normalize(shortCurve, quantity);
    EXPECT_FALSE(normalized.Curve);
    EXPECT_NE(normalized.Reason.find("needs FI"), std::string::npos) << normalized.Reason;
    EXPECT_NE(normalized.Reason.find("30 ms"), std::string::npos) << normalized.Reason;
  }
  const CompareItem flat = Item("flat", {0.01, 0.3, 2}, {100, 100, 300}, 0);
  EXPECT_EQ(Normalize(flat, Quantity::OK).Reason, "FK - Fo is 0");
  EXPECT_NE(Normalize(flat, Quantity::OP).Reason.find("needs Fm"), std::string::npos);
  EXPECT_EQ(Normalize(Item("zero", {0.01, 1}, {0, 5}, 2), Quantity::Fo).Reason, "Fo is 0");
  EXPECT_FALSE(Normalize(flat, Quantity::DFMax).Curve);  // DF 0 throughout
}

CompareCurve Curve(const std::string& label, std::vector<double> time, std::vector<double> value,
                   std::vector<double> error = {}) {
  return {label, std::move(time), std::move(value), std::move(error)};
}

TEST(CompareDifference, InterpolatesTheReferenceAndLeavesOutPointsOutsideIt) {
  const CompareCurve reference = Curve("ref", {0.5, 2, 3.5}, {0, 10, 40}, {0, 4, 4});
  const CompareCurve curve = Curve("c", {0.25, 1, 2, 3, 4}, {5, 10, 20, 30, 40}, {1, 1, 3, 1, 1});
  const CompareCurve difference = Difference(curve, reference);
  EXPECT_EQ(difference.Time, (std::vector<double>{1, 2, 3}));
  ASSERT_EQ(difference.Value.size(), 3u);
  EXPECT_DOUBLE_EQ(difference.Value[0], 10 - 10.0 / 3);
  EXPECT_DOUBLE_EQ(difference.Value[1], 10);
  EXPECT_DOUBLE_EQ(difference.Value[2], 0);
  EXPECT_DOUBLE_EQ(difference.Error[1], 5);  // 3 and 4 as independent errors
  EXPECT_EQ(Difference(reference, reference).Value, (std::vector<double>{0, 0, 0}));
}

TEST(CompareReadout, ValuesBetweenSamplesAreInterpolatedAndNoneOutsideACurve) {
  const std::vector<CompareCurve> curves = {{"a", {1, 2, 4}, {10, 20, 0}, {}},
                                            {"b", {3, 5}, {1, 3}, {}}};
  const auto at = ValuesAt(curves, 3);
  ASSERT_TRUE(at[0] && at[1]);
  EXPECT_DOUBLE_EQ(*at[0], 10);  // halfway from 20 at 2 ms to 0 at 4 ms
  EXPECT_DOUBLE_EQ(*at[1], 1);
  EXPECT_DOUBLE_EQ(*ValuesAt(curves, 4)[0], 0);
  EXPECT_FALSE(ValuesAt(curves, 2)[1]);
  EXPECT_FALSE(ValuesAt(curves, 4.5)[0]);
  EXPECT_FALSE(ValuesAt({{"empty", {}, {}, {}}}, 1)[0]);
}

TEST(CompareGroups, MeanAndStandardErrorOverTheShortestMember) {
  const CompareCurve a = Curve("a1", {1, 2, 3}, {1, 2, 3});
  const CompareCurve b = Curve("a2", {1.1, 2.1}, {3, 4});
  const CompareCurve c = Curve("a3", {1, 2, 3}, {2, 6, 9});
  const CompareCurve mean = GroupMean("a", {&a, &b, &c});
  EXPECT_EQ(mean.Time, (std::vector<double>{1, 2}));
  EXPECT_EQ(mean.Value, (std::vector<double>{2, 4}));
  ASSERT_EQ(mean.Error.size(), 2u);
  EXPECT_DOUBLE_EQ(mean.Error[0], 1 / std::sqrt(3.0));  // sample SD 1
  EXPECT_DOUBLE_EQ(mean.Error[1], 2 / std::sqrt(3.0));  // sample SD 2
  EXPECT_EQ(GroupMean("a", {&a}).Error, (std::vector<double>{0, 0, 0}));
}

TEST(CompareGroups, ReplicatesDifferInTheLastCharacterAndLeftoversAreNamed) {
  std::vector<std::string> labels = {"ctrl1", "drt1", "ctrl2", "x"};
  for (int i = 0; i < 11; ++i) labels.push_back("big" + std::string(1, static_cast<char>('a' + i)));
  std::vector<CompareExclusion> excluded;
  const auto groups = GroupReplicates(labels, excluded);
  ASSERT_EQ(groups.size(), 3u);
  EXPECT_EQ(groups[0].Name, "ctrl");
  EXPECT_EQ(groups[0].Members, (std::vector<size_t>{0, 2}));
  EXPECT_EQ(groups[1].Members, (std::vector<size_t>{1}));
  EXPECT_EQ(groups[2].Members.size(), 10u);
  ASSERT_EQ(excluded.size(), 2u);
  EXPECT_EQ(excluded[0].Label, "x");
  EXPECT_EQ(excluded[1].Label, "bigk");
}

TEST(CompareCurveSet, GroupsThenDifferencesFromTheReferenceGroup) {
  const std::vector<CompareItem> items = {
      Steps("ctrl1"), Item("ctrl2", {0.01, 0.3, 2, 30, 300}, {100, 300, 300, 400, 500}, 5),
      Item("drt1", {0.01, 0.3, 2, 30, 300}, {100, 100, 100, 100, 100}, 5)};
  const CurveSet set = BuildCompareCurves(items, {Quantity::OP, 1, true, true});
  ASSERT_EQ(set.Curves.size(), 1u);  // drt1's Fm - Fo is 0, and with it its group
  EXPECT_EQ(set.Excluded,
            (std::vector<CompareExclusion>{{"drt1", "Fm - Fo is 0"},
                                           {"drt", "none of its measurements can be shown"}}));
  EXPECT_EQ(set.Curves[0].Label, "ctrl");
  EXPECT_EQ(set.Curves[0].Value, std::vector<double>(5, 0.0));
  ASSERT_EQ(set.Reference, 0u);

  const CurveSet means = BuildCompareCurves(items, {Quantity::OP, 1, false, true});
  EXPECT_DOUBLE_EQ(means.Curves[0].Value[1], 0.375);  // (0.25 + 0.5) / 2

  // Without a curve of the reference no difference can be drawn: every curve is named.
  const CurveSet none = BuildCompareCurves(items, {Quantity::OP, 2, true, false});
  EXPECT_TRUE(none.Curves.empty());
  EXPECT_EQ(none.Excluded.size(), 3u);
  EXPECT_EQ(none.Excluded[1].Reason, "the reference drt1 cannot be shown");
}

TEST(CompareLoading, ReadsWithTheNormalReadersAndNamesFilesThatFail) {
  const std::string path = std::string(TOLMEK_EXAMPLES_DIR) + "/control-1.tmk";
  const LoadedItems loaded = LoadCompareItems({"/no/such/folder/gone.tmk", path});
  ASSERT_EQ(loaded.Items.size(), 1u);
  EXPECT_EQ(loaded.Sources, (std::vector<size_t>{1}));
  ASSERT_EQ(loaded.Excluded.size(), 1u);
  EXPECT_EQ(loaded.Excluded[0].Label, "gone");
  EXPECT_FALSE(loaded.Excluded[0].Reason.empty());

  Session session;
  ScriptedFeedback feedback;
  session.Record.CurrentFilePath = path;
  ASSERT_EQ(LoadCurrentFile(session, feedback), ReadOutcome::Loaded);
  const CompareItem& item = loaded.Items[0];
  EXPECT_EQ(item.Label, "control-1");
  ASSERT_EQ(item.PF.size(), static_cast<size_t>(session.Record.PointCount));
  EXPECT_EQ(item.PF.back(), session.Record.PFValues[session.Record.PointCount]);
  EXPECT_EQ(*item.Steps[kStepP].F, session.Record.PFValues[session.Record.PFPoints[kSlotFm]]);
}

}  // namespace
}  // namespace tolmek
