#include "app/ShellCommands.h"

#include <gtest/gtest.h>

#include "MeasurementTexts.h"
#include "app/FileInfo.h"
#include "app/LoadSequence.h"
#include "data/FolderList.h"
#include "support/TestSupport.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

TEST(OpenedFile, TakesItsFolderAsTheWalkAndFindsItsPlaceThere) {
  test::TempFolder folder;
  Session session;
  for (const char* name : {"a 1.tmk", "b 2.tmk", "c 3.tmk", "d.asc"})
    folder.Write(name, test::NativeMeasurement());
  // A command line, a dropped file or a second start's hand-over: one path, blanks and all.
  TakeOpenedFile(session, folder.File("b 2.tmk"));
  EXPECT_EQ(session.Record.CurrentFileName, "b 2.tmk");
  EXPECT_EQ(session.Options.DataFolder, folder.Path());
  EXPECT_EQ(session.Folder.FileList, (std::vector<std::string>{"a 1.tmk", "b 2.tmk", "c 3.tmk"}));
  EXPECT_EQ(session.Folder.FileIndex, 1);
  EXPECT_EQ(WalkPositionText(session), "");  // nothing loaded yet
  ScriptedFeedback feedback;
  ASSERT_EQ(LoadCurrentFile(session, feedback), ReadOutcome::Loaded);
  EXPECT_EQ(WalkPositionText(session), "File 2 of 3");
}

TEST(FileInfoWindow, ShortensLongPathsAndShowsTheGainsOfTheDescribedFileOnly) {
  EXPECT_EQ(ShortenedPath("/DATA/EXPERIMENTS/2024/SERIES-A/leaf1.dat",
                          "/DATA/EXPERIMENTS/2024/SERIES-A", "leaf1.dat"),
            "/DATA/EXPERIMENTS/202.../leaf1.dat");
  EXPECT_EQ(ShortenedPath("/data/leaf1.dat", "/data", "leaf1.dat"), "/data/leaf1.dat");
  const std::string longName(40, 'n');
  EXPECT_EQ(ShortenedPath("/d/" + longName, "/d", longName), ".../" + longName);

  test::TempFolder folder;
  Session session;
  ScriptedFeedback feedback;
  session.Record.CurrentFilePath = folder.Write("a.tmk", test::NativeMeasurement());
  ASSERT_EQ(LoadCurrentFile(session, feedback), ReadOutcome::Loaded);
  FileInfoTexts info = DescribeLoadedFile(session);
  EXPECT_EQ(info.Type, "Tolmek32 format");
  EXPECT_EQ(info.PF, "6");
  EXPECT_EQ(info.Comments[4], "c5");
  session.Record.CurrentFilePath = folder.Write("b.asc", test::AsciiMeasurement());
  ASSERT_EQ(LoadCurrentFile(session, feedback), ReadOutcome::Loaded);
  info = DescribeLoadedFile(session);
  EXPECT_EQ(info.Type, "Text file");
  EXPECT_TRUE(info.PF.empty() && info.DF.empty() && info.Comments[0].empty());
}

TEST(FileWalk, StepsByNameWhenTheLoadedFileIsNotInItsList) {
  test::TempFolder folder;
  Session session;
  ScriptedFeedback feedback;
  for (const char* name : {"a.tmk", "b.tmk", "d.tmk"})
    folder.Write(name, test::NativeMeasurement());
  TakeOpenedFile(session, folder.File("b.tmk"));
  ASSERT_EQ(LoadCurrentFile(session, feedback), ReadOutcome::Loaded);
  EXPECT_TRUE(CanGoToPreviousFile(session) && CanGoToNextFile(session));
  // An index past the list's end: the loaded file's name still places it between a and d.
  session.Folder.FileIndex = 7;
  EXPECT_TRUE(CanGoToPreviousFile(session) && CanGoToNextFile(session));
  EXPECT_EQ(WalkPositionText(session), "Not in its folder's list");
  // The listing finds b.tmk again, so the step is an ordinary one, without a message.
  EXPECT_TRUE(StepFileWalk(session, feedback, -1));
  EXPECT_EQ(session.Record.CurrentFilePath, folder.File("a.tmk"));
  EXPECT_TRUE(feedback.Messages.empty());
  // Nothing before the first name, nothing after the last.
  session.Folder.FileList = {"c.tmk"};
  EXPECT_FALSE(CanGoToPreviousFile(session));
  EXPECT_TRUE(CanGoToNextFile(session));
  session.Record.CurrentFileName = "e.tmk";
  EXPECT_TRUE(CanGoToPreviousFile(session) && !CanGoToNextFile(session));
}

TEST(SaveAsc, AsksBeforeReplacingAnExistingTableAndNoKeepsIt) {
  test::TempFolder folder;
  Session session;
  ScriptedFeedback feedback;
  session.Record.CurrentFilePath = folder.Write("a.tmk", test::NativeMeasurement());
  ASSERT_EQ(LoadCurrentFile(session, feedback), ReadOutcome::Loaded);
  SaveAscFiles(session, feedback);
  EXPECT_TRUE(feedback.Questions.empty());
  folder.Write("a.asc", "kept");
  SaveAscFiles(session, feedback);
  EXPECT_EQ(feedback.Questions, std::vector<std::string>{kOverwriteQuestion});
  EXPECT_EQ(test::Slurp(folder.File("a.asc")), "kept");
  feedback.Answers = {Answer::Yes};
  SaveAscFiles(session, feedback);
  EXPECT_NE(test::Slurp(folder.File("a.asc")), "kept");
}

}  // namespace
}  // namespace tolmek
