#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "data/Errors.h"
#include "data/FileIO.h"
#include "data/FolderList.h"
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

// Runs the checks under a file size limit of a few bytes: writes then fail even for the
// superuser, who may write any file.
template <typename Checks>
void UnderFileSizeLimit(Checks checks) {
  rlimit kept{};
  getrlimit(RLIMIT_FSIZE, &kept);
  rlimit limit = kept;
  limit.rlim_cur = 4;
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &limit);
  checks();
  setrlimit(RLIMIT_FSIZE, &kept);
  std::signal(SIGXFSZ, handler);
}

TEST(ReplacingAFile, AFailedWriteNamesTheFileAndLeavesTheOldOneWholeWithNothingBeside) {
  TempFolder folder;
  const std::string target = folder.Write("m.asc", "old");
  UnderFileSizeLimit([&] {
    EXPECT_EQ(FailureText(target, "new content"), "m.asc: File too large");
    EXPECT_THROW(AppendToFile(folder.File("fl.res"), "a row too long"), ErrorText);
  });
  EXPECT_EQ(Slurp(target), "old");
  EXPECT_EQ(ListFolder(folder.Path(), "*"), (std::vector<std::string>{"fl.res", "m.asc"}));
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
  EXPECT_EQ(ListFolder(folder.Path(), "*").size(), 3u);
}

TEST(ReplacingAFile, AReadOnlyFileIsRefusedAndKept) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser may write any file";
  TempFolder folder;
  const std::string target = folder.Write("m.tmk", "old");
  fs::permissions(target, fs::perms::owner_read);
  EXPECT_EQ(FailureText(target, "new"), "m.tmk: Permission denied");
  EXPECT_EQ(Slurp(target), "old");
}

TEST(AppendingToAFile, KeepsNoPartOfATextThatDoesNotFit) {
  const test::SmallFileSystem disk("size=8k");
  if (!disk.SkipReason().empty()) GTEST_SKIP() << disk.SkipReason();
  const std::string rows(4000, 'r');
  const std::string path = disk.File("fl.res");
  AppendToFile(path, rows);
  AppendToFile(disk.File("other"), std::string(4096, 'o'));  // the disk is full now
  try {
    AppendToFile(path, std::string(200, 'n'));
    ADD_FAILURE() << "the append did not fail";
  } catch (const ErrorText& error) {
    EXPECT_STREQ(error.what(), "fl.res: Disk full");
  }
  EXPECT_EQ(Slurp(path), rows);
}

}  // namespace
}  // namespace tolmek
