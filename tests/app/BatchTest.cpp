#include "app/Batch.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "MeasurementTexts.h"
#include "analysis/PFResults.h"
#include "app/LoadSequence.h"
#include "support/TestSupport.h"
#include "synth/Synthetic.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

using namespace std::string_literals;

TEST(BatchSelection, SplitsFolderAndUpToAThousandNamesAndNeedsTwo) {
  BatchSelection selection;
  EXPECT_FALSE(SplitBatchSelection("/data/a.dat", selection));
  EXPECT_FALSE(SplitBatchSelection("/data\0a.dat"s, selection));
  ASSERT_TRUE(SplitBatchSelection("/data\0a.dat\0b 2.tmk"s, selection));
  EXPECT_EQ(selection.Folder, "/data");
  EXPECT_EQ(selection.Names, (std::vector<std::string>{"a.dat", "b 2.tmk"}));
  std::string answer = "/data";
  for (int i = 0; i < 1005; ++i) answer += "\0n"s + std::to_string(i) + ".asc";
  ASSERT_TRUE(SplitBatchSelection(answer, selection));
  ASSERT_EQ(selection.Names.size(), 1000u);
  EXPECT_EQ(selection.Names.back(), "n999.asc");
}

class Batch : public ::testing::Test {
 protected:
  Batch() { FillResultColumnNames(session.Results); }
  BatchSummary RunThreeFilesSecondUnreadable(Answer answer) {
    feedback.Answers = {answer};
    return RunBatch(session, feedback,
                    {folder.Write("a.txt", test::AsciiMeasurement()),
                     folder.Write("b.txt", test::DecreasingTimes()),
                     folder.Write("c.tmk", test::NativeMeasurement())});
  }
  bool Exists(const std::string& name) const { return std::filesystem::exists(folder.File(name)); }
  test::TempFolder folder;
  Session session;
  ScriptedFeedback feedback;
};

TEST_F(Batch, AsksOnceAfterAnUnreadableFileAndStopsOnNoOrGoesOnOnYes) {
  BatchSummary summary = RunThreeFilesSecondUnreadable(Answer::No);
  EXPECT_EQ(feedback.Questions,
            (std::vector<std::string>{"Do you want to continue with the next files?"}));
  EXPECT_EQ(summary.Processed, 1);
  EXPECT_EQ(summary.Failed, 1);
  EXPECT_TRUE(summary.Stopped);
  EXPECT_TRUE(Exists("a.tmk"));
  EXPECT_FALSE(Exists("b.tmk") || Exists("c.asc"));

  session.Options.DataFolder = "elsewhere";
  summary = RunThreeFilesSecondUnreadable(Answer::Yes);
  EXPECT_EQ(summary.Processed, 2);
  EXPECT_TRUE(Exists("a.asc") && Exists("c.asc"));
  EXPECT_NE(test::Slurp(folder.File("fl.res")).find("\r\nc.tmk\t"), std::string::npos);
  EXPECT_EQ(feedback.ProgressTexts.back(), "Processing c.tmk (file 3 of 3).");
  // It ends with nothing loaded, autosave as before and the batch's folder as the data folder.
  EXPECT_TRUE(session.Record.CurrentFilePath.empty());
  EXPECT_EQ(session.Options.AutosaveEnabled, 0);
  EXPECT_EQ(session.Options.DataFolder, folder.Path());
}

TEST_F(Batch, FirstWritesTheOutputsOfTheFileLoadedBeforeWhenAutosaveIsOn) {
  session.Options.AutosaveEnabled = 1;
  session.Options.DataFolder = folder.Path();
  session.Record.CurrentFilePath = folder.Write("open.txt", test::AsciiMeasurement());
  session.Record.CurrentFileName = "open.txt";
  ASSERT_EQ(LoadCurrentFile(session, feedback), ReadOutcome::Loaded);
  RunBatch(session, feedback, {folder.Write("a.txt", test::AsciiMeasurement())});
  EXPECT_TRUE(Exists("open.tmk") && Exists("a.tmk"));
}

TEST_F(Batch, CountsAnExportedTemperatureCurveAsProcessedWithoutAsking) {
  const std::string path = folder.Write("temp.dat", synth::MakeTemperatureRecording(1, 20, 256));
  const BatchSummary summary = RunBatch(session, feedback, {path});
  EXPECT_EQ(summary.Processed, 1);
  EXPECT_TRUE(feedback.Questions.empty());
  EXPECT_TRUE(Exists("temp.asc"));
  EXPECT_FALSE(Exists("temp.tmk"));
}

}  // namespace
}  // namespace tolmek
