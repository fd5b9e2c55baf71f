#include "app/Batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "MeasurementTexts.h"
#include "analysis/PFResults.h"
#include "app/LoadSequence.h"
#include "data/FileIO.h"
#include "support/TestSupport.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test::Count;
using test::Slurp;
using test::SmallFileSystem;
using test::TempFolder;

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

// FL.RES of whole rows only: the heading, then rows of 28 fields each ended by TAB, CR LF.
void ExpectWholeRows(const std::string& flRes, size_t rows) {
  EXPECT_EQ(Count(flRes, "\r\n"), rows + 1);
  EXPECT_EQ(Count(flRes, "\t"), 28 * (rows + 1));
  EXPECT_TRUE(flRes.empty() || flRes.ends_with("\t\r\n"));
}

// DF.RES of whole blocks only: eleven lines each, the last one empty.
void ExpectWholeBlocks(const std::string& dfRes, size_t blocks) {
  EXPECT_EQ(Count(dfRes, "\r\n"), 11 * blocks);
  EXPECT_EQ(Count(dfRes, "\r\n\r\n"), blocks);
  EXPECT_TRUE(dfRes.empty() || dfRes.ends_with("  \r\n\r\n"));
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
  // Count copies of the hand-made ASCII measurement in the folder.
  static std::vector<std::string> Measurements(const std::string& where, int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
      paths.push_back(where + "/m" + std::to_string(1000 + i) + ".txt");
      std::ofstream(paths.back(), std::ios::binary) << test::AsciiMeasurement();
    }
    return paths;
  }
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
  EXPECT_FALSE(session.Options.AutosaveEnabled);
  EXPECT_EQ(session.Options.DataFolder, folder.Path());
}

TEST_F(Batch, FirstWritesTheOutputsOfTheFileLoadedBeforeOnlyWhenAutosaveIsOn) {
  for (const bool autosave : {false, true}) {
    session.Options.AutosaveEnabled = autosave;
    session.Options.DataFolder = folder.Path();
    session.Record.CurrentFilePath = folder.Write("open.txt", test::AsciiMeasurement());
    session.Record.CurrentFileName = "open.txt";
    ASSERT_EQ(LoadCurrentFile(session, feedback), ReadOutcome::Loaded);
    RunBatch(session, feedback, {folder.Write("a.txt", test::AsciiMeasurement())});
    EXPECT_EQ(Exists("open.tmk"), autosave);
    EXPECT_TRUE(Exists("a.tmk"));
    EXPECT_EQ(session.Options.AutosaveEnabled, autosave);
  }
}

TEST_F(Batch, BackupsHoldTheResultFilesAsTheyWereBeforeEachFileWhoeverChangedThem) {
  const std::string fl = folder.File("fl.res");
  const std::string df = folder.File("df.res");
  std::string flBefore;
  std::string dfBefore;
  int file = 0;
  const auto beforeFile = [&](const std::string&) {
    ++file;
    if (file >= 3) {
      EXPECT_EQ(Slurp(folder.File("fl.bak")), flBefore) << "before file " << file;
      EXPECT_EQ(Slurp(folder.File("df.bak")), dfBefore) << "before file " << file;
    }
    // Someone else changes the files between two of the batch's writes.
    if (file == 4) AppendToFile(fl, "edited\t\r\n");
    if (file == 5) AppendToFile(folder.File("df.bak"), "edited\r\n");
    if (file == 6) WriteFileReplacing(fl, "replaced\r\n");
    flBefore = Slurp(fl);
    dfBefore = Slurp(df);
  };
  const BatchSummary summary =
      RunBatch(session, feedback, Measurements(folder.Path(), 8), beforeFile);
  EXPECT_EQ(summary.Processed, 8);
  EXPECT_EQ(Slurp(folder.File("fl.bak")), flBefore);
  EXPECT_EQ(Slurp(folder.File("df.bak")), dfBefore);
  EXPECT_EQ(Count(Slurp(fl), "\r\nm1007.txt\t"), 1u);
}

TEST_F(Batch, AppendsToResultFilesWhateverTheCaseOfTheirNames) {
  folder.Write("FL.RES", "heading\t\r\n");
  folder.Write("Df.Res", "");
  RunBatch(session, feedback, Measurements(folder.Path(), 3));
  EXPECT_FALSE(fs::exists(folder.File("fl.res")) || fs::exists(folder.File("df.res")));
  EXPECT_EQ(Count(Slurp(folder.File("FL.RES")), "\r\nm100"), 3u);
  ExpectWholeBlocks(Slurp(folder.File("Df.Res")), 3);
  EXPECT_EQ(Count(Slurp(folder.File("FL.bak")), "\r\nm100"), 2u);
}

// The line of FL.RES that starts with the name, and the block of DF.RES under the name.
std::string ResultLine(const std::string& flRes, const std::string& name) {
  const size_t start = flRes.find("\r\n" + name + "\t");
  return start == std::string::npos ? ""
                                    : flRes.substr(start, flRes.find("\r\n", start + 2) - start);
}
std::string DFBlock(const std::string& dfRes, const std::string& name) {
  const size_t start = dfRes.find(name + "\r\n");
  return start == std::string::npos ? ""
                                    : dfRes.substr(start, dfRes.find("\r\n\r\n", start) - start);
}

// Kept DF peaks (on from the start) skip a measurement whose DF is zero throughout, as every OJIP
// export's is: it gets the outputs it gets alone, and the next measurement with DF gets them back.
TEST_F(Batch, AMeasurementWithoutDFGetsTheOutputsItGetsAloneWhateverWasLoadedBefore) {
  const std::string ojip = Slurp(std::string(TOLMEK_TEST_DATA_DIR) + "/ojip-export-2.txt");
  std::map<std::string, DFPeakTable> tables;
  const auto keepTable = [&](Session& loaded, const std::string& path) {
    tables[path] = loaded.DFTable;
    return true;
  };
  TempFolder alone;
  Session fresh;
  FillResultColumnNames(fresh.Results);
  const std::string aloneOjip = alone.Write("e.txt", ojip);
  RunBatch(fresh, feedback, {aloneOjip}, {}, keepTable);
  const std::string afterPeaks = folder.Write("e.txt", ojip);
  RunBatch(session, feedback,
           {folder.Write("a.tmk", test::NativeMeasurement()), afterPeaks,
            folder.Write("c.txt", test::AsciiMeasurement())},
           {}, keepTable);

  const std::string flRes = Slurp(folder.File("fl.res"));
  const std::string dfRes = Slurp(folder.File("df.res"));
  ASSERT_NE(ResultLine(flRes, "e.txt"), "");
  EXPECT_EQ(ResultLine(flRes, "e.txt"), ResultLine(Slurp(alone.File("fl.res")), "e.txt"));
  ASSERT_NE(DFBlock(dfRes, "e"), "");
  EXPECT_EQ(DFBlock(dfRes, "e"), DFBlock(Slurp(alone.File("df.res")), "e"));
  EXPECT_EQ(tables[afterPeaks].Cells, tables[aloneOjip].Cells);
  // a.tmk's wave 1 (points 10 and 16) is c.txt's again.
  EXPECT_NE(ResultLine(flRes, "c.txt").find("\t100.0\t40.0\t0.0\t"), std::string::npos);
}

// Every file there before keeps its content (result files as a prefix); the result files hold
// whole rows and blocks; the failure is reported and counted.
void ExpectNothingLost(const std::map<std::string, std::string>& before, const std::string& folder,
                       const ScriptedFeedback& feedback, const BatchSummary& summary,
                       const std::string& failure) {
  for (const auto& [path, content] : before) {
    const std::string now = Slurp(path);
    if (path.ends_with(".res")) {
      EXPECT_TRUE(now.starts_with(content)) << path;
    } else if (path.ends_with(".bak")) {
      // The backup follows its result file, one change behind.
      EXPECT_TRUE(Slurp(DropLast(path, 3) + "res").starts_with(now)) << path;
    } else {
      EXPECT_EQ(now, content) << path;
    }
  }
  const std::string flRes = Slurp(folder + "/fl.res");
  const std::string dfRes = Slurp(folder + "/df.res");
  ExpectWholeRows(flRes, Count(flRes, "\r\n") - 1);
  ExpectWholeBlocks(dfRes, Count(dfRes, "\r\n") / 11);
  EXPECT_GT(summary.Failed, 0);
  const bool reported =
      std::any_of(feedback.Messages.begin(), feedback.Messages.end(),
                  [&](const auto& m) { return m.Text.find(failure) != std::string::npos; });
  EXPECT_TRUE(reported) << failure;
}

std::map<std::string, std::string> Contents(const std::string& folder) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : fs::directory_iterator(folder))
    contents[entry.path().string()] = Slurp(entry.path().string());
  return contents;
}

TEST_F(Batch, AFullDiskLosesNothingThatWasThere) {
  const SmallFileSystem disk("size=192k,nr_inodes=4096");
  if (!disk.SkipReason().empty()) GTEST_SKIP() << disk.SkipReason();
  const std::vector<std::string> paths = Measurements(disk.Path(), 20);
  RunBatch(session, feedback, {paths[0], paths[1]});  // outputs that exist before the failure
  const auto before = Contents(disk.Path());
  const BatchSummary summary = RunBatch(session, feedback, paths);
  ExpectNothingLost(before, disk.Path(), feedback, summary, "Disk full");
}

TEST_F(Batch, AFolderThatTurnsReadOnlyLosesNothingThatWasThere) {
  const SmallFileSystem disk("size=1m");
  if (!disk.SkipReason().empty()) GTEST_SKIP() << disk.SkipReason();
  const std::vector<std::string> paths = Measurements(disk.Path(), 6);
  RunBatch(session, feedback, {paths[0], paths[1], paths[2], paths[3]});
  const auto before = Contents(disk.Path());
  int file = 0;
  const BatchSummary summary = RunBatch(session, feedback, paths, [&](const std::string&) {
    if (++file == 3) {
      EXPECT_TRUE(disk.MakeReadOnly());
    }
  });
  ExpectNothingLost(before, disk.Path(), feedback, summary, "Permission denied");
}

}  // namespace
}  // namespace tolmek
