// A batch over many files: the backups stay one file behind whatever happens to the result files,
// bad files are named and skipped, and a file system that fails in the middle loses nothing.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "MeasurementTexts.h"
#include "analysis/PFResults.h"
#include "app/Batch.h"
#include "data/FileIO.h"
#include "support/TestSupport.h"
#include "synth/Synthetic.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;
using test::Slurp;
using test::SmallFileSystem;
using test::TempFolder;

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
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

class BatchAtScale : public ::testing::Test {
 protected:
  BatchAtScale() { FillResultColumnNames(session.Results); }
  std::vector<std::string> Measurements(const std::string& folder, int count) const {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
      paths.push_back(folder + "/m" + std::to_string(1000 + i) + ".txt");
      std::ofstream(paths.back(), std::ios::binary) << test::AsciiMeasurement();
    }
    return paths;
  }
  TempFolder folder;
  Session session;
  ScriptedFeedback feedback;
};

TEST_F(BatchAtScale, BackupsHoldTheResultFilesAsTheyWereBeforeEachFileWhoeverChangedThem) {
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

TEST_F(BatchAtScale, AppendsToResultFilesWhateverTheCaseOfTheirNames) {
  folder.Write("FL.RES", "heading\t\r\n");
  folder.Write("Df.Res", "");
  RunBatch(session, feedback, Measurements(folder.Path(), 3));
  EXPECT_FALSE(fs::exists(folder.File("fl.res")) || fs::exists(folder.File("df.res")));
  EXPECT_EQ(Count(Slurp(folder.File("FL.RES")), "\r\nm100"), 3u);
  ExpectWholeBlocks(Slurp(folder.File("Df.Res")), 3);
  EXPECT_EQ(Count(Slurp(folder.File("FL.bak")), "\r\nm100"), 2u);
}

// The real tolmek-batch over a folder of which every tenth file is bad.
TEST(BatchCommandAtScale, ProcessesEveryGoodFileOnceAndNamesEveryBadOne) {
  TempFolder data;
  const std::string good = synth::MakeRecording({.M = 600});
  std::vector<std::string> bad;
  std::string names;
  for (int i = 0; i < 1000; ++i) {
    const std::string name = "r" + std::to_string(1000 + i) + ".dat";
    std::string bytes = good;
    if (i % 10 == 3) bytes.resize(300);                 // truncated
    if (i % 10 == 6) bytes[3] = 2;                      // a type the reader does not know
    if (i % 10 == 9) bytes = test::AsciiMeasurement();  // text named .dat
    if (bytes != good) bad.push_back(name);
    data.Write(name, bytes);
    names += " " + data.File(name);
  }
  const TempFolder logs;
  const std::string command =
      std::string(TOLMEK_BATCH_EXE) + names + " >/dev/null 2>" + logs.File("err");
  const int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 1);
  const std::string flRes = Slurp(data.File("fl.res"));
  ExpectWholeRows(flRes, 700);
  ExpectWholeBlocks(Slurp(data.File("df.res")), 700);
  const std::string messages = Slurp(logs.File("err"));
  for (const std::string& name : bad) EXPECT_NE(messages.find(name + ": "), std::string::npos);
  EXPECT_EQ(Count(flRes, "\r\nr1000.dat\t"), 1u);
  EXPECT_EQ(Count(flRes, "\r\nr1003.dat\t"), 0u);
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

TEST_F(BatchAtScale, AFullDiskLosesNothingThatWasThere) {
  const SmallFileSystem disk("size=192k,nr_inodes=4096");
  if (!disk.SkipReason().empty()) GTEST_SKIP() << disk.SkipReason();
  const std::vector<std::string> paths = Measurements(disk.Path(), 20);
  RunBatch(session, feedback, {paths[0], paths[1]});  // outputs that exist before the failure
  const auto before = Contents(disk.Path());
  const BatchSummary summary = RunBatch(session, feedback, paths);
  ExpectNothingLost(before, disk.Path(), feedback, summary, "Disk full");
}

TEST_F(BatchAtScale, AFolderThatTurnsReadOnlyLosesNothingThatWasThere) {
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
