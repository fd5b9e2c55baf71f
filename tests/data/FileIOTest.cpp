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

}  // namespace
}  // namespace tolmek
