#include "data/FolderList.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestSupport.h"

namespace tolmek {
namespace {

using Names = std::vector<std::string>;

TEST(FolderList, ListsTheOpenedExtensionInAnyCaseAndFindsOnlyTheExactOpenedName) {
  test::TempFolder folder;
  for (const char* name : {"c.asc", "b.tmk", "A.TMK"}) folder.Write(name, "");
  Session session;
  session.Record.CurrentFileName = "b.tmk";
  BuildFileList(session, folder.Path(), PatternOf("b.tmk"));
  EXPECT_EQ(session.Folder.FileList, (Names{"A.TMK", "b.tmk"}));
  EXPECT_EQ(session.Folder.FileIndex, 1);
  session.Record.CurrentFileName = "a.tmk";
  session.Folder.FileIndex = 5;
  BuildFileList(session, folder.Path(), "*.tmk");
  EXPECT_EQ(session.Folder.FileIndex, 5);
}

TEST(FolderList, ListsSeveralPatternsAndNamesWithoutExtensionButNoFolders) {
  test::TempFolder folder;
  for (const char* name : {"fl.res", "m.asc", "m.tmk", "plain"}) folder.Write(name, "");
  std::filesystem::create_directory(folder.File("sub.asc"));
  EXPECT_EQ(ListFolder(folder.Path(), "*.asc; *.res"), (Names{"fl.res", "m.asc"}));
  EXPECT_EQ(ListFolder(folder.Path(), PatternOf("plain")), (Names{"plain"}));
  EXPECT_EQ(PatternOf("leaf.1.dat"), "*.1.dat");
  EXPECT_TRUE(ListFolder(folder.File("missing"), "*.*").empty());
}

}  // namespace
}  // namespace tolmek
