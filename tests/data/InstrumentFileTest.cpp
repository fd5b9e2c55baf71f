#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <tuple>
#include <vector>

#include "ReaderTest.h"
#include "data/AsciiFile.h"
#include "data/FileIO.h"
#include "data/InstrumentFile.h"

namespace tolmek {
namespace {

// A recording built byte by byte, so that every raw sample is known and every field can be bent.
struct Recording {
  int16_t Magic = 3310;
  int16_t Type = 1;
  int16_t TimeStepCode = 11000;
  int32_t M = 5200;
  uint8_t CountByte = 2;
  std::string GainLine = "DF 10*12  PF 2*3";
  std::function<int(int64_t)> DF = [](int64_t q) { return static_cast<int>(q); };
  std::function<int(int64_t)> PF = [](int64_t) { return 1000; };
};

void Put(std::string& bytes, int64_t position, int64_t value, int size) {
  const auto end = static_cast<size_t>(position - 1 + size);
  if (bytes.size() < end) bytes.resize(end, '\0');
  for (int i = 0; i < size; ++i)
    bytes[static_cast<size_t>(position - 1 + i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string Bytes(const Recording& r) {
  std::string bytes;
  Put(bytes, 1, r.Magic, 2);
  Put(bytes, 3, r.Type, 2);
  bytes += std::string("Leaf 7").append(34, ' ') + r.GainLine;
  bytes.resize(204, ' ');
  Put(bytes, 213, r.TimeStepCode, 2);
  const bool longHeader = r.Type == 5;
  const int64_t base = longHeader ? r.CountByte * 4 + 258 : 255;
  const int64_t pfBase = base + (2 * int64_t{r.M} + 4) * (longHeader ? r.CountByte : 1);
  Put(bytes, 255, longHeader ? r.CountByte : r.M, longHeader ? 1 : 2);
  if (longHeader) Put(bytes, base - 2, r.M, 4);
  for (int64_t q = 1; q <= r.M; ++q) {
    Put(bytes, base + 2 * q, r.DF(q), 2);
    Put(bytes, pfBase + 2 * q, r.PF(q), 2);
  }
  return bytes;
}

TEST(HeaderGains, ProductsFollowTheLastDFThatHasAnFAfterIt) {
  const std::tuple<const char*, double, double> cases[] = {
      {"Leaf 7    df 10*12  pf 2*3", 120, 6},
      {"DF 2.5 * 4   PF 1.5*4", 10, 6},
      {"DF 1*2 PF 3*4 DF 10*12 PF 2*3", 120, 6},
      {"DF 10*12 PF 2*3 DF 5", 120, 6},
      {"DF10*12PF2*3x", 120, 6},
      {"DF 120 PF 6", 0, 0},
      {"DF 10*12 PF 6", 120, 0},
      {"gain 10*12 and 2*3", 0, 0},
      {"DF x*12 PF 2*y", 0, 0}};
  for (const auto& [header, df, pf] : cases) {
    const DisplayGains gains = ParseHeaderGains(header);
    EXPECT_DOUBLE_EQ(gains.DF, df) << header;
    EXPECT_DOUBLE_EQ(gains.PF, pf) << header;
  }
}

class InstrumentReading : public test::ReaderTest {
 protected:
  ReadOutcome Read(const std::string& bytes, const std::string& name = "leaf7.dat") {
    session = Session{};
    return ReadAs(ReadInstrumentFile, name, bytes);
  }
  static std::string ReaderError(const std::string& error) {
    return std::string(kReaderErrorPrefix) + "\r" + error;
  }
  float T(int i) const { return session.Record.TimeValues.at(i); }
  float DF(int i) const { return session.Record.DFValues.at(i); }
  float PF(int i) const { return session.Record.PFValues.at(i); }
};

using InstrumentRejection = InstrumentReading;
using InstrumentTimeBase = InstrumentReading;
using InstrumentGains = InstrumentReading;

TEST_F(InstrumentRejection, FieldsOutOfRangeAreNotThisFormatAndTooFewSamplesAnIndexError) {
  // A 16-bit time-step code cannot pass one million; negative is its other way out of range.
  const Recording cases[] = {
      {.Magic = 3311},      {.Type = 2}, {.Type = 3}, {.Type = 0},         {.TimeStepCode = 0},
      {.TimeStepCode = -1}, {.M = 0},    {.M = -1},   {.Type = 5, .M = 0}, {.Type = 5, .M = 50001}};
  for (const Recording& recording : cases)
    ExpectFailure(Read(Bytes(recording)), kUnreadableFileText);
  ExpectFailure(Read("0.011  400  20\r\n"), kUnreadableFileText);
  for (const Recording& recording : {Recording{.TimeStepCode = 500}, {.TimeStepCode = 32767}})
    EXPECT_EQ(Read(Bytes(recording)), ReadOutcome::Loaded);
  // The first segment's 19 samples are needed.
  for (const int m : {1, 18})
    ExpectFailure(Read(Bytes({.M = m})), ReaderError("Subscript out of range"));
  ASSERT_EQ(Read(Bytes({.M = 19})), ReadOutcome::Loaded);
  EXPECT_EQ(session.Record.PointCount, 19);
}

TEST_F(InstrumentRejection, EveryTruncationFailsWithOneMessageAndLeavesNothingLoaded) {
  // With M = 97 the last group ends on the last sample, so every byte of the file is needed.
  for (const int16_t type : {int16_t{1}, int16_t{5}}) {
    const std::string whole = Bytes({.Type = type, .M = 97});
    const auto expectFailure = [&](size_t length) {
      SCOPED_TRACE(length);
      const std::string name = "cut" + std::to_string(type) + "-" + std::to_string(length);
      EXPECT_EQ(Read(whole.substr(0, length), name + ".dat"), ReadOutcome::Failed);
      ASSERT_EQ(feedback.Messages.size(), 1u);
      EXPECT_TRUE(session.Record.CurrentFilePath.empty());
      EXPECT_TRUE(session.Record.TimeValues.empty());
    };
    // Every length through the header fields, then a stride through the samples, and the end.
    for (size_t length = 0; length < whole.size(); length += length < 270 ? 1 : 17)
      expectFailure(length);
    expectFailure(whole.size() - 1);
    EXPECT_EQ(Read(whole), ReadOutcome::Loaded);
    EXPECT_EQ(session.Record.PointCount, 19 + 26);
  }
}

TEST_F(InstrumentRejection, CountByteOrSamplesBeyondTheFileAreReaderErrors) {
  std::string small = Bytes({.Type = 5, .M = 19, .CountByte = 1});
  small[254] = '\xFF';
  ExpectFailure(Read(small), ReaderError("Input past end of file"));
  // Read with a count byte of 2, a file laid out for 1 holds M = 500 in its first two DF samples
  // and ends before the PF block.
  const auto df = [](int64_t q) { return q == 1 ? 500 : q == 2 ? 0 : 7; };
  std::string shifted = Bytes({.Type = 5, .M = 500, .CountByte = 1, .DF = df});
  shifted[254] = '\x02';
  ExpectFailure(Read(shifted), ReaderError("Input past end of file"));
}

TEST_F(InstrumentTimeBase, GroupsGrowFromThreeToTwoHundredSamples) {
  ASSERT_EQ(Read(Bytes({.M = 20000})), ReadOutcome::Loaded);
  EXPECT_EQ(session.Record.PointCount, 162 + 75);  // r = 5000, 5200, ..., 19800
  EXPECT_EQ(session.Record.TimeValues.size(), 20001u);
  EXPECT_FLOAT_EQ(T(20), 0.2365f);
  EXPECT_FLOAT_EQ(DF(20), 21);  // raw 20..22
  EXPECT_FLOAT_EQ(DF(45), 96);  // raw 95..97; 98 and 99 are not used
  EXPECT_FLOAT_EQ(T(46), 1.1605f);
  EXPECT_FLOAT_EQ(DF(46), 105);  // raw 100..110
  EXPECT_FLOAT_EQ(DF(163), 5099.5f);
  EXPECT_FLOAT_EQ(T(237), 218.9f);
  EXPECT_NEAR(session.Record.DFSlope.at(21), 3 / 0.033, 1e-3);
  EXPECT_TRUE(session.Record.DecayTimes.empty());
  EXPECT_EQ(session.Record.HeaderComments[1], std::string("DF 10*12  PF 2*3").append(24, ' '));
}

TEST_F(InstrumentTimeBase, PointCountFollowsTheLastFullGroupForBothHeaders) {
  const std::pair<Recording, int> cases[] = {{{.M = 5000}, 162},
                                             {{.M = 5199}, 162},
                                             {{.M = 5200}, 163},
                                             {{.M = 51}, 29},  // the group 50..52 needs sample 52
                                             {{.M = 52}, 30},
                                             {{.Type = 5, .M = 5200, .CountByte = 3}, 163},
                                             {{.Type = 5, .M = 50000}, 162 + 225}};
  for (const auto& [input, points] : cases) {
    ASSERT_EQ(Read(Bytes(input)), ReadOutcome::Loaded);
    EXPECT_EQ(session.Record.PointCount, points);
    EXPECT_EQ(session.Record.FileTypeCode, input.Type);
    EXPECT_FLOAT_EQ(DF(28), 45);    // raw 44..46, DF 10*12 in display units
    EXPECT_FLOAT_EQ(PF(28), 1000);  // PF 2*3
  }
}

TEST_F(InstrumentTimeBase, FirstPointIsExtrapolatedOrZeroWithAWarning) {
  ASSERT_EQ(Read(Bytes({.PF = [](int64_t q) { return q == 1   ? 500
                                                     : q == 3 ? 1100
                                                              : 1000; }})),
            ReadOutcome::Loaded);
  EXPECT_FLOAT_EQ(PF(1), 1000 + 500 - 500 * 1100 / 1000.0f);
  EXPECT_EQ(DF(1), 0);
  EXPECT_EQ(session.Record.PFSlope.at(1), 0);
  EXPECT_EQ(session.Record.DFSlope.at(1), 0);
  EXPECT_TRUE(feedback.Messages.empty());

  ASSERT_EQ(Read(Bytes({.PF = [](int64_t q) { return q == 2 ? 0 : 1000; }})), ReadOutcome::Loaded);
  ASSERT_EQ(feedback.MessageTexts(), std::vector<std::string>{kCorruptedFileText});
  EXPECT_EQ(feedback.Messages[0].Icon, MessageIcon::Exclamation);
  EXPECT_EQ(PF(1), 0);
}

TEST_F(InstrumentTimeBase, LightOffStartsTheTailTwoSamplesBeforeTheFirstLowSample) {
  const auto pf = [](int64_t q) { return q < 3000 ? 1000 : 100; };
  ASSERT_EQ(Read(Bytes({.M = 20000, .PF = pf})), ReadOutcome::Loaded);
  EXPECT_EQ(session.Record.PointCount, 19 + 26 + 36 + 45);  // the group 2975..3029 is dropped
  const auto& record = session.Record;
  ASSERT_EQ(record.DecayValues.size(), static_cast<size_t>(20000 - 2998 + 2));
  EXPECT_FLOAT_EQ(record.DecayTimes[1], 2998 * 0.011f);
  EXPECT_FLOAT_EQ(record.DecayValues[1], 2998);
  EXPECT_FLOAT_EQ(record.DecayValues.back(), 20000);
  // A zero last stored PF sample makes the tail test a division.
  ExpectFailure(Read(Bytes({.PF = [](int64_t q) { return q == 19 ? 0 : 1000; }})),
                ReaderError("Division by zero"));
  // The test is the quotient's: exactly a fifth is not below it, and negative curves divide too.
  const struct {
    int Before, After;
    bool Off;
  } cases[] = {{1000, 200, false},  {1000, 199, true},  {-1000, -200, false},
               {-1000, -199, true}, {-1000, 100, true}, {1000, -1, true}};
  for (const auto& c : cases) {
    ASSERT_EQ(
        Read(Bytes({.M = 20000, .PF = [&c](int64_t q) { return q < 3000 ? c.Before : c.After; }})),
        ReadOutcome::Loaded);
    EXPECT_EQ(session.Record.PointCount == 126, c.Off) << c.Before << " then " << c.After;
  }
}

TEST_F(InstrumentGains, HeaderGainsInRangeAreUsedAndOthersAskedForInDisplayUnits) {
  ASSERT_EQ(Read(Bytes({.GainLine = "DF 1500*1 PF 3*2"})), ReadOutcome::Loaded);
  EXPECT_FLOAT_EQ(DF(20), 21 / 12.5f);
  EXPECT_TRUE(feedback.GainQuestions.empty());

  feedback.GainAnswers.push_back(DisplayGains{12, 240});
  ASSERT_EQ(Read(Bytes({.GainLine = "DF 1501*1 PF 2*3"})), ReadOutcome::Loaded);
  ASSERT_EQ(feedback.GainQuestions.size(), 1u);
  EXPECT_DOUBLE_EQ(feedback.GainQuestions[0].Current.DF, 1501);
  EXPECT_DOUBLE_EQ(feedback.GainQuestions[0].Current.PF, 6);
  EXPECT_EQ(feedback.GainQuestions[0].Comment2.substr(0, 16), "DF 1501*1 PF 2*3");
  EXPECT_FLOAT_EQ(PF(20), 1000 / 2.0f);
  EXPECT_FLOAT_EQ(DF(20), 21 / 2.0f);

  EXPECT_EQ(Read(Bytes({.GainLine = "no gains here"})), ReadOutcome::Cancelled);
  EXPECT_TRUE(feedback.Messages.empty());
  EXPECT_TRUE(session.Record.CurrentFilePath.empty());
}

// A temperature recording: a at 120 and b at 121 share a byte, so a < 256 and b = 256.
std::string TemperatureBytes(int first, int checkValue) {
  std::string bytes = Bytes({.Type = 4, .M = 0});
  bytes.resize(2 * 256 + 131, '\x02');  // PF samples 0x0202
  Put(bytes, 120, first, 1);
  Put(bytes, 121, 256, 2);
  Put(bytes, 128, checkValue, 2);
  for (int64_t p = first + 129; p <= 256 + 129; ++p) Put(bytes, p, 1, 1);  // DF samples 0x0101
  return bytes;
}

TEST_F(InstrumentGains, VerifiedTemperatureRecordingIsExportedAndNotLoaded) {
  const std::string target = folder.File("leaf7.asc");
  ExpectFailure(Read(TemperatureBytes(20, 255)), kUnreadableFileText);
  ExpectFailure(Read(TemperatureBytes(20, 256).substr(0, 600)),
                ReaderError("Input past end of file"));
  EXPECT_FALSE(FileExists(target));

  EXPECT_EQ(Read(TemperatureBytes(20, 256)), ReadOutcome::Exported);
  std::vector<float> time(257), pf(257, 514), df(257, 257);
  for (int i = 0; i <= 256; ++i) time[i] = static_cast<float>(i);
  EXPECT_EQ(test::Slurp(target), AsciiFileText(time, pf, df, 20, 255, false));
  ASSERT_EQ(feedback.Messages.size(), 1u);
  EXPECT_EQ(feedback.Messages[0].Text,
            "Temperature curve 20°C - 256°C was saved to file\n" + target + ".");
  EXPECT_TRUE(session.Record.CurrentFilePath.empty());
  EXPECT_TRUE(session.Record.TimeValues.empty());
}

}  // namespace
}  // namespace tolmek
