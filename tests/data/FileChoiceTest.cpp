#include "data/FileChoice.h"

#include <gtest/gtest.h>

#include "data/FileIO.h"
#include "support/TestSupport.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

using test::Slurp;
using test::TempFolder;

TEST(FileChoice, TheLastThreeCharactersInAnyCaseChooseTheReaderAndTheWriter) {
  for (const char* name : {"DATA.DAT", "data.dat", "x.da", "/m/leaf.Da"})
    EXPECT_EQ(ChooseReader(name), ReaderKind::Instrument) << name;
  for (const char* name : {"x.tmk", "X.TMK", "/m/a.Tmk"})
    EXPECT_EQ(ChooseReader(name), ReaderKind::Native) << name;
  for (const char* name : {"x.txt", "x.asc", "x.res", "noextension", "x.dta", "tmk.asc", ""})
    EXPECT_EQ(ChooseReader(name), ReaderKind::Ascii) << name;
  EXPECT_TRUE(SavesAsNative("a.TmK"));
  EXPECT_FALSE(SavesAsNative("a.asc"));
  EXPECT_FALSE(SavesAsNative("a.tmk.txt"));
}

TEST(FileChoice, UnreadableFileIsReportedAndLeavesTheEmptyState) {
  Session session;
  ScriptedFeedback feedback;
  session.Record.CurrentFilePath = "/m/x.dat";
  ReportUnreadableFile(session, feedback);
  EXPECT_EQ(feedback.MessageTexts(),
            std::vector<std::string>{
                "Cannot read file. The file is not in the correct format or is corrupt.\r"
                "If this is a text file, please change its extension."});
  EXPECT_TRUE(session.Record.CurrentFilePath.empty());
}

}  // namespace
}  // namespace tolmek
