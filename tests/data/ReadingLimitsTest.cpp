// Files that are far larger than their format can hold, or that are no files at all, cost the
// readers what the format allows and no more. Large files are made sparse, never stored; the
// cost is the reader's own count of the bytes it read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "ReaderTest.h"
#include "data/AsciiFile.h"
#include "data/InstrumentFile.h"
#include "data/NativeFile.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;
using test::Reader;

constexpr uintmax_t kMegabyte = 1024 * 1024;
// Far more than a reader needs to tell these files apart, far less than the files.
constexpr int64_t kAtMostRead = 1024 * 1024;

struct ReaderCase {
  const char* Name;
  Reader Read;
  const char* Message;
};

const ReaderCase kReaders[] = {
    {"zero.asc", ReadAsciiFile, "Type mismatch"},
    {"zero.tmk", ReadNativeFile, "Line too long"},
    {"zero.dat", ReadInstrumentFile,
     "Cannot read file. The file is not in the correct format or is corrupt.\r"
     "If this is a text file, please change its extension."},
};

class ReadingLimits : public test::ReaderTest {
 protected:
  ReadOutcome ReadPath(Reader reader, const std::string& path) {
    feedback.Messages.clear();
    session.Record.CurrentFilePath = path;
    return reader(session, feedback, path);
  }
};

TEST_F(ReadingLimits, AFileOfZeroBytesFailsAfterItsFirstFieldWhateverItsSize) {
  for (const ReaderCase& reader : kReaders) {
    SCOPED_TRACE(reader.Name);
    const std::string path = folder.File(reader.Name);
    { std::ofstream create(path); }
    fs::resize_file(path, 600 * kMegabyte);
    ExpectFailure(ReadPath(reader.Read, path), reader.Message);
    EXPECT_LT(session.Record.BytesRead, kAtMostRead);
  }
}

TEST_F(ReadingLimits, ARecordingWithDataAppendedLoadsFromItsOwnBytesOnly) {
  const std::string path = folder.File("rec01.dat");
  fs::copy_file(std::string(TOLMEK_EXAMPLES_DIR) + "/rec01.dat", path);
  const auto recordingSize = static_cast<int64_t>(fs::file_size(path));
  fs::resize_file(path, fs::file_size(path) + 500 * kMegabyte);
  ASSERT_EQ(ReadPath(ReadInstrumentFile, path), ReadOutcome::Loaded);
  EXPECT_GT(session.Record.PointCount, 100);
  EXPECT_LE(session.Record.BytesRead, recordingSize);
}

TEST_F(ReadingLimits, ADeviceAPipeOrAFolderIsRefusedBeforeAnythingIsRead) {
  const std::string pipe = folder.File("pipe.asc");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", folder.File("zero.tmk"));
  fs::create_directory(folder.File("folder.asc"));
  const std::string device = "This is a device or a pipe, not a file";
  const std::pair<Reader, std::pair<std::string, std::string>> cases[] = {
      {ReadAsciiFile, {pipe, device}},
      {ReadNativeFile, {folder.File("zero.tmk"), device}},
      {ReadAsciiFile, {folder.File("folder.asc"), "This is a folder, not a file"}},
      {ReadInstrumentFile, {folder.File("zero.tmk"), "The following error occured\r" + device}}};
  for (const auto& [reader, file] : cases) {
    SCOPED_TRACE(file.first);
    ExpectFailure(ReadPath(reader, file.first), file.second);
    EXPECT_EQ(session.Record.BytesRead, 0);
  }
}

TEST_F(ReadingLimits, ANativeCountTheLinesDoNotBearOutFailsAtTheFirstMissingLine) {
  const std::string header = "\"TOLMEK13\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n";
  const std::string path = folder.Write("m.tmk", header + "50000000\r\n1,2,3\r\n");
  fs::resize_file(path, 400 * kMegabyte);
  ExpectFailure(ReadPath(ReadNativeFile, path), "Type mismatch");
  EXPECT_LT(session.Record.BytesRead, kAtMostRead);
}

}  // namespace
}  // namespace tolmek
