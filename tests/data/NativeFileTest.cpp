#include "data/NativeFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "ReaderTest.h"
#include "data/FileIO.h"

namespace tolmek {
namespace {

// Point lines of a small induction-like curve, times from 0.01.
std::string PointLines(int count) {
  std::string lines;
  for (int i = 1; i <= count; ++i)
    lines += std::to_string(i * 0.01) + "," + std::to_string(100 + (i % 5) * 10) + "," +
             std::to_string(50 + i) + "\r\n";
  return lines;
}

std::string DropFirstLine(const std::string& lines) {
  return lines.substr(lines.find('\n') + 1);
}

const std::string kComments = "\"c1\"\r\n\"c2\"\r\n\"c3\"\r\n\"c4\"\r\n\"c5\"\r\n";
const std::string kDFPairs = "11,12\r\n13,14\r\n15,16\r\n17,18\r\n19,20\r\n21,22\r\n";
const std::string kSlots = "1,2,3,4,5,6\r\n" + kDFPairs;
const std::string kHead = "\"TOLMEK13\"\r\n\"i\"\r\n" + kComments;

// Count line, point lines and six PF slots with six DF pairs.
std::string Body(int count) {
  return std::to_string(count) + "\r\n" + PointLines(count) + kSlots;
}

class NativeFile : public test::ReaderTest {
 protected:
  ReadOutcome Read(const std::string& content) { return ReadAs(ReadNativeFile, "m.tmk", content); }
};

TEST_F(NativeFile, EveryLayoutReadsItsHeaderPointsAndSlots) {
  // Versions 12 and 13 have an information line, version 32 none; the oldest layout has no version
  // line and stores only the PF slots Fi, Fd, Fm and Fs.
  const struct {
    std::string Head;
    std::string PFSlots;
    std::string Information;
    std::array<int16_t, 7> PFPoints;
  } cases[] = {
      {"", "1,2,3,7", "Unknown", {0, 1, 2, 3, 0, 0, 7}},
      {"\"TOLMEK13\"\r\n\"Leaf, 3rd\"\r\n", "1,2,3,4,5,6", "Leaf, 3rd", {0, 1, 2, 3, 4, 5, 6}},
      {"\"TOLMEK12\"\r\n\"Leaf 4\"\r\n", "1,2,3,4,5,6", "Leaf 4", {0, 1, 2, 3, 4, 5, 6}},
      {"\"TOLMEK32\"\r\n", "1,2,3,4,5,6", "Unknown", {0, 1, 2, 3, 4, 5, 6}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Information);
    ASSERT_EQ(Read(c.Head + kComments + "8\r\n" + PointLines(8) + c.PFSlots + "\r\n" + kDFPairs),
              ReadOutcome::Loaded);
    const Measurement& record = session.Record;
    EXPECT_EQ(record.ExperimentText, c.Information);
    EXPECT_EQ(record.HeaderComments, (std::array<std::string, 5>{"c1", "c2", "c3", "c4", "c5"}));
    EXPECT_EQ(record.PointCount, 8);
    EXPECT_EQ(record.FileTypeCode, 6);
    EXPECT_EQ(record.PFAmplification, 1);
    EXPECT_EQ(record.TimeValues[8], 0.08f);
    EXPECT_EQ(record.PFPoints, c.PFPoints);
    EXPECT_EQ(record.DFPoints[1], (DFPeakPair{11, 12}));
    EXPECT_EQ(record.DFPoints[6], (DFPeakPair{21, 22}));
    EXPECT_FLOAT_EQ(record.PFSlope[1], 110 / 0.01f);
    EXPECT_EQ(record.PFSlope[2], 0);
    EXPECT_EQ(record.DFSlope[1], 0);
    session.Record.ExperimentText = "left over";  // the next versioned file sets its own
  }
}

TEST_F(NativeFile, FieldsAcceptBlanksLeadingDotExponentsBareLineFeedsAndStopAtAQuote) {
  ASSERT_EQ(Read("TOLMEK13\n Unknown\n\"say \"hi\" now\"\n\"c2\"\n\"c3\"\n\"c4\"\n\"c5\"\n 8 \n"
                 ".5, 1E2 ,3\n" +
                 DropFirstLine(PointLines(8)) + "1,2,3,4,5,6\n" + kDFPairs),
            ReadOutcome::Loaded);
  EXPECT_EQ(session.Record.TimeValues[1], 0.5f);
  EXPECT_EQ(session.Record.PFValues[1], 100.0f);
  EXPECT_EQ(session.Record.HeaderComments[0], "say ");
  EXPECT_EQ(session.Record.HeaderComments[1], "c2");
}

TEST_F(NativeFile, WrittenFloatsReadBackBitForBit) {
  // -0 stays -0, and the shortest text of each value reads back as that value.
  const std::vector<float> time = {0, 1e-7f, 0.011f, 0.3f, 1.1f, 2.2f, 3.3f, 4.4f, 123456.79f};
  const std::vector<float> pf = {0, 400.25f, 410.1f, 390, 395, 1800.5f, -0.0f, 3e-9f, 1e30f};
  const std::string path = folder.File("r.tmk");
  ASSERT_TRUE(WriteNativeFile(Measurement{}, feedback, path, time, pf, pf, 8, ""));
  ASSERT_EQ(ReadNativeFile(session, feedback, path), ReadOutcome::Loaded);
  EXPECT_EQ(std::memcmp(session.Record.TimeValues.data(), time.data(), 9 * sizeof(float)), 0);
  EXPECT_EQ(std::memcmp(session.Record.PFValues.data(), pf.data(), 9 * sizeof(float)), 0);
  EXPECT_EQ(std::memcmp(session.Record.DFValues.data(), pf.data(), 9 * sizeof(float)), 0);
}

TEST_F(NativeFile, WriterLaysOutVersion13WithCrLfAndShortestFloats) {
  Measurement record;
  record.HeaderComments = {"one", "say \"hi\"", "line\r\nbreak", "", ""};
  record.PFPoints = {0, 1, 2, 3, 0, 0, 9};
  record.DFPoints[1] = {4, -5};
  const std::vector<float> time = {0, 0.011f, 2.5e-6f}, pf = {0, 400, 0.5f}, df = {0, -1, 0};
  EXPECT_EQ(NativeFileText(record, time, pf, df, 2, ""),
            "\"TOLMEK13\"\r\n\"Unknown\"\r\n\"one\"\r\n\"say 'hi'\"\r\n\"line  break\"\r\n"
            "\"\"\r\n\"\"\r\n2\r\n0.011,400,-1\r\n2.5e-06,0.5,0\r\n1,2,3,0,0,9\r\n4,-5\r\n"
            "0,0\r\n0,0\r\n0,0\r\n0,0\r\n0,0\r\n");
  // The information line follows the kind of data loaded.
  const std::string source = folder.Write("m.dat", "x");
  const std::string date = FileDateTimeText(source);
  ASSERT_FALSE(date.empty());
  record.ExperimentText = "exp";
  const std::pair<int16_t, std::string> lines[] = {
      {4, "Unknown"}, {6, "exp"}, {1, date}, {5, date}};
  for (const auto& [code, line] : lines) {
    record.FileTypeCode = code;
    EXPECT_TRUE(NativeFileText(record, time, pf, df, 0, source)
                    .starts_with("\"TOLMEK13\"\r\n\"" + line + "\"\r\n"))
        << code;
  }
}

TEST_F(NativeFile, BadInputFailsWithTheErrorTextAndLeavesTheEmptyState) {
  const std::string full = kHead + Body(8);
  const std::pair<std::string, const char*> cases[] = {
      {full.substr(0, full.size() - 30), "Input past end of file"},
      {kHead + "8\r\n" + PointLines(8).replace(5, 1, "x") + kSlots, "Type mismatch"},
      {kHead + "abc\r\n", "Type mismatch"},
      {kHead + "0\r\n1,2,3,4,5,6\r\n" + kDFPairs, "Subscript out of range"},
      {kHead + Body(6), "Subscript out of range"},
      {kHead + "2000000000\r\n" + PointLines(8), "Input past end of file"},
      {kHead + "-3\r\n" + PointLines(8), "Input past end of file"},
      {kHead + "8\r\n0,1,1\r\n" + DropFirstLine(PointLines(8)), "Division by zero"},
      {kHead + "8\r\n" + PointLines(8) + "1,2,40000,4,5,6\r\n" + kDFPairs, "Overflow"},
      {kHead + "8\r\n" + PointLines(8) + "1,2,3,4,5,6\r\n", "Input past end of file"},
  };
  for (const auto& [content, text] : cases) {
    SCOPED_TRACE(content.substr(0, 120));
    ExpectFailure(Read(content), text);
  }
  feedback.Messages.clear();
  ExpectFailure(ReadNativeFile(session, feedback, folder.File("none.tmk")),
                "none.tmk: File not found");
}

TEST_F(NativeFile, PointIndicesAreSixteenBitSoMoreThan32767PointsAreRefusedByName) {
  ASSERT_EQ(Read(kHead + Body(32767)), ReadOutcome::Loaded);
  EXPECT_EQ(session.Record.PointCount, 32767);
  ExpectFailure(Read(kHead + Body(32768)),
                "m.tmk: 32768 points, more than the 32767 a measurement can hold");
}

TEST_F(NativeFile, FailureWithKeepPeaksKeepsTheEarlierDFPeaksWhole) {
  session.Options.OptionsKeepPeaks = true;
  session.Record.DFPoints[1] = {7, 8};
  session.Record.DFPoints[6] = {30, 31};
  ExpectFailure(Read(kHead + "8\r\n" + PointLines(8) + "1,2,3,4,5,6\r\n11,12\r\n13,14\r\n"),
                "Input past end of file");
  EXPECT_EQ(session.Record.DFPoints[1], (DFPeakPair{7, 8}));
  EXPECT_EQ(session.Record.DFPoints[6], (DFPeakPair{30, 31}));
}

TEST_F(NativeFile, WriteFailureIsReportedAndKeepsWhatWasThere) {
  std::filesystem::create_directory(folder.File("dir.tmk"));
  const std::vector<float> none = {0};
  for (const char* name : {"missing/m.tmk", "dir.tmk"})
    EXPECT_FALSE(
        WriteNativeFile(Measurement{}, feedback, folder.File(name), none, none, none, 0, ""));
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("dir.tmk")));
  ASSERT_EQ(feedback.Messages.size(), 2u);
  EXPECT_EQ(feedback.Messages[0].Text, "m.tmk: Path not found");
  EXPECT_EQ(feedback.Messages[1].Icon, MessageIcon::Critical);
}

}  // namespace
}  // namespace tolmek
