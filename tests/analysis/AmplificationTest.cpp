#include "analysis/Amplification.h"

#include <gtest/gtest.h>

#include "data/Errors.h"
#include "data/Measurement.h"

namespace tolmek {
namespace {

// A loaded ten-point measurement with gains 1 (display PF 6, DF 120).
Session LoadedSession() {
  Session session;
  Measurement& record = session.Record;
  SizeCurveArrays(record, 10);
  record.PointCount = 10;
  for (int i = 1; i <= 10; ++i) {
    record.TimeValues[i] = static_cast<float>(i);
    record.PFValues[i] = static_cast<float>(100 + 7 * i - (i - 6) * (i - 6));
    record.DFValues[i] = static_cast<float>(3 * i + 0.25);
  }
  record.PFAmplification = 1;
  record.DFAmplification = 1;
  record.CurrentFilePath = "/data/leaf1.asc";
  PrepareCurves(record);
  return session;
}

TEST(GainEntry, AcceptsValuesUpTo1500AndRefusesZeroEmptyAndAbove) {
  EXPECT_TRUE(ParseGainEntry("1500", "1500"));
  EXPECT_FALSE(ParseGainEntry("1500.5", "120"));
  EXPECT_FALSE(ParseGainEntry("6", "1500.5"));
  EXPECT_FALSE(ParseGainEntry("0", "120"));
  EXPECT_FALSE(ParseGainEntry("6", ""));
  EXPECT_EQ(ParseGainEntry(" 12 x", "240")->PF, 12);
}

TEST(AmplificationChange, DoublingThePFValueHalvesEveryPFValueAndLeavesDFUntouched) {
  Session session = LoadedSession();
  const Measurement before = session.Record;
  ChangeAmplification(session, DisplayGains{12, 120});
  const Measurement& after = session.Record;
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(after.PFValues[i], before.PFValues[i] / 2) << i;
  EXPECT_EQ(after.DFValues, before.DFValues);
  EXPECT_EQ(after.PFAmplification, 2);
  EXPECT_EQ(after.DFAmplification, 1);
  EXPECT_EQ(after.PFMax, before.PFMax / 2);
  EXPECT_EQ(after.PFSlope, before.PFSlope);
}

TEST(AmplificationChange, CancelOrAGainTooSmallForFloatsChangesNothing) {
  Session session = LoadedSession();
  const Measurement before = session.Record;
  ChangeAmplification(session, std::nullopt);
  EXPECT_THROW(ChangeAmplification(session, ParseGainEntry("1E-40", "120")), ErrorText);
  EXPECT_EQ(session.Record.PFValues, before.PFValues);
  EXPECT_EQ(session.Record.DFValues, before.DFValues);
  EXPECT_EQ(session.Record.PFAmplification, 1);
  EXPECT_EQ(session.Record.DFAmplification, 1);
}

}  // namespace
}  // namespace tolmek
