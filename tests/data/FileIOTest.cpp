#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <vector>

#include "data/Errors.h"
#include "data/FileIO.h"
#include "support/TestSupport.h"

namespace tolmek {
namespace {

namespace fs = std::filesystem;
using test::Slurp;
using test::TempFolder;

std::string FailureText(const std::string& path, const std::string& content) {
  try {
    WriteFileReplacing(path, content);
  } catch (const ErrorText& error) {
    return error.what();
  }
  return {};
}

TEST(ReplacingAFile, KeepsItsPermissionsAndTheLinkThatPointsToIt) {
  TempFolder folder;
  const std::string target = folder.Write("m.tmk", "old");
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(target, folder.File("link.tmk"));
  WriteFileReplacing(folder.File("link.tmk"), "new");
  EXPECT_EQ(Slurp(target), "new");
  EXPECT_TRUE(fs::is_symlink(folder.File("link.tmk")));
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// A file size limit makes writes fail even for the superuser, who may write any file.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
    getrlimit(RLIMIT_FSIZE, &kept_);
    rlimit limit = kept_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &kept_);
    std::signal(SIGXFSZ, handler_);
  }

 private:
  void (*handler_)(int);
  rlimit kept_{};
};

std::vector<std::string> Entries(const TempFolder& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.Path()))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ReplacingAFile, AFailedWriteNamesTheFileAndLeavesTheOldOneWholeWithNothingBeside) {
  TempFolder folder;
  const std::string target = folder.Write("m.asc", "old");
  {
    FileSizeLimit limit(4);
    EXPECT_EQ(FailureText(target, "new content"), "m.asc: File too large");
    EXPECT_THROW(AppendToFile(folder.File("fl.res"), "a row too long"), ErrorText);
  }
  EXPECT_EQ(Slurp(target), "old");
  EXPECT_EQ(Entries(folder), (std::vector<std::string>{"fl.res", "m.asc"}));
  EXPECT_EQ(FailureText(folder.File("missing/m.asc"), "new"), "m.asc: Path not found");
}

// Names at the system's limit of 255 bytes come from other systems; a temporary name made by
// adding to them would be too long.
TEST(ReplacingAFile, ANameOfTheLongestLengthIsReplacedThroughAShorterTemporaryName) {
  TempFolder folder;
  for (size_t length : {size_t{1}, size_t{251}, size_t{255}}) {
    const std::string name(length, 'r');
    WriteFileReplacing(folder.File(name), "old");
    WriteFileReplacing(folder.File(name), "new");
    EXPECT_EQ(Slurp(folder.File(name)), "new");
  }
  EXPECT_EQ(Entries(folder).size(), 3u);
}

TEST(ReplacingAFile, AReadOnlyFileIsRefusedAndKept) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser may write any file";
  TempFolder folder;
  const std::string target = folder.Write("m.tmk", "old");
  fs::permissions(target, fs::perms::owner_read);
  EXPECT_EQ(FailureText(target, "new"), "m.tmk: Permission denied");
  EXPECT_EQ(Slurp(target), "old");
}

}  // namespace
}  // namespace tolmek
