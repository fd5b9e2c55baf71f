#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>

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
  EXPECT_FALSE(fs::exists(folder.File("m.tmk.tmp~")));
}

TEST(ReplacingAFile, AFailedWriteLeavesTheOldFileWhole) {
  TempFolder folder;
  const std::string target = folder.Write("m.asc", "old");
  fs::create_directory(folder.File("m.asc.tmp~"));  // the temporary file cannot be made
  EXPECT_FALSE(FailureText(target, "new").empty());
  EXPECT_EQ(Slurp(target), "old");
  EXPECT_EQ(FailureText(folder.File("missing/m.asc"), "new"), "Path not found");
}

TEST(ReplacingAFile, AReadOnlyFileIsRefusedAndKept) {
  if (geteuid() == 0) GTEST_SKIP() << "the superuser may write any file";
  TempFolder folder;
  const std::string target = folder.Write("m.tmk", "old");
  fs::permissions(target, fs::perms::owner_read);
  EXPECT_EQ(FailureText(target, "new"), "Permission denied");
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
    EXPECT_STREQ(error.what(), "Disk full");
  }
  EXPECT_EQ(Slurp(path), rows);
}

}  // namespace
}  // namespace tolmek
