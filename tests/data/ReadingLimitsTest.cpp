// Files far larger than their format can hold, or no files at all, cost a reader what the format
// allows and no more. Large files are sparse; the cost is the reader's own count of bytes read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "ReaderTest.h"
#include "data/AsciiFile.h"
#include "data/InstrumentFile.h"
#include "data/NativeFile.h"
#include "data/OjipTextFile.h"

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

TEST_F(ReadingLimits, ARecordingWithDataAppendedLoadsFromItsOwnBytesOnly) {
  fs::copy_file(std::string(TOLMEK_EXAMPLES_DIR) + "/rec01.dat", folder.File("rec01.dat"));
  const auto recordingSize = static_cast<int64_t>(fs::file_size(folder.File("rec01.dat")));
  ASSERT_EQ(ReadSparse(ReadInstrumentFile, "rec01.dat", recordingSize + 500 * kMegabyte),
            ReadOutcome::Loaded);
  EXPECT_GT(session.Record.PointCount, 100);
  EXPECT_LE(session.Record.BytesRead, recordingSize);
}

TEST_F(ReadingLimits, AnOjipExportWithDataAppendedIsReadUpToItsDescriptionLine) {
  fs::copy_file(std::string(TOLMEK_TEST_DATA_DIR) + "/ojip-export-5.txt", folder.File("leaf.txt"));
  const auto exportSize = static_cast<int64_t>(fs::file_size(folder.File("leaf.txt")));
  ASSERT_EQ(ReadSparse(ReadOjipTextFile, "leaf.txt", exportSize + 500 * kMegabyte),
            ReadOutcome::Loaded);
  EXPECT_EQ(session.Record.PointCount, 455);
  EXPECT_LT(session.Record.BytesRead, exportSize + kMegabyte);
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

}  // namespace
}  // namespace tolmek
