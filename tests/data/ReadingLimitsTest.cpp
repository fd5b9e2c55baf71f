// What the readers share: files far larger than their format can hold, or no files at all, cost a
// reader what the format allows and no more (large files are sparse; the cost is the reader's own
// count of bytes read), and Esc ends every reader quietly.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "ReaderTest.h"
#include "data/AsciiFile.h"
#include "data/InstrumentFile.h"
#include "data/NativeFile.h"
#include "data/OjipTextFile.h"
#include "synth/Synthetic.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;
using test::Reader;

constexpr uintmax_t kMegabyte = 1024 * 1024;

class ReadingLimits : public test::ReaderTest {
 protected:
  ReadOutcome ReadSparse(Reader reader, const std::string& name, uintmax_t size) {
    session.Record.CurrentFilePath = folder.File(name);
    if (!fs::exists(session.Record.CurrentFilePath)) folder.Write(name, "");
    fs::resize_file(session.Record.CurrentFilePath, size);
    return reader(session, feedback, session.Record.CurrentFilePath);
  }
};

TEST_F(ReadingLimits, AFileOfZeroBytesFailsAfterItsFirstFieldWhateverItsSize) {
  const std::tuple<Reader, const char*, std::string> cases[] = {
      {ReadAsciiFile, "zero.asc", "Type mismatch"},
      {ReadNativeFile, "zero.tmk", "Line too long"},
      {ReadOjipTextFile, "zero.txt", "Line too long"},
      {ReadInstrumentFile, "zero.dat", kUnreadableFileText}};
  for (const auto& [reader, name, message] : cases) {
    SCOPED_TRACE(name);
    feedback.Messages.clear();
    ExpectFailure(ReadSparse(reader, name, 600 * kMegabyte), message);
    EXPECT_LT(session.Record.BytesRead, 1024 * 1024);
  }
}

TEST_F(ReadingLimits, AFileWithDataAppendedLoadsFromItsOwnBytesOnly) {
  // A recording is read up to its last sample, an OJIP export up to its description line.
  const std::tuple<Reader, std::string, const char*, int64_t> cases[] = {
      {ReadInstrumentFile, std::string(TOLMEK_EXAMPLES_DIR) + "/rec01.dat", "rec01.dat", 0},
      {ReadOjipTextFile, std::string(TOLMEK_TEST_DATA_DIR) + "/ojip-export-5.txt", "leaf.txt",
       int64_t{1} << 20}};
  for (const auto& [reader, source, name, slack] : cases) {
    fs::copy_file(source, folder.File(name));
    const auto size = static_cast<int64_t>(fs::file_size(source));
    ASSERT_EQ(ReadSparse(reader, name, size + 500 * kMegabyte), ReadOutcome::Loaded) << name;
    EXPECT_GT(session.Record.PointCount, 100);
    EXPECT_LE(session.Record.BytesRead, size + slack);
  }
}

TEST_F(ReadingLimits, ADeviceAPipeOrAFolderIsRefusedBeforeAnythingIsRead) {
  ASSERT_EQ(mkfifo(folder.File("pipe.asc").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(folder.File("pipe.txt").c_str(), 0600), 0);
  EXPECT_EQ(ChooseReader(folder.File("pipe.txt")), ReaderKind::Ascii);  // does not wait on it
  fs::create_symlink("/dev/zero", folder.File("zero.tmk"));
  fs::create_directory(folder.File("folder.asc"));
  const std::string device = "This is a device or a pipe, not a file";
  const std::tuple<Reader, const char*, std::string> cases[] = {
      {ReadAsciiFile, "pipe.asc", device},
      {ReadNativeFile, "zero.tmk", device},
      {ReadOjipTextFile, "pipe.asc", device},
      {ReadAsciiFile, "folder.asc", "This is a folder, not a file"},
      {ReadInstrumentFile, "zero.tmk", "The following error occured\r" + device}};
  for (const auto& [reader, name, message] : cases) {
    SCOPED_TRACE(name);
    feedback.Messages.clear();
    ExpectFailure(reader(session, feedback, folder.File(name)), message);
    EXPECT_EQ(session.Record.BytesRead, 0);
  }
}

TEST_F(ReadingLimits, EscDuringThePointsEndsEveryReaderQuietlyAtThatTurn) {
  const synth::Curves curves = synth::MakeInductionCurves({.Points = 500});
  const std::tuple<Reader, const char*, std::string> cases[] = {
      {ReadAsciiFile, "m.asc", synth::AsciiText(curves)},
      {ReadNativeFile, "m.tmk", synth::NativeText(curves, synth::NativeLayout::Tolmek13, {})},
      {ReadInstrumentFile, "m.dat", synth::MakeRecording({})}};
  for (const auto& [reader, name, content] : cases) {
    SCOPED_TRACE(name);
    feedback = ScriptedFeedback{};
    feedback.CancelAtTurn = 2;
    EXPECT_EQ(ReadAs(reader, name, content), ReadOutcome::Cancelled);
    EXPECT_TRUE(feedback.Messages.empty());
    EXPECT_EQ(feedback.Turns, 2);
    EXPECT_FALSE(feedback.ProgressVisible);
    EXPECT_FALSE(session.Record.CancelRequested);
    EXPECT_TRUE(session.Record.CurrentFilePath.empty());
  }
}

}  // namespace
}  // namespace tolmek
