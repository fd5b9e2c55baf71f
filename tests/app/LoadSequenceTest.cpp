#include "app/LoadSequence.h"

#include <gtest/gtest.h>

#include "MeasurementTexts.h"
#include "support/TestSupport.h"
#include "synth/Synthetic.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

class LoadSequence : public ::testing::Test {
 protected:
  ReadOutcome Load(const std::string& name, const std::string& content) {
    session.Record.CurrentFilePath = folder.Write(name, content);
    session.Record.CurrentFileName = name;
    return LoadCurrentFile(session, feedback);
  }
  test::TempFolder folder;
  Session session;
  ScriptedFeedback feedback;
};

TEST_F(LoadSequence, StartsFromTheEmptyStateAndEndsInItAfterAFailure) {
  Load("leaf1.txt", test::AsciiMeasurement());
  session.Record.AutosaveDone = true;
  EXPECT_EQ(Load("bad.txt", test::DecreasingTimes()), ReadOutcome::Failed);
  EXPECT_TRUE(session.Record.CurrentFilePath.empty());
  EXPECT_FALSE(session.Record.DataLoaded);
  EXPECT_FALSE(session.Record.AutosaveDone);
  EXPECT_EQ(session.Results.ResultRowCount, 1);
  EXPECT_EQ(feedback.Messages.size(), 1u);
}

// Only "Adjust peak position" moves a kept I4 to the DF maximum after point 20; the DF table of a
// recording is computed either way.
TEST_F(LoadSequence, ReCentresKeptPeaksOfARecordingOnlyWithAdjust) {
  synth::RecordingOptions options;
  options.M = 3000;
  session.Options.AdjustI4 = true;
  for (bool adjust : {false, true}) {
    session.Options.OptionsAdjust = adjust;
    session.Record.DFPoints[4].I = 30;
    ASSERT_EQ(Load("leaf.dat", synth::MakeRecording(options)), ReadOutcome::Loaded);
    EXPECT_NE(session.DFTable.Cells[1][4], kUncomputedCell);
    if (!adjust) {
      EXPECT_EQ(session.Record.DFPoints[4].I, 30);
    }
  }
  const Measurement& record = session.Record;
  EXPECT_NE(record.DFPoints[4].I, 30);
  for (int j = 20; j < record.PointCount; ++j)
    ASSERT_GE(record.DFValues[record.DFPoints[4].I], record.DFValues[j]);
}

}  // namespace
}  // namespace tolmek
