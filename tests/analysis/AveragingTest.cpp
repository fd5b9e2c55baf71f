#include "analysis/Averaging.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/TestSupport.h"
#include "ui/ScriptedFeedback.h"

namespace tolmek {
namespace {

using test::Slurp;
using test::TempFolder;

const std::string kHeading = "Filename\tFo\tFi\tFd\tFm\tFm1\tFm2\tFs\t...\tD6\t";

// An FL.RES data line: the name field, then the given fields and empty ones up to 27.
std::string FLLine(const std::string& name, std::vector<std::string> fields) {
  fields.resize(27);
  std::string line = name + "\t";
  for (const auto& field : fields) line += field + "\t";
  return line + "\r\n";
}

// The expected output line: name field, then one field per column.
std::string OutLine(const std::string& name, std::vector<std::string> fields) {
  return FLLine(name + " ", std::move(fields));
}

class ResultAveraging : public testing::Test {
 protected:
  bool Run(const std::string& rows) {
    folder.Write("fl.res", kHeading + "\r\n" + rows);
    return AverageResults(feedback, folder.Path(), 1);
  }
  std::string Means() const { return Slurp(folder.File("Fl_avg.res")); }
  std::string Errors() const { return Slurp(folder.File("Fl_err.res")); }
  TempFolder folder;
  ScriptedFeedback feedback;
};

TEST_F(ResultAveraging, ReplicatesGiveMeansAndStandardErrorsAndALoneFirstRowItsOwnLine) {
  // An empty field is left out of its column without shifting the next.
  ASSERT_TRUE(Run(FLLine("solo0001", std::vector<std::string>(27, "4.00")) +
                  FLLine("leaf0121", {"", "5"}) + FLLine("leaf0122", {"2", "7"}) +
                  FLLine("leaf0123", {"4", "9"})));
  EXPECT_EQ(Means(), kHeading + "\r\n" + OutLine("solo000", std::vector<std::string>(27, "4.00")) +
                         OutLine("leaf012", {"3.00", "7.00"}));
  EXPECT_EQ(Errors(), kHeading + "\r\n" +
                          OutLine("solo000", std::vector<std::string>(27, "0.000")) +
                          OutLine("leaf012", {"1.000", "1.155"}));
  EXPECT_FALSE(feedback.ProgressVisible);
}

TEST_F(ResultAveraging, AGroupTakesAtMostTenMembersAndNeverAMarkedName) {
  std::string rows = FLLine("rep0000!", {"500"});
  for (char last : std::string("0123456789")) rows += FLLine(std::string("rep0000") + last, {"1"});
  rows += FLLine("rep0000a", {"1000"});  // an eleventh replicate is not averaged
  ASSERT_TRUE(Run(rows + FLLine("lone012!", {"7"})));
  EXPECT_EQ(Means(), kHeading + "\r\n" + OutLine("rep0000", {"1.00"}));
}

TEST_F(ResultAveraging, AMissingFileIsReportedAndAFileOfAnyCaseIsReadAndReplaced) {
  EXPECT_FALSE(AverageResults(feedback, folder.Path(), 1));
  ASSERT_EQ(feedback.MessageTexts(), std::vector<std::string>{"fl.res: File not found"});
  EXPECT_EQ(feedback.Messages[0].Icon, MessageIcon::Critical);
  EXPECT_FALSE(std::filesystem::exists(folder.File("Fl_avg.res")));
  folder.Write("FL.RES", kHeading + "\r\n" + FLLine("leaf0121", {"2"}));
  folder.Write("FL_AVG.RES", "old");
  ASSERT_TRUE(AverageResults(feedback, folder.Path(), 1));
  EXPECT_EQ(Slurp(folder.File("FL_AVG.RES")), kHeading + "\r\n" + OutLine("leaf012", {"2.00"}));
  EXPECT_FALSE(std::filesystem::exists(folder.File("Fl_avg.res")));
  EXPECT_TRUE(std::filesystem::exists(folder.File("Fl_err.res")));
}

// When no two rows group, the message says why: users expect replicates to be found.
TEST_F(ResultAveraging, SaysWhyNoReplicatesWereFound) {
  ASSERT_TRUE(Run(FLLine("leaf01.tmk", {"1"}) + FLLine("root02.asc", {"2"})));
  ASSERT_EQ(feedback.MessageTexts(),
            std::vector<std::string>{"No replicates found in fl.res: fl.res holds full file names; "
                                     "switch on Strip file name to average replicates"});
  EXPECT_EQ(feedback.Messages[0].Icon, MessageIcon::Information);
  feedback.Messages.clear();
  ASSERT_TRUE(Run(FLLine("leafA001", {"1"}) + FLLine("leafB002", {"2"})));
  ASSERT_EQ(feedback.MessageTexts().size(), 1u);
  EXPECT_TRUE(feedback.MessageTexts()[0].starts_with(
      "No replicates found in fl.res: no two names in fl.res agree in their first 7 characters"));
  // One group of replicates, or a single row: nothing to explain.
  feedback.Messages.clear();
  ASSERT_TRUE(
      Run(FLLine("leafA001", {"1"}) + FLLine("leafA002", {"2"}) + FLLine("solo0001", {"3"})));
  ASSERT_TRUE(Run(FLLine("leaf01.tmk", {"1"})));
  EXPECT_TRUE(feedback.Messages.empty());
}

// Rows typed or converted elsewhere: numbers separated by blanks, lines ended by CR alone.
TEST_F(ResultAveraging, RowsSeparatedByBlanksOrEndedByCarriageReturnsAverageTheSame) {
  std::string spaced;
  for (int c = 1; c <= 27; ++c) spaced += " " + std::to_string(c % 2 ? 1 : 3);
  std::string tabbed = FLLine("leaf0122", std::vector<std::string>(27, "3"));
  tabbed.replace(tabbed.size() - 2, 2, "\r");
  ASSERT_TRUE(Run("leaf0121  " + spaced + "  \r" + tabbed));
  std::vector<std::string> means(27, "3.00");
  for (size_t c = 0; c < means.size(); c += 2) means[c] = "2.00";
  EXPECT_EQ(Means(), kHeading + "\r\n" + OutLine("leaf012", means));
}

TEST_F(ResultAveraging, RowsThatAreNotTwentySevenNumbersAreNamedAndNothingIsWritten) {
  std::string shortRow = FLLine("leaf0123", std::vector<std::string>(27, "1"));
  shortRow.erase(shortRow.rfind("1\t"), 2);
  EXPECT_FALSE(Run(FLLine("leaf0121", {"1"}) + FLLine("leaf0122", {"1", "x"}) + shortRow +
                   "leaf0124 1 2 3\r\n"));
  EXPECT_EQ(feedback.MessageTexts(),
            std::vector<std::string>{"fl.res: line 3 (leaf0122) cannot be read as 27 numbers\n"
                                     "fl.res: line 4 (leaf0123) cannot be read as 27 numbers\n"
                                     "fl.res: line 5 (leaf0124) cannot be read as 27 numbers"});
  EXPECT_FALSE(std::filesystem::exists(folder.File("Fl_avg.res")));
}

class CurveAveraging : public testing::Test {
 protected:
  bool Run(const std::vector<std::string>& names) {
    return AverageAscFiles(session, feedback, folder.Path(), names, 1);
  }
  TempFolder folder;
  Session session;
  ScriptedFeedback feedback;
};

TEST_F(CurveAveraging, ReplicatesGiveTheirMeanCurveAndAMarkedNameIsNeverAveragedAgain) {
  folder.Write("leaf012!.asc", "0.1 900 900\r\n0.2 900 900\r\n");
  folder.Write("leaf0121.asc", "0.1 1 10\r\n0.2 2 20\r\n");
  folder.Write("leaf0122.ASC", "0.100         3.00          30.00\r\n0.2,4,40\r\n");
  folder.Write("leaf0123.asc", "1E-1\t5\t50\r\n.2 6.5 60.25\r\n");
  folder.Write("solo012!.asc", "1 900 900\r\n");
  const std::vector<std::string> names = {"leaf012!.asc", "leaf0121.asc", "leaf0122.ASC",
                                          "leaf0123.asc", "solo012!.asc", "x.res"};
  ASSERT_TRUE(Run(names));
  EXPECT_EQ(Slurp(folder.File("leaf012!.avg")),
            "0.100         3.00          30.00\r\n"
            "0.200         4.17          40.08\r\n");
  EXPECT_FALSE(std::filesystem::exists(folder.File("solo012!.avg")));
}

TEST_F(CurveAveraging, TheShortestMemberOrAZeroTimeEndsTheCurve) {
  folder.Write("a1.asc", "1 2 2\r\n2 2 2\r\n3 2 2\r\n");
  folder.Write("a2.asc", "1 4 4\r\n2 4 4\r\n");
  folder.Write("b1.asc", "1 1 1\r\n0 1 1\r\n3 1 1\r\n");
  ASSERT_TRUE(Run({"a1.asc", "a2.asc", "b1.asc"}));
  EXPECT_EQ(Slurp(folder.File("a!.avg")),
            "1.000         3.00          3.00\r\n"
            "2.000         3.00          3.00\r\n");
  EXPECT_EQ(Slurp(folder.File("b!.avg")), "1.000         1.00          1.00\r\n");
}

TEST_F(CurveAveraging, EscStopsBeforeTheNextGroupAndKeepsWhatWasWritten) {
  for (const char* name : {"a1.asc", "a2.asc", "b1.asc", "b2.asc"}) folder.Write(name, "1 1 1\r\n");
  feedback.CancelAtTurn = 4;  // two sorting turns, then one per group
  EXPECT_FALSE(Run({"a1.asc", "a2.asc", "b1.asc", "b2.asc"}));
  EXPECT_TRUE(std::filesystem::exists(folder.File("a!.avg")));
  EXPECT_FALSE(std::filesystem::exists(folder.File("b!.avg")));
  EXPECT_FALSE(session.Record.CancelRequested);
}

// Members may have 10001 lines, the mean curve holds 10000.
TEST_F(CurveAveraging, AMemberThatIsTooLongOrNotATableStopsWithAMessage) {
  std::string lines;
  for (int r = 1; r <= 10001; ++r) lines += std::to_string(r) + " 1 1\r\n";
  folder.Write("a1.asc", lines);
  folder.Write("b1.asc", lines + "10002 1 1\r\n");
  folder.Write("c1.asc", "1 x 1\r\n");
  EXPECT_FALSE(Run({"a1.asc", "b1.asc"}));
  const std::string mean = Slurp(folder.File("a!.avg"));
  EXPECT_EQ(std::count(mean.begin(), mean.end(), '\n'), 10000);
  EXPECT_FALSE(Run({"c1.asc"}));
  EXPECT_EQ(feedback.MessageTexts(),
            (std::vector<std::string>{"b1.asc: Subscript out of range", "c1.asc: Type mismatch"}));
  EXPECT_FALSE(feedback.ProgressVisible);
}

}  // namespace
}  // namespace tolmek
