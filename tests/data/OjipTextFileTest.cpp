#include "data/OjipTextFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ReaderTest.h"
#include "data/AsciiFile.h"
#include "data/Errors.h"
#include "data/ReaderExit.h"

namespace tolmek {
namespace {

using test::OjipExportText;

class OjipText : public test::ReaderTest {};

const std::string kRealExport5 = std::string(TOLMEK_TEST_DATA_DIR) + "/ojip-export-5.txt";

TEST_F(OjipText, RealExportLoadsFromTheFirstSampleAt40MicrosecondsWithoutBackground) {
  std::filesystem::copy_file(kRealExport5, folder.File("leaf.TXT"));
  ASSERT_EQ(ReadOjipTextFile(session, feedback, folder.File("leaf.TXT")), ReadOutcome::Loaded);
  const Measurement& record = session.Record;
  EXPECT_EQ(record.PointCount, 455);  // the samples from 41 us to 2001.621 ms
  EXPECT_FLOAT_EQ(record.TimeValues[1], 0.041f);
  EXPECT_EQ(record.PFValues[1], 43369.0f);   // 43694 - Bckg 325: the instrument's Fo
  EXPECT_EQ(record.PFPoints[kSlotFm], 273);  // P: 59495 - 325 at 181.621 ms
  EXPECT_EQ(kFileTypeNames[record.FileTypeCode], std::string("OJIP text export"));
  EXPECT_EQ(record.HeaderComments[0], "13:39:41  18.12.2023");
  EXPECT_EQ(record.HeaderComments[1], "OJIP");
  EXPECT_TRUE(feedback.Messages.empty());
}

TEST_F(OjipText, LoadsTheFirstOfSeveralMeasurementsAndSaysHowManyWhateverTheLineEnds) {
  for (const std::string lineEnd : {"\r\n", "\n", "\r"}) {
    ASSERT_EQ(ReadAs(ReadOjipTextFile, "three.txt", OjipExportText(3, 20, lineEnd)),
              ReadOutcome::Loaded);
    EXPECT_EQ(session.Record.PointCount, 20);
    EXPECT_FLOAT_EQ(session.Record.TimeValues[1], 0.05f);
    EXPECT_EQ(session.Record.PFValues[20], 1020.0f);
    EXPECT_EQ(session.Record.HeaderComments[2], "leaf 1");
    ASSERT_EQ(feedback.Messages.size(), 1u);
    EXPECT_NE(feedback.Messages[0].Text.find("holds 3 measurements"), std::string::npos);
    EXPECT_EQ(feedback.Messages[0].Icon, MessageIcon::Information);
  }
}

TEST_F(OjipText, ReportsBadInputAndLeavesTheEmptyState) {
  const std::string good = OjipExportText(2, 5, "\n");
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const std::pair<std::string, std::string> cases[] = {
      {good.substr(0, good.find("Bckg")), errors::kInputPastEnd},
      {good.substr(0, good.find("\n50\t")), errors::kInputPastEnd},
      {replaced("\n100\t1102\t2102\t", "\n100\t1102\tx\t"), errors::kTypeMismatch},
      {replaced("\n100\t1102\t2102\t", "\n100\t1102\t"), errors::kTypeMismatch},
      {replaced("\n150\t", "\n40\t"), kNonMonotonousText},
      {replaced("\n100\t", "\n50\t"), errors::kDivisionByZero},
      {replaced("Bckg\t100\t100\t", "Bckg\t100\t"), errors::kInputPastEnd},
      {replaced("\n50\t1101\t", "\n50\t1e999\t"), errors::kOverflow},
      {"not an export\n" + good.substr(good.find('\n') + 1), kUnreadableFileText},
      {OjipExportText(1, kAsciiCapacity + 1), errors::kSubscriptOutOfRange},
  };
  for (const auto& [content, message] : cases) {
    SCOPED_TRACE(message);
    ExpectFailure(ReadAs(ReadOjipTextFile, "bad.txt", content), message);
  }
  EXPECT_EQ(ReadAs(ReadOjipTextFile, "full.txt", OjipExportText(1, kAsciiCapacity)),
            ReadOutcome::Loaded);
}

// (tolmek-batch --split is tested with the files it writes loading again.)
TEST_F(OjipText, SplitNamesItsFilesByIndexInTheCaseOfTheExportsExtension) {
  ASSERT_TRUE(SplitOjipExport(feedback, folder.Write("LEAF.TXT", OjipExportText(2, 12))));
  EXPECT_EQ(feedback.MessageTexts(), std::vector<std::string>{"Written: LEAF-5.ASC, LEAF-6.ASC"});
  EXPECT_EQ(test::Slurp(folder.File("LEAF-6.ASC")).substr(0, 39),
            "0.050         2001.00       0.00\r\n0.100");
  feedback.Messages.clear();
  EXPECT_FALSE(SplitOjipExport(feedback, folder.Write("cut.txt", "x ASCII Export File\r\n")));
  EXPECT_EQ(feedback.MessageTexts(), std::vector<std::string>{errors::kInputPastEnd});
}

}  // namespace
}  // namespace tolmek
